#pragma once
// The 40-byte header that opens every data and configuration file, and the file version.

#include <cstddef>
#include <cstdint>

namespace velor {

struct DataFileHeader {
    char typeTag[32];    // "VNQ" or "CFG", NUL-terminated, rest zero
    uint32_t version;    // byte 0 major, byte 1 minor, byte 2 revision, byte 3 zero
    uint16_t viewCount;  // view sections after the document section
    uint16_t reserved;
};
static_assert(sizeof(DataFileHeader) == 40);
static_assert(offsetof(DataFileHeader, typeTag) == 0);
static_assert(offsetof(DataFileHeader, version) == 32);
static_assert(offsetof(DataFileHeader, viewCount) == 36);
static_assert(offsetof(DataFileHeader, reserved) == 38);

inline constexpr char kDataFileTypeTag[] = "VNQ";
inline constexpr char kConfigFileTypeTag[] = "CFG";
inline constexpr uint16_t kMaxViewSections = 50;

constexpr uint32_t MakeFileVersion(unsigned major, unsigned minor, unsigned revision) {
    return (major & 0xFFu) | ((minor & 0xFFu) << 8) | ((revision & 0xFFu) << 16);
}
constexpr unsigned VersionMajor(uint32_t v) { return v & 0xFFu; }
constexpr unsigned VersionMinor(uint32_t v) { return (v >> 8) & 0xFFu; }
constexpr unsigned VersionRevision(uint32_t v) { return (v >> 16) & 0xFFu; }

// The format this program writes: 4.0.4.
inline constexpr uint32_t kProgramFileVersion = MakeFileVersion(4, 0, 4);

enum class VersionOrder { Older, Same, Newer };

// Major first, then minor, then revision; when those agree and only the top byte differs the
// file counts as newer.
VersionOrder CompareFileVersion(uint32_t fileVersion, uint32_t programVersion);

// fileVersion >= major.minor.revision, compared by major, then minor, then revision.
bool VersionAtLeast(uint32_t fileVersion, unsigned major, unsigned minor, unsigned revision);

// "4.0.4"
const char* FormatVersionTo(char (&out)[16], uint32_t version);

// 7 for "VNQ", 5 for "CFG", 0 for anything else.
int FileTypeFromTag(const char (&typeTag)[32]);

DataFileHeader MakeFileHeader(int fileType, uint16_t viewCount);

}  // namespace velor
