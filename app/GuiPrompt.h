#pragma once
// The door to the user on the desktop: Qt's message boxes, file dialogs, wait cursor and
// progress dialog.

#include "common/UserPrompt.h"

class QWidget;

namespace velor {

class GuiPrompt : public UserPrompt {
public:
    void SetParent(QWidget* parent) { m_parent = parent; }

    PromptAnswer Show(const PromptMessage& message) override;
    std::optional<FileChoice> AskOpenFile(const QList<FileFilter>& filters) override;
    std::optional<FileChoice> AskSaveFile(const QList<FileFilter>& filters, const QString& defaultSuffix,
                                          const QString& initialPath) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    std::unique_ptr<ProgressWindow> ShowProgress(const QString& title, int range) override;

protected:
    void ReportFatal(const QString& text, int exitCode) override;

private:
    QWidget* m_parent = nullptr;
};

}  // namespace velor
