#include "views/notes/NoteText.h"

#include <QTextCodec>

namespace velor {
namespace {

QTextCodec& CodePage() {
    static QTextCodec* const codec = QTextCodec::codecForName("windows-1252");
    return *codec;
}

}  // namespace

QString NoteFromBytes(const QByteArray& bytes) { return CodePage().toUnicode(bytes); }

QByteArray NoteToBytes(const QString& text) { return CodePage().fromUnicode(text); }

QString CharactersOutsideCodePage(const QString& text) {
    QString outside;
    for (int i = 0; i < text.size(); ++i) {
        // A character beyond the basic plane comes as a surrogate pair: judged whole.
        const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        if (!CodePage().canEncode(character) && !outside.contains(character)) outside += character;
    }
    return outside;
}

}  // namespace velor
