#include "views/notes/NoteBlock.h"

#include <QFile>
#include <new>

#include "common/UserPrompt.h"
#include "document/file/DataCrc16.h"

namespace velor {

bool WriteNoteBlock(Archive& archive, const QByteArray& text) {
    if (text.size() > kMaxNoteBytes) return false;
    const auto length = static_cast<uint16_t>(text.size());
    return CDataCrc16::WriteBlock(archive, text.constData(), length) != 0 || length == 0;
}

bool ReadNoteBlock(Archive& archive, QByteArray& text, UserPrompt* prompt) {
    BlockHeader header{};
    if (!CDataCrc16::ReadHeader(archive, header)) return false;
    if (header.length == 0 || header.length >= 65535) {
        text.clear();
        return true;
    }
    if (header.tag != kDataBlockTag) return false;
    QByteArray bytes;
    try {
        bytes.resize(header.length);
    } catch (const std::bad_alloc&) {
        if (prompt) {
            prompt->Message(QStringLiteral("Could not allocate memory for buffers"),
                            QStringLiteral("Load file error"), PromptIcon::Exclamation);
        }
        return false;
    }
    if (archive.Read(bytes.data(), header.length) != header.length) return false;
    if (CDataCrc16::ComputeCrc(bytes.constData(), header.length) != header.crc) return false;
    text = bytes;
    return true;
}

bool AppendNoteExport(const QString& path, const QByteArray& text, UserPrompt* prompt) {
    if (!path.contains(QLatin1Char('.'))) return false;
    if (text.isEmpty()) return true;
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Append) &&
                         file.write("\r\nNotes view data:\r\n") >= 0 &&
                         file.write(text) == text.size() && file.write("\r\n") == 2;
    if (!written && prompt) {
        prompt->Message(QStringLiteral("Could not save file"), QStringLiteral("File Error"),
                        PromptIcon::Exclamation);
    }
    return written;
}

}  // namespace velor
