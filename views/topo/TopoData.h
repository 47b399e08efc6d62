#pragma once
// The topographic view's persisted settings: one 424-byte record after the placement block.
// Its clip-level table is laid out as the 3D views' is and starts with the same defaults.

#include <cstddef>
#include <cstdint>

#include "document/file/DataCrc16.h"
#include "views/common/ClipLevels.h"

namespace velor {

// The resolutions the document thins its 3D data to.
inline constexpr uint32_t kTopoLow = 0;
inline constexpr uint32_t kTopoMedium = 1;
inline constexpr uint32_t kTopoHigh = 2;

// How near the camera may come to the point it looks at, and how far it may go: from a few
// degrees of the disc across the view to the disc a tenth of its first size.
inline constexpr float kTopoNearest = 2.0f;
inline constexpr float kTopoFarthest = 2550.0f;

struct C2dData : CDataCrc16 {
    C2dData();

    uint16_t m_nClipCount = kDefaultClipLevelCount;  // valid entries of the two tables
    uint16_t m_reserved2 = 0;
    uint32_t m_reserved4 = 1;                        // set at construction, not used
    uint16_t m_nClipLevel[kMaxClipLevels] = {};      // tenths of a percent, highest first
    uint32_t m_crClipColor[kMaxClipLevels] = {};     // 0x00BBGGRR
    // The camera looks straight down onto the disc from here; the point it looks at lies the
    // focal distance below.
    float m_fCameraPosition[3] = {0.0f, 0.0f, 255.0f};
    float m_fFocalDistance = 255.0f;
    uint32_t m_bLegend = 1;                          // legend shown
    uint32_t m_bMeshLines = 0;                       // element edges drawn
    uint32_t m_nResolution = kTopoLow;
    uint8_t m_bLogarithmic = 0;                      // values in decibels
    uint8_t m_reserved421[3] = {};
};
static_assert(sizeof(C2dData) == 424);
static_assert(offsetof(C2dData, m_nClipCount) == 0);
static_assert(offsetof(C2dData, m_reserved2) == 2);
static_assert(offsetof(C2dData, m_reserved4) == 4);
static_assert(offsetof(C2dData, m_nClipLevel) == 8);
static_assert(offsetof(C2dData, m_crClipColor) == 136);
static_assert(offsetof(C2dData, m_fCameraPosition) == 392);
static_assert(offsetof(C2dData, m_fFocalDistance) == 404);
static_assert(offsetof(C2dData, m_bLegend) == 408);
static_assert(offsetof(C2dData, m_bMeshLines) == 412);
static_assert(offsetof(C2dData, m_nResolution) == 416);
static_assert(offsetof(C2dData, m_bLogarithmic) == 420);
static_assert(offsetof(C2dData, m_reserved421) == 421);

}  // namespace velor
