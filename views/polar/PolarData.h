#pragma once
// The polar view's persisted settings: one 44-byte record after its placement block.

#include <cstddef>
#include <cstdint>

#include "document/file/DataCrc16.h"

namespace velor {

struct CPolarData : CDataCrc16 {
    uint16_t m_nUpdateRate = 5;
    uint16_t m_nUpdateRateUnit = 0;   // 0 per second, 1 per minute, 2 per hour
    uint32_t m_bNormalize = 0;
    uint16_t m_nLayoutMarker = 1024;  // written 0 whenever the view lays itself out
    uint16_t m_reserved10 = 0;
    float m_fZoomRange = 180.0f;
    float m_fZoomOffset = 0.0f;
    int32_t m_nZoomGrid = 10;         // spacing of the angle spokes, degrees
    uint32_t m_crText = 0x0000FF00;   // 0x00BBGGRR
    uint32_t m_crGrid = 0x0000FF00;
    uint32_t m_crData = 0x00FFFFFF;
    uint32_t m_crBackground = 0x00000000;
    uint8_t m_bLogarithmic = 0;
    uint8_t m_reserved41 = 0;
    uint16_t m_nMagnification = 1;
};
static_assert(sizeof(CPolarData) == 44);
static_assert(offsetof(CPolarData, m_nUpdateRateUnit) == 2);
static_assert(offsetof(CPolarData, m_bNormalize) == 4);
static_assert(offsetof(CPolarData, m_nLayoutMarker) == 8);
static_assert(offsetof(CPolarData, m_fZoomRange) == 12);
static_assert(offsetof(CPolarData, m_fZoomOffset) == 16);
static_assert(offsetof(CPolarData, m_nZoomGrid) == 20);
static_assert(offsetof(CPolarData, m_crText) == 24);
static_assert(offsetof(CPolarData, m_crGrid) == 28);
static_assert(offsetof(CPolarData, m_crData) == 32);
static_assert(offsetof(CPolarData, m_crBackground) == 36);
static_assert(offsetof(CPolarData, m_bLogarithmic) == 40);
static_assert(offsetof(CPolarData, m_nMagnification) == 42);

}  // namespace velor
