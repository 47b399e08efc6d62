#pragma once
// The door to the user on the desktop: Qt's message boxes, file dialogs, wait cursor, the 3D
// acquisition's progress dialog and the saturation notice.

#include <QPointer>

#include "common/UserPrompt.h"

class QWidget;

namespace velor {

class CBeamSenseDlg;

class GuiPrompt : public UserPrompt {
public:
    GuiPrompt();
    ~GuiPrompt() override;

    void SetParent(QWidget* parent) { m_parent = parent; }

    PromptAnswer Show(const PromptMessage& message) override;
    std::optional<FileChoice> AskOpenFile(const QList<FileFilter>& filters) override;
    std::optional<FileChoice> AskSaveFile(const QList<FileFilter>& filters, const QString& defaultSuffix,
                                          const QString& initialPath, const QString& title) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    std::unique_ptr<ProgressWindow> ShowProgress(const QString& title, int range) override;
    void ShowSaturationNotice(const QString& text) override;
    void CloseSaturationNotice() override;
    // The notice while it is up; null otherwise.
    CBeamSenseDlg* SaturationNotice() const;

protected:
    void ReportFatal(const QString& text, int exitCode) override;

private:
    QPointer<QWidget> m_parent;
    // Goes with its parent window if that goes first.
    QPointer<CBeamSenseDlg> m_beamSense;
};

}  // namespace velor
