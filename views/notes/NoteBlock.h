#pragma once
// The note's own block in its data-file section and its part of the ASCII export, shared by
// the notes window and the window-free notes section.

#include <QByteArray>
#include <QString>

#include "document/file/Archive.h"

namespace velor {

class UserPrompt;

// A note must fit one block; a header length of 65535 reads as an empty note.
inline constexpr int kMaxNoteBytes = 65534;

// The text as one data block of its length (no terminating NUL); false for a note too long
// for a block (cutting it would lose the rest) or a failed write.
bool WriteNoteBlock(Archive& archive, const QByteArray& text);

// Reads the note block: a length of 0 or 65535 is an empty note; a wrong tag, short data or a
// checksum mismatch fails. `prompt` hears of a note too large to allocate.
bool ReadNoteBlock(Archive& archive, QByteArray& text, UserPrompt* prompt);

// Appends "Notes view data:" and the note to the export text; an empty note adds nothing.
void AppendNoteExport(QByteArray& exported, const QByteArray& note);

}  // namespace velor
