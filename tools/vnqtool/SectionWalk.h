#pragma once
// A measurement file's blocks, section by section, as the loader met them: each block's size
// and whether the loader read it and found its checksum to hold.

#include <QString>
#include <cstdint>
#include <vector>

#include "document/file/DataFile.h"

namespace vnqtool {

struct WalkedBlock {
    uint16_t tag;
    uint16_t length;
    bool checked;  // read whole and its checksum holds (blocks passed over are not read)
};

struct WalkedSection {
    uint16_t tag;                    // 0xFFFF for blocks before any marker
    std::vector<WalkedBlock> blocks;
};

// The sections of a loaded file, from the loader's record of its block headers.
std::vector<WalkedSection> SectionsOf(const velor::DataFile::LoadRecord& record);

// "main frame", "document", "notes", ... for a section tag.
QString SectionName(uint16_t tag);

}  // namespace vnqtool
