#include "document/file/FileHeader.h"

#include <cstdio>
#include <cstring>

#include "document/file/DataCrc16.h"

namespace velor {

VersionOrder CompareFileVersion(uint32_t fileVersion, uint32_t programVersion) {
    if (fileVersion == programVersion) return VersionOrder::Same;
    const unsigned file[] = {VersionMajor(fileVersion), VersionMinor(fileVersion),
                             VersionRevision(fileVersion)};
    const unsigned program[] = {VersionMajor(programVersion), VersionMinor(programVersion),
                                VersionRevision(programVersion)};
    for (int i = 0; i < 3; ++i) {
        if (file[i] != program[i]) return file[i] > program[i] ? VersionOrder::Newer : VersionOrder::Older;
    }
    return VersionOrder::Newer;  // only the unused top byte differs
}

bool VersionAtLeast(uint32_t fileVersion, unsigned major, unsigned minor, unsigned revision) {
    const unsigned file[] = {VersionMajor(fileVersion), VersionMinor(fileVersion),
                             VersionRevision(fileVersion)};
    const unsigned wanted[] = {major, minor, revision};
    for (int i = 0; i < 3; ++i) {
        if (file[i] != wanted[i]) return file[i] > wanted[i];
    }
    return true;
}

const char* FormatVersionTo(char (&out)[16], uint32_t version) {
    std::snprintf(out, sizeof out, "%u.%u.%u", VersionMajor(version), VersionMinor(version),
                  VersionRevision(version));
    return out;
}

int FileTypeFromTag(const char (&typeTag)[32]) {
    if (std::strncmp(typeTag, kDataFileTypeTag, sizeof typeTag) == 0) return kFileTypeData;
    if (std::strncmp(typeTag, kConfigFileTypeTag, sizeof typeTag) == 0) return kFileTypeConfig;
    return 0;
}

DataFileHeader MakeFileHeader(int fileType, uint16_t viewCount) {
    DataFileHeader header{};
    std::strcpy(header.typeTag, fileType == kFileTypeConfig ? kConfigFileTypeTag : kDataFileTypeTag);
    header.version = kProgramFileVersion;
    header.viewCount = viewCount;
    header.reserved = 0;
    return header;
}

}  // namespace velor
