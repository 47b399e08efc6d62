#include "views/notes/NoteBlock.h"

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
    CDataCrc16::MarkChecked(archive);
    text = bytes;
    return true;
}

void AppendNoteExport(QByteArray& exported, const QByteArray& note) {
    if (note.isEmpty()) return;
    exported += "\r\nNotes view data:\r\n" + note + "\r\n";
}

}  // namespace velor
