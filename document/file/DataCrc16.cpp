#include "document/file/DataCrc16.h"

#include <array>
#include <cstring>
#include <vector>

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

constexpr std::array<uint16_t, 256> kCrcTable = MakeCrcTable();

}  // namespace

uint16_t CDataCrc16::ComputeCrc(const void* data, uint16_t length) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    uint16_t crc = 0;
    for (uint16_t i = 0; i < length; ++i) {
        crc = static_cast<uint16_t>((crc >> 8) ^ kCrcTable[(crc ^ bytes[i]) & 0xFFu]);
    }
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
    return archive.Read(&header, sizeof header) == static_cast<qint64>(sizeof header);
}

uint16_t CDataCrc16::ReadBlock(Archive& archive, void* buffer, uint16_t capacity) {
    BlockHeader header{};
    if (!ReadHeader(archive, header)) return 0;
    if (header.tag != kDataBlockTag) return 0;
    if (header.length <= capacity) {
        if (archive.Read(buffer, header.length) != header.length) return 0;
        if (ComputeCrc(buffer, header.length) != header.crc) return 0;
        return header.length;
    }
    std::vector<uint8_t> whole(header.length);
    if (archive.Read(whole.data(), header.length) != header.length) return 0;
    if (ComputeCrc(whole.data(), header.length) != header.crc) return 0;
    std::memcpy(buffer, whole.data(), capacity);
    return header.length;
}

}  // namespace velor
