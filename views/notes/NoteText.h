#pragma once
// The note's characters in a data file: the Windows-1252 code page, which is what files of
// every earlier version of the program hold (€, „, – and the like included). Every one of its
// 256 bytes reads back as the byte it was.

#include <QByteArray>
#include <QString>

namespace velor {

QString NoteFromBytes(const QByteArray& bytes);

// Characters the code page cannot hold become "?": callers tell the user first.
QByteArray NoteToBytes(const QString& text);

// The characters of text the code page cannot hold, each once, in order of appearance.
QString CharactersOutsideCodePage(const QString& text);

}  // namespace velor
