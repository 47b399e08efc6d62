#include "document/file/KeptSection.h"

namespace velor {

bool KeptSection::ReadSection(SerializeContext& context) {
    Archive& archive = context.archive;
    m_bytes.clear();
    for (;;) {
        BlockHeader header{};
        if (archive.Peek(&header, sizeof header) != static_cast<qint64>(sizeof header)) break;
        if (header.tag != kDataBlockTag) break;  // the next section begins
        if (auto* log = archive.ReadLog()) log->push_back({header.tag, header.length, header.crc, false});
        const qsizetype start = m_bytes.size();
        const qint64 size = static_cast<qint64>(sizeof header) + header.length;
        m_bytes.resize(start + size);
        const qint64 got = archive.Read(m_bytes.data() + start, size);
        m_bytes.resize(start + got);
        if (got != size) break;  // the file ends inside the block: keep what is there
    }
    return true;
}

bool KeptSection::WriteSection(SerializeContext& context) {
    return context.archive.Write(m_bytes.constData(), m_bytes.size());
}

}  // namespace velor
