#include "views/notes/NoteView.h"

#include <QPlainTextEdit>
#include <QResizeEvent>

#include "document/DormDoc.h"
#include "views/framework/ViewFrame.h"
#include "views/framework/ViewHost.h"
#include "views/notes/NoteBlock.h"
#include "views/notes/NoteText.h"

namespace velor {
namespace {

QByteArray FromEditor(const QString& text) {
    QString withCrLf = text;
    withCrLf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return NoteToBytes(withCrLf);
}

QString ToEditor(const QByteArray& bytes) {
    QString text = NoteFromBytes(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

}  // namespace

CNoteView::CNoteView(ViewHost& host, QWidget* parent) : CDormView(kNoteViewTag, host, parent) {
    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(QStringLiteral("note900"));
    m_edit->setGeometry(0, 0, 120, 120);
    m_edit->document()->setDocumentMargin(5);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(m_edit, &QPlainTextEdit::textChanged, this, &CNoteView::OnTextEdited);
    setFocusProxy(m_edit);
}

QByteArray CNoteView::Text() const { return m_edited ? FromEditor(m_edit->toPlainText()) : m_stored; }

void CNoteView::SetText(const QByteArray& text) {
    m_settingText = true;
    m_edit->setPlainText(ToEditor(text));
    m_settingText = false;
    m_stored = text;
    m_edited = false;
}

void CNoteView::OnTextEdited() {
    if (m_settingText) return;
    // A note must fit one block of the file: an edit that would overflow it is taken back.
    if (FromEditor(m_edit->toPlainText()).size() > kMaxNoteBytes) {
        m_settingText = true;
        m_edit->undo();
        m_settingText = false;
        return;
    }
    m_edited = true;
    if (CDormDoc* doc = GetDocument()) doc->SetModifiedFlag(true);
}

void CNoteView::OnInitialUpdate() {
    if (CViewFrame* frame = Frame()) frame->setWindowTitle(QStringLiteral("Notes - Lumora Inc."));
    CDormView::OnInitialUpdate();
    // The note wraps at the window's edge without inserting line breaks into the text.
    m_edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

bool CNoteView::ConfirmSave() {
    if (!m_edited) return true;  // the note as read: written back byte for byte
    const QString outside = CharactersOutsideCodePage(m_edit->toPlainText());
    if (outside.isEmpty()) return true;
    return Host().Prompt().Ask(QStringLiteral("The note contains characters that a data file cannot "
                                              "hold:\n%1\n\nThey are saved as \"?\"; the note keeps "
                                              "them on screen.\nSave anyway?")
                                   .arg(outside),
                               QStringLiteral("Notes"), PromptButtons::YesNo,
                               PromptIcon::Exclamation) == PromptAnswer::Yes;
}

bool CNoteView::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    return WriteNoteBlock(context.archive, Text());
}

bool CNoteView::ReadSection(SerializeContext& context) {
    if (!CDormView::ReadSection(context)) return false;
    QByteArray text;
    if (!ReadNoteBlock(context.archive, text, &Host().Prompt())) return false;
    SetText(text);
    RequestRepaint();
    return true;
}

void CNoteView::AppendTextExport(QByteArray& text) { AppendNoteExport(text, Text()); }

void CNoteView::resizeEvent(QResizeEvent* event) {
    CDormView::resizeEvent(event);
    // The edit's border lies just outside the client area.
    m_edit->setGeometry(-1, -1, event->size().width() + 2, event->size().height() + 2);
}

void CNoteView::focusInEvent(QFocusEvent* event) {
    CDormView::focusInEvent(event);
    m_edit->setFocus();
}

}  // namespace velor
