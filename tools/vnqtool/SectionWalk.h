#pragma once
// A raw walk over a measurement file's blocks, independent of any reader: what is actually in
// the file, section by section, with each block's size and whether its checksum holds.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "document/file/FileHeader.h"

namespace vnqtool {

struct WalkedBlock {
    uint16_t tag;
    uint16_t length;
    bool crcOk;
    bool complete;  // all its bytes were present
};

struct WalkedSection {
    uint16_t tag;                    // 0xFFFF for blocks before any marker
    std::vector<WalkedBlock> blocks;
};

struct FileWalk {
    velor::DataFileHeader header{};
    bool headerComplete = false;
    std::vector<WalkedSection> sections;
    qint64 trailingBytes = 0;  // bytes after the last whole block header
};

std::optional<FileWalk> WalkFile(const QString& path);

// "main frame", "document", "notes", ... for a section tag.
QString SectionName(uint16_t tag);

}  // namespace vnqtool
