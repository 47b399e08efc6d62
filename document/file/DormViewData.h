#pragma once
// The placement record that opens every view section: the view frame's window placement in
// the 44-byte layout the files have always used, the data-collection flag and the update rate.

#include <cstddef>
#include <cstdint>

#include "document/file/DataCrc16.h"

namespace velor {

struct WindowPlacement {
    uint32_t length = 44;
    uint32_t flags = 0;
    uint32_t showCmd = 1;  // 1 normal, 2 minimised, 3 maximised
    int32_t minPosition[2] = {0, 0};
    int32_t maxPosition[2] = {0, 0};
    int32_t normalPosition[4] = {0, 0, 300, 300};  // left, top, right, bottom
};
static_assert(sizeof(WindowPlacement) == 44);
static_assert(offsetof(WindowPlacement, showCmd) == 8);
static_assert(offsetof(WindowPlacement, minPosition) == 12);
static_assert(offsetof(WindowPlacement, maxPosition) == 20);
static_assert(offsetof(WindowPlacement, normalPosition) == 28);

inline constexpr uint32_t kShowNormal = 1;
inline constexpr uint32_t kShowMinimized = 2;
inline constexpr uint32_t kShowMaximized = 3;

struct CDormViewData : CDataCrc16 {
    uint32_t m_reserved0 = 0;
    uint32_t m_bDataCollection = 0;  // the view is an acquisition client
    uint32_t m_reserved8 = 0;
    WindowPlacement m_placement;
    uint16_t m_nUpdateRate = 0;
    uint16_t m_nUpdateRateUnit = 0;  // 0 per second, 1 per minute, 2 per hour

    // Reads the placement block into a copy and commits it; false on a damaged block.
    // Files of the older layout kept a plain window rectangle at offsets 12..27.
    bool ReadViewData(Archive& archive);
    bool WriteViewData(Archive& archive) const;
};
static_assert(sizeof(CDormViewData) == 60);
static_assert(offsetof(CDormViewData, m_reserved0) == 0);
static_assert(offsetof(CDormViewData, m_bDataCollection) == 4);
static_assert(offsetof(CDormViewData, m_reserved8) == 8);
static_assert(offsetof(CDormViewData, m_placement) == 12);
static_assert(offsetof(CDormViewData, m_nUpdateRate) == 56);
static_assert(offsetof(CDormViewData, m_nUpdateRateUnit) == 58);

}  // namespace velor
