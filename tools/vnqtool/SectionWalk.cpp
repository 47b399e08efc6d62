#include "tools/vnqtool/SectionWalk.h"

#include "document/file/DataCrc16.h"
#include "document/GainRangeData.h"
#include "document/file/ViewTypeRegistry.h"

namespace vnqtool {

using namespace velor;

std::vector<WalkedSection> SectionsOf(const DataFile::LoadRecord& record) {
    std::vector<WalkedSection> sections;
    for (const ReadBlockRecord& block : record.blocks) {
        if (block.length == kSectionMarkerLength && block.crc == kSectionMarkerCrc) {
            sections.push_back(WalkedSection{block.tag, {}});
            continue;
        }
        if (sections.empty()) sections.push_back(WalkedSection{0xFFFF, {}});
        sections.back().blocks.push_back(WalkedBlock{block.tag, block.length, block.checked});
    }
    return sections;
}

QString SectionName(uint16_t tag) {
    switch (tag) {
        case kFrameSectionTag: return QStringLiteral("main frame");
        case kDocumentSectionTag: return QStringLiteral("document");
        case kTimeStatViewTag: return QStringLiteral("time statistics view");
        case kProfileViewTag: return QStringLiteral("rectangular profile view");
        case kNoteViewTag: return QStringLiteral("notes view");
        case kPowerViewTag: return QStringLiteral("power view");
        case kBeamDataViewTag: return QStringLiteral("beam statistics view");
        case k3dViewTag: return QStringLiteral("3D view");
        case kPolarViewTag: return QStringLiteral("polar view");
        case kTopoViewTag: return QStringLiteral("topographic view");
        case kNearFieldViewTag: return QStringLiteral("near field view");
        case kGainRangeSectionTag: return QStringLiteral("gain ranges");
        case 0xFFFF: return QStringLiteral("(blocks before any section)");
        default: return QStringLiteral("unknown section");
    }
}

}  // namespace vnqtool
