#include "views/notes/NoteSection.h"

#include <QFile>
#include <memory>
#include <new>

#include "common/UserPrompt.h"
#include "document/DormDoc.h"

namespace velor {

bool NoteSection::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    // A longer note cannot be stored in one block; writing it cut short would lose the rest.
    if (m_text.size() > kMaxNoteBytes) return false;
    const auto length = static_cast<uint16_t>(m_text.size());
    return CDataCrc16::WriteBlock(context.archive, m_text.constData(), length) != 0 || length == 0;
}

bool NoteSection::ReadSection(SerializeContext& context) {
    if (!DocumentView::ReadSection(context)) return false;
    return ReadNoteBlock(context.archive);
}

bool NoteSection::ReadNoteBlock(Archive& archive) {
    BlockHeader header{};
    if (!CDataCrc16::ReadHeader(archive, header)) return false;
    if (header.length == 0 || header.length >= 65535) {
        m_text.clear();
        return true;
    }
    if (header.tag != kDataBlockTag) return false;
    QByteArray bytes;
    try {
        bytes.resize(header.length);
    } catch (const std::bad_alloc&) {
        if (CDormDoc* doc = GetDocument()) {
            doc->Environment().prompt.Message(QStringLiteral("Could not allocate memory for buffers"),
                                              QStringLiteral("Load file error"),
                                              PromptIcon::Exclamation);
        }
        return false;
    }
    if (archive.Read(bytes.data(), header.length) != header.length) return false;
    if (CDataCrc16::ComputeCrc(bytes.constData(), header.length) != header.crc) return false;
    m_text = bytes;
    return true;
}

bool NoteSection::ExportText(const QString& path) {
    if (!path.contains(QLatin1Char('.'))) return false;
    if (m_text.isEmpty()) return true;
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Append) &&
                         file.write("\r\nNotes view data:\r\n") >= 0 && file.write(m_text) == m_text.size() &&
                         file.write("\r\n") == 2;
    if (!written) {
        if (CDormDoc* doc = GetDocument()) {
            doc->Environment().prompt.Message(QStringLiteral("Could not save file"),
                                              QStringLiteral("File Error"), PromptIcon::Exclamation);
        }
        return false;
    }
    return true;
}

void RegisterHeadlessNoteSection(ViewTypeRegistry& registry) {
    registry.Register(kNoteViewTag, [](CDormDoc& document) {
        return document.AdoptView(std::make_unique<NoteSection>());
    });
}

}  // namespace velor
