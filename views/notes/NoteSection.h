#pragma once
// The notes view's section in a data file: its placement block, then the note's text as one
// block of its length (no terminating NUL). Usable without a window, so measurement files can
// carry a note wherever they are written.

#include <QByteArray>

#include "document/DocumentView.h"
#include "document/file/ViewTypeRegistry.h"
#include "views/notes/NoteBlock.h"

namespace velor {

class NoteSection : public DocumentView {
public:
    NoteSection() : DocumentView(kNoteViewTag) {}

    // 8-bit text with CR LF line ends, as the notes window edits it.
    const QByteArray& Text() const { return m_text; }
    void SetText(const QByteArray& text) { m_text = text; }

    bool WriteSection(SerializeContext& context) override;
    bool ReadSection(SerializeContext& context) override;
    // Appends "Notes view data:" and the note; an empty note adds nothing.
    void AppendTextExport(QByteArray& text) override { AppendNoteExport(text, m_text); }

private:
    QByteArray m_text;
};

// Registers NoteSection as the view type of the notes tag (for headless loading).
void RegisterHeadlessNoteSection(ViewTypeRegistry& registry);

}  // namespace velor
