#pragma once
// The notes view: free text kept with the measurement, in a multi-line edit that fills the
// view. Its text travels in the data file and in the ASCII export.

#include <QByteArray>

#include "views/framework/DormView.h"

class QPlainTextEdit;

namespace velor {

class CNoteView : public CDormView {
    Q_OBJECT

public:
    explicit CNoteView(ViewHost& host, QWidget* parent = nullptr);

    // The note as stored: Windows-1252 text with CR LF line ends.
    QByteArray Text() const;
    void SetText(const QByteArray& text);
    QPlainTextEdit* Editor() const { return m_edit; }

    void OnInitialUpdate() override;
    // A character the data file's code page lacks would be saved as "?": the user is asked.
    bool ConfirmSave() override;
    bool WriteSection(SerializeContext& context) override;
    bool ReadSection(SerializeContext& context) override;
    void AppendTextExport(QByteArray& text) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void OnTextEdited();

    QPlainTextEdit* m_edit;
    // The note as it was read: written back unchanged until edited, so bytes the editor would
    // normalise (a lone CR or LF) survive a load and save.
    QByteArray m_stored;
    bool m_edited = false;
    bool m_settingText = false;
};

}  // namespace velor
