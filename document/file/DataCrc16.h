#pragma once
// The check-summed block codec. Every record after the file header travels as a block: a
// 6-byte header {tag, length, crc} and the record's bytes, protected by CRC-16/KERMIT.
// Sections are opened by a header alone, {section tag, 0xFFFF, 0xFFFF}.

#include <cstddef>
#include <cstdint>

#include "document/file/Archive.h"

namespace velor {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "records are written as they lie in memory: the host must be little-endian");

struct BlockHeader {
    uint16_t tag;
    uint16_t length;
    uint16_t crc;
};
static_assert(sizeof(BlockHeader) == 6);
static_assert(offsetof(BlockHeader, tag) == 0);
static_assert(offsetof(BlockHeader, length) == 2);
static_assert(offsetof(BlockHeader, crc) == 4);

inline constexpr uint16_t kDataBlockTag = 12;
inline constexpr uint16_t kSectionMarkerLength = 0xFFFF;
inline constexpr uint16_t kSectionMarkerCrc = 0xFFFF;

// File types as the section writers and readers see them.
inline constexpr int kFileTypeData = 7;
inline constexpr int kFileTypeConfig = 5;

// What every section writer and reader receives.
struct SerializeContext {
    int fileType;          // kFileTypeData or kFileTypeConfig
    Archive& archive;
    uint32_t fileVersion;  // version of the file being read, or of this program when writing
};

// Base of every persisted record. It has no data of its own, so a record deriving from it
// keeps its fields at the offsets its struct gives.
class CDataCrc16 {
public:
    // CRC-16/KERMIT (reflected 0x1021, initial 0, no final XOR); 0 for length 0. Any length
    // (a block holds at most 65535 bytes), sixteen bytes a step.
    static uint16_t ComputeCrc(const void* data, std::size_t length);

    // Writes {12, length, crc} and the bytes. Returns length, or 0 if the archive failed
    // (so 0 means failure only when length was not 0).
    static uint16_t WriteBlock(Archive& archive, const void* data, uint16_t length);

    // Writes {tag, 0xFFFF, 0xFFFF}. Returns 1, or 0 if the archive failed.
    static int WriteSectionMarker(Archive& archive, uint16_t tag);

    // Reads one data block into buffer (at most capacity bytes; a longer record is checked
    // whole and cut). Returns the stored length, 0 on a wrong tag, short data or CRC mismatch.
    // A CRC mismatch on a block that fits leaves its bad bytes in buffer: callers that must
    // keep their values read into a copy and commit it on success.
    static uint16_t ReadBlock(Archive& archive, void* buffer, uint16_t capacity);

    // Reads a bare 6-byte block header; false if fewer bytes arrive.
    static bool ReadHeader(Archive& archive, BlockHeader& header);
    // The block whose header was read last has been read whole and its checksum holds.
    static void MarkChecked(Archive& archive);
};

}  // namespace velor
