#include "document/file/DataCrc16.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

#include "document/file/Crc16Folding.h"

namespace velor {
namespace {

// Byte-wise table of the reflected polynomial 0x8408, built by the closed form
// t = (i ^ (i << 4)) & 0xFF, entry = (t << 8) ^ (t << 3) ^ (t >> 4).
constexpr std::array<uint16_t, 256> MakeCrcTable() {
    std::array<uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        const unsigned t = (i ^ (i << 4)) & 0xFFu;
        table[i] = static_cast<uint16_t>((t << 8) ^ (t << 3) ^ (t >> 4));
    }
    return table;
}

// Sixteen tables for sixteen bytes a step: table k holds the effect of a byte followed by k
// zero bytes, so a step folds the CRC into the first two bytes and looks up all sixteen at
// once (8 KB of tables, which stay in the first-level cache).
using SliceTables = std::array<std::array<uint16_t, 256>, 16>;

constexpr SliceTables MakeSliceTables() {
    SliceTables tables{};
    tables[0] = MakeCrcTable();
    for (std::size_t k = 1; k < tables.size(); ++k) {
        for (unsigned i = 0; i < 256; ++i) {
            const uint16_t previous = tables[k - 1][i];
            tables[k][i] = static_cast<uint16_t>((previous >> 8) ^ tables[0][previous & 0xFFu]);
        }
    }
    return tables;
}

constexpr SliceTables kTables = MakeSliceTables();

uint16_t UpdateByte(uint16_t crc, uint8_t byte) {
    return static_cast<uint16_t>((crc >> 8) ^ kTables[0][(crc ^ byte) & 0xFFu]);
}

// Sixteen bytes through the slice tables.
uint16_t UpdateSixteen(uint16_t crc, const uint8_t* b) {
    const auto& t = kTables;
    const unsigned x = crc ^ (b[0] | (unsigned{b[1]} << 8));
    return static_cast<uint16_t>(t[15][x & 0xFFu] ^ t[14][x >> 8] ^ t[13][b[2]] ^ t[12][b[3]] ^ t[11][b[4]] ^
                                 t[10][b[5]] ^ t[9][b[6]] ^ t[8][b[7]] ^ t[7][b[8]] ^ t[6][b[9]] ^ t[5][b[10]] ^
                                 t[4][b[11]] ^ t[3][b[12]] ^ t[2][b[13]] ^ t[1][b[14]] ^ t[0][b[15]]);
}

}  // namespace

uint16_t CDataCrc16::ComputeCrc(const void* data, std::size_t length) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    uint16_t crc = 0;
    std::size_t i = 0;
    // Long records (profiles and scans) are folded by carry-less multiplication; the folded
    // 16 bytes carry the CRC of everything before them.
    if (length >= 64 && CanFoldCrc16()) {
        i = length & ~std::size_t{15};
        crc = UpdateSixteen(0, FoldCrc16(bytes, i).data());
    }
    for (; i + 16 <= length; i += 16) crc = UpdateSixteen(crc, bytes + i);
    for (; i < length; ++i) crc = UpdateByte(crc, bytes[i]);
    return crc;
}

uint16_t CDataCrc16::WriteBlock(Archive& archive, const void* data, uint16_t length) {
    const BlockHeader header{kDataBlockTag, length, ComputeCrc(data, length)};
    if (!archive.Write(&header, sizeof header)) return 0;
    if (!archive.Write(data, length)) return 0;
    return length;
}

int CDataCrc16::WriteSectionMarker(Archive& archive, uint16_t tag) {
    const BlockHeader header{tag, kSectionMarkerLength, kSectionMarkerCrc};
    return archive.Write(&header, sizeof header) ? 1 : 0;
}

bool CDataCrc16::ReadHeader(Archive& archive, BlockHeader& header) {
    if (archive.Read(&header, sizeof header) != static_cast<qint64>(sizeof header)) return false;
    if (auto* log = archive.ReadLog()) log->push_back({header.tag, header.length, header.crc, false});
    return true;
}

void CDataCrc16::MarkChecked(Archive& archive) {
    if (auto* log = archive.ReadLog(); log && !log->empty()) log->back().checked = true;
}

uint16_t CDataCrc16::ReadBlock(Archive& archive, void* buffer, uint16_t capacity) {
    BlockHeader header{};
    if (!ReadHeader(archive, header)) return 0;
    if (header.tag != kDataBlockTag) return 0;
    if (header.length <= capacity) {
        if (archive.Read(buffer, header.length) != header.length) return 0;
        if (ComputeCrc(buffer, header.length) != header.crc) return 0;
        MarkChecked(archive);
        return header.length;
    }
    std::vector<uint8_t> whole(header.length);
    if (archive.Read(whole.data(), header.length) != header.length) return 0;
    if (ComputeCrc(whole.data(), header.length) != header.crc) return 0;
    MarkChecked(archive);
    std::memcpy(buffer, whole.data(), capacity);
    return header.length;
}

}  // namespace velor
