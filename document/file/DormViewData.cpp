#include "document/file/DormViewData.h"

#include <cstring>

namespace velor {

bool CDormViewData::ReadViewData(Archive& archive) {
    CDormViewData copy = *this;
    const uint16_t stored = ReadBlock(archive, &copy, sizeof copy);
    if (stored == 0) return false;

    if (copy.m_placement.length != sizeof(WindowPlacement) || stored < sizeof(CDormViewData)) {
        // Older layout: bytes 12..27 are the window rectangle; keep the current placement.
        int32_t rect[4];
        std::memcpy(rect, reinterpret_cast<const char*>(&copy) + offsetof(CDormViewData, m_placement),
                    sizeof rect);
        copy.m_placement = m_placement;
        const bool empty = rect[2] <= rect[0] || rect[3] <= rect[1];
        if (!empty) {
            std::memcpy(copy.m_placement.normalPosition, rect, sizeof rect);
            copy.m_placement.showCmd = kShowNormal;
        } else if (rect[0] == -1) {
            copy.m_placement.showCmd = kShowMinimized;
        } else if (rect[0] == -2) {
            copy.m_placement.showCmd = kShowMaximized;
        }
    }
    *this = copy;
    m_bDataCollection = 0;
    return true;
}

bool CDormViewData::WriteViewData(Archive& archive) const {
    return WriteBlock(archive, this, sizeof(CDormViewData)) != 0;
}

}  // namespace velor
