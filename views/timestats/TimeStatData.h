#pragma once
// The time statistics view's persisted settings: one 688-byte record after its placement
// block, followed in the file by the points themselves. Colours are 0x00BBGGRR; names and the
// font face are 8-bit (Latin-1) text, NUL-terminated.

#include <cstddef>
#include <cstdint>

#include "document/file/DataCrc16.h"

namespace velor {

// Bits of m_nStatLines.
inline constexpr uint32_t kMeanLine = 1u << 0;
inline constexpr uint32_t kMinLine = 1u << 1;
inline constexpr uint32_t kMaxLine = 1u << 2;
inline constexpr uint32_t kSigmaLines = 1u << 3;

struct CTimeStatData : CDataCrc16 {
    uint32_t m_reserved0 = 0;        // kept as found
    uint32_t m_bGrid = 1;            // grid lines shown
    uint32_t m_bFlag8 = 1;           // carried through the file, no meaning to the view
    uint32_t m_nStatLines = 0;       // kMeanLine | kMinLine | kMaxLine | kSigmaLines
    uint32_t m_bCalculations = 0;    // statistics table shown
    uint32_t m_bAutoX = 1;           // X axis follows the data
    uint32_t m_bAutoY = 1;           // Y axis follows the data
    uint16_t m_nRate = 10;           // updates per rate unit
    uint16_t m_nRateUnit = 0;        // 0 per second, 1 per minute, 2 per hour (3 in manual mode)
    uint16_t m_nDuration = 1000;     // length of a run in the duration unit
    uint16_t m_nDurationUnit = 3;    // 0 seconds, 1 minutes, 2 hours, 3 points
    uint32_t m_bManual = 0;          // one point per activation of data collection
    uint16_t m_nSeriesCount = 2;     // 1 or 2 lines
    uint16_t m_nXUnit = 3;           // 0 seconds, 1 minutes, 2 hours, 3 points
    uint16_t m_nClip = 50;           // tenths of a percent
    uint16_t m_nVariable = 22;       // what a point is (TimeStatVariables.h)
    uint32_t m_crSeries[2] = {0x000000FF, 0x00FF0000};
    char m_szName[2][256] = {"Angular Width", "Angular Width"};  // legend labels
    uint16_t m_nCapacity = 0;        // points a run holds
    uint16_t m_nCount = 0;           // points collected
    float m_fXMin = 0.0f;
    float m_fXMax = 10.0f;
    float m_fYMin = 0.0f;
    float m_fYMax = 1.0f;
    char m_szFontFace[80] = "Arial";
    int32_t m_nFontSize = 10;        // points
    uint32_t m_bBold = 0;
    uint16_t m_nAxisSelection = 2;   // 0 axis 0, 1 axis 1, 2 both
    // 0, or a variable newer than the classic ones (29 on, TimeStatVariables.h). m_nVariable
    // then holds the classic variable closest to it, which is all an older reader sees.
    uint16_t m_nMetricVariable = 0;
    int32_t m_nAmplitudeRef = 1;     // Amplitude at 0 the centroid, 1 the peak, 2 the user angle
    int16_t m_nUserAngle = 0;        // tenths of a degree
    uint16_t m_reserved686 = 0;
};
static_assert(sizeof(CTimeStatData) == 688);
static_assert(offsetof(CTimeStatData, m_reserved0) == 0);
static_assert(offsetof(CTimeStatData, m_bGrid) == 4);
static_assert(offsetof(CTimeStatData, m_bFlag8) == 8);
static_assert(offsetof(CTimeStatData, m_nStatLines) == 12);
static_assert(offsetof(CTimeStatData, m_bCalculations) == 16);
static_assert(offsetof(CTimeStatData, m_bAutoX) == 20);
static_assert(offsetof(CTimeStatData, m_bAutoY) == 24);
static_assert(offsetof(CTimeStatData, m_nRate) == 28);
static_assert(offsetof(CTimeStatData, m_nRateUnit) == 30);
static_assert(offsetof(CTimeStatData, m_nDuration) == 32);
static_assert(offsetof(CTimeStatData, m_nDurationUnit) == 34);
static_assert(offsetof(CTimeStatData, m_bManual) == 36);
static_assert(offsetof(CTimeStatData, m_nSeriesCount) == 40);
static_assert(offsetof(CTimeStatData, m_nXUnit) == 42);
static_assert(offsetof(CTimeStatData, m_nClip) == 44);
static_assert(offsetof(CTimeStatData, m_nVariable) == 46);
static_assert(offsetof(CTimeStatData, m_crSeries) == 48);
static_assert(offsetof(CTimeStatData, m_szName) == 56);
static_assert(offsetof(CTimeStatData, m_szName) + 256 == 312);
static_assert(offsetof(CTimeStatData, m_nCapacity) == 568);
static_assert(offsetof(CTimeStatData, m_nCount) == 570);
static_assert(offsetof(CTimeStatData, m_fXMin) == 572);
static_assert(offsetof(CTimeStatData, m_fXMax) == 576);
static_assert(offsetof(CTimeStatData, m_fYMin) == 580);
static_assert(offsetof(CTimeStatData, m_fYMax) == 584);
static_assert(offsetof(CTimeStatData, m_szFontFace) == 588);
static_assert(offsetof(CTimeStatData, m_nFontSize) == 668);
static_assert(offsetof(CTimeStatData, m_bBold) == 672);
static_assert(offsetof(CTimeStatData, m_nAxisSelection) == 676);
static_assert(offsetof(CTimeStatData, m_nMetricVariable) == 678);
static_assert(offsetof(CTimeStatData, m_nAmplitudeRef) == 680);
static_assert(offsetof(CTimeStatData, m_nUserAngle) == 684);
static_assert(offsetof(CTimeStatData, m_reserved686) == 686);

}  // namespace velor
