#pragma once
// The rectangular profile view's persisted settings: one 52-byte record after its placement
// block in the data file.

#include <cstddef>
#include <cstdint>

#include "document/file/DataCrc16.h"

namespace velor {

struct CProfileData : CDataCrc16 {
    uint16_t m_nUpdateRate = 5;       // plot frequency value
    uint16_t m_nUpdateRateUnit = 0;   // 0 per second, 1 per minute, 2 per hour
    uint32_t m_reserved4 = 0;
    uint32_t m_bNormalize = 0;
    uint32_t m_reserved12 = 0;
    uint16_t m_nLayoutMarker = 1024;  // written 0 whenever the view lays itself out
    uint16_t m_reserved18 = 0;
    float m_fZoomRange = 180.0f;      // width of the angle window, degrees
    float m_fZoomOffset = 0.0f;       // centre of the angle window, degrees
    int32_t m_nZoomGrid = 10;         // spacing of the vertical grid lines, degrees
    uint32_t m_crText = 0x0000FF00;   // 0x00BBGGRR
    uint32_t m_crGrid = 0x000000FF;
    uint32_t m_crData = 0x00FFFFFF;
    uint32_t m_crBackground = 0x00000000;
    uint8_t m_bLogarithmic = 0;
    uint8_t m_reserved49 = 0;
    uint16_t m_nMagnification = 1;    // 1, 10, 100 or 1000
};
static_assert(sizeof(CProfileData) == 52);
static_assert(offsetof(CProfileData, m_nUpdateRateUnit) == 2);
static_assert(offsetof(CProfileData, m_reserved4) == 4);
static_assert(offsetof(CProfileData, m_bNormalize) == 8);
static_assert(offsetof(CProfileData, m_reserved12) == 12);
static_assert(offsetof(CProfileData, m_nLayoutMarker) == 16);
static_assert(offsetof(CProfileData, m_fZoomRange) == 20);
static_assert(offsetof(CProfileData, m_fZoomOffset) == 24);
static_assert(offsetof(CProfileData, m_nZoomGrid) == 28);
static_assert(offsetof(CProfileData, m_crText) == 32);
static_assert(offsetof(CProfileData, m_crGrid) == 36);
static_assert(offsetof(CProfileData, m_crData) == 40);
static_assert(offsetof(CProfileData, m_crBackground) == 44);
static_assert(offsetof(CProfileData, m_bLogarithmic) == 48);
static_assert(offsetof(CProfileData, m_nMagnification) == 50);

}  // namespace velor
