#pragma once
// The beam statistics view's persisted settings (one 592-byte record after its placement
// block), its per-row statistics and limits, which follow the record in the data file, and the
// additional block of the metric rows.

#include <array>
#include <cstddef>
#include <cstdint>

#include "document/file/DataCrc16.h"

namespace velor {

// The font record of the Windows-era files, field for field.
struct LogFont {
    int32_t lfHeight = 8;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {'M', 'S', ' ', 'S', 'a', 'n', 's', ' ', 'S', 'e', 'r', 'i', 'f'};
};
static_assert(sizeof(LogFont) == 60);
static_assert(offsetof(LogFont, lfWeight) == 16);
static_assert(offsetof(LogFont, lfItalic) == 20);
static_assert(offsetof(LogFont, lfCharSet) == 23);
static_assert(offsetof(LogFont, lfPitchAndFamily) == 27);
static_assert(offsetof(LogFont, lfFaceName) == 28);

// Statistics modes, log outputs and delimiters as the record stores them.
enum BeamStatMode : uint32_t { kStatContinuous = 1, kStatRolling = 2, kStatFinite = 3 };
enum BeamLogOutput : uint32_t { kLogNone = 1, kLogFile = 2, kLogPort = 3 };
enum BeamDelimiter : uint32_t { kDelimLineEnd = 1, kDelimTab, kDelimSemicolon, kDelimComma, kDelimSpace };

// The table's columns, in their order; bit i − 1 of the display flags shows column i.
enum BeamColumn : int {
    kColParameter = 0,
    kColValue,
    kColMean,
    kColMin,
    kColMax,
    kColStdDev,
    kColMinLimit,
    kColMaxLimit,
    kColumnCount
};

inline constexpr int kColumnWidthSlots = 27;

struct CBeamDataData : CDataCrc16 {
    uint16_t m_nUserClip = 800;       // tenths of a percent
    uint16_t m_nUpdateRateUnit = 0;   // 0 per second, 1 per minute, 2 per hour
    uint16_t m_nUpdateRate = 10;
    uint16_t m_reserved6 = 0;
    uint32_t m_nSamples = 0;          // N
    uint16_t m_nRollingSize = 10;
    uint16_t m_nFiniteSize = 10;
    uint32_t m_nWidthFlags = 0;
    uint32_t m_nRatioFlags = 0;
    uint32_t m_nFlatTop = 0;          // kept for the settings; nothing uses it
    uint32_t m_nDisplayFlags = 1;     // bit 0 Value … bit 6 Max Limit
    uint32_t m_bCentroid = 0;
    uint32_t m_bPeak = 0;
    uint32_t m_reserved40[3] = {0, 0, 0};
    uint32_t m_nStatMode = kStatContinuous;
    uint32_t m_nLogOutput = kLogNone;
    uint32_t m_nDelimiter = kDelimComma;
    char m_szLogFile[256] = {};
    char m_szLogPort[16] = {'C', 'O', 'M', '1', ':'};
    uint32_t m_bLogTime = 0;
    uint32_t m_bLogDate = 0;
    uint32_t m_bLogSerial = 0;
    char m_szSerial[16] = {};
    uint32_t m_nColumnWidth[6] = {125, 125, 125, 125, 125, 125};
    LogFont m_lfList;
    uint32_t m_bPointing = 0;         // data-set watch
    uint32_t m_nDataSetId = 0;
    uint32_t m_reserved456 = 0;
    uint16_t m_nUserClip2 = 900;
    uint16_t m_reserved462 = 0;
    uint32_t m_reserved464 = 0;
    uint16_t m_reserved468[2] = {135, 500};
    uint32_t m_nAmplitudeFlags = 0;
    int16_t m_nUserAngle1 = 0;        // tenths of a degree
    int16_t m_nUserAngle2 = 0;
    uint16_t m_nUserRatio1 = 800;
    uint16_t m_nUserRatio2 = 900;
    uint32_t m_nApertureFlags = 0;
    uint32_t m_bModeField = 1;
    uint32_t m_reserved492 = 1;
    uint32_t m_reserved496[2] = {0, 0};
    uint32_t m_nColumnWidth2[21] = {125, 125, 125, 125, 125, 125, 125, 125, 125, 125, 125,
                                    125, 125, 125, 125, 125, 125, 125, 125, 125, 125};
    uint32_t m_reserved588 = 0;

    bool ColumnShown(int column) const { return column == kColParameter || ((m_nDisplayFlags >> (column - 1)) & 1u); }
    // The widths are two arrays in the record, one after the other as far as the table goes.
    uint32_t& ColumnWidth(int slot) { return slot < 6 ? m_nColumnWidth[slot] : m_nColumnWidth2[slot - 6]; }
    uint32_t ColumnWidth(int slot) const { return slot < 6 ? m_nColumnWidth[slot] : m_nColumnWidth2[slot - 6]; }
};
static_assert(sizeof(CBeamDataData) == 592);
static_assert(offsetof(CBeamDataData, m_nUserClip) == 0);
static_assert(offsetof(CBeamDataData, m_nUpdateRateUnit) == 2);
static_assert(offsetof(CBeamDataData, m_nUpdateRate) == 4);
static_assert(offsetof(CBeamDataData, m_reserved6) == 6);
static_assert(offsetof(CBeamDataData, m_nSamples) == 8);
static_assert(offsetof(CBeamDataData, m_nRollingSize) == 12);
static_assert(offsetof(CBeamDataData, m_nFiniteSize) == 14);
static_assert(offsetof(CBeamDataData, m_nWidthFlags) == 16);
static_assert(offsetof(CBeamDataData, m_nRatioFlags) == 20);
static_assert(offsetof(CBeamDataData, m_nFlatTop) == 24);
static_assert(offsetof(CBeamDataData, m_nDisplayFlags) == 28);
static_assert(offsetof(CBeamDataData, m_bCentroid) == 32);
static_assert(offsetof(CBeamDataData, m_bPeak) == 36);
static_assert(offsetof(CBeamDataData, m_reserved40) == 40);
static_assert(offsetof(CBeamDataData, m_nStatMode) == 52);
static_assert(offsetof(CBeamDataData, m_nLogOutput) == 56);
static_assert(offsetof(CBeamDataData, m_nDelimiter) == 60);
static_assert(offsetof(CBeamDataData, m_szLogFile) == 64);
static_assert(offsetof(CBeamDataData, m_szLogPort) == 320);
static_assert(offsetof(CBeamDataData, m_bLogTime) == 336);
static_assert(offsetof(CBeamDataData, m_bLogDate) == 340);
static_assert(offsetof(CBeamDataData, m_bLogSerial) == 344);
static_assert(offsetof(CBeamDataData, m_szSerial) == 348);
static_assert(offsetof(CBeamDataData, m_nColumnWidth) == 364);
static_assert(offsetof(CBeamDataData, m_lfList) == 388);
static_assert(offsetof(CBeamDataData, m_bPointing) == 448);
static_assert(offsetof(CBeamDataData, m_nDataSetId) == 452);
static_assert(offsetof(CBeamDataData, m_reserved456) == 456);
static_assert(offsetof(CBeamDataData, m_nUserClip2) == 460);
static_assert(offsetof(CBeamDataData, m_reserved464) == 464);
static_assert(offsetof(CBeamDataData, m_reserved468) == 468);
static_assert(offsetof(CBeamDataData, m_nAmplitudeFlags) == 472);
static_assert(offsetof(CBeamDataData, m_nUserAngle1) == 476);
static_assert(offsetof(CBeamDataData, m_nUserAngle2) == 478);
static_assert(offsetof(CBeamDataData, m_nUserRatio1) == 480);
static_assert(offsetof(CBeamDataData, m_nUserRatio2) == 482);
static_assert(offsetof(CBeamDataData, m_nApertureFlags) == 484);
static_assert(offsetof(CBeamDataData, m_bModeField) == 488);
static_assert(offsetof(CBeamDataData, m_reserved492) == 492);
static_assert(offsetof(CBeamDataData, m_reserved496) == 496);
static_assert(offsetof(CBeamDataData, m_nColumnWidth2) == 504);
static_assert(offsetof(CBeamDataData, m_reserved588) == 588);

// The arrays after the record hold this many rows; the classic rows never need more.
inline constexpr int kBeamRows = 50;
// Metric rows (BeamMetricKinds.h) the additional block can hold.
inline constexpr int kBeamMetricRows = 32;
// Rows the table holds in memory: the classic ones first, the metric rows after them.
inline constexpr int kBeamTableRows = kBeamRows + kBeamMetricRows;

// Per row of the table: the statistics of the samples so far and the user's limits. In
// rolling mode the sum and sum-of-squares slots hold the window's mean and standard
// deviation. The file's arrays after the record carry the first kBeamRows of them.
struct BeamRowArrays {
    std::array<double, kBeamTableRows> value{};
    std::array<double, kBeamTableRows> sum{};
    std::array<double, kBeamTableRows> minimum{};
    std::array<double, kBeamTableRows> maximum{};
    std::array<double, kBeamTableRows> sumSquares{};
    std::array<double, kBeamTableRows> minLimit{};
    std::array<double, kBeamTableRows> maxLimit{};
    std::array<uint32_t, kBeamTableRows> minLimitSet{};
    std::array<uint32_t, kBeamTableRows> maxLimitSet{};
    // Samples each row's statistics hold: N, except for a metric row whose figure had no
    // value for some samples ("no fit"). Not in the classic arrays of the file.
    std::array<uint32_t, kBeamTableRows> count{};

    void ClearStatistics() {
        value.fill(0.0);
        sum.fill(0.0);
        minimum.fill(0.0);
        maximum.fill(0.0);
        sumSquares.fill(0.0);
        count.fill(0);
    }
};

// The additional block after the arrays, present only while metric rows are selected, so a
// table without them writes its section as it always has. Older readers pass over it as a
// block that belongs to no view. Its statistics and limits are keyed by the rows' parameter
// kinds, so a reader places them by kind whatever rows it builds.
struct CBeamMetricData : CDataCrc16 {
    char m_szTag[8] = {'B', 'S', 'M', 'E', 'T', 'R', 'I', 'C'};  // tells the block from others
    uint32_t m_nKinds = 0;      // selected metric row kinds, bits of BeamMetricKinds.h
    uint32_t m_nRowCount = 0;   // entries below in use, in table order
    uint32_t m_nKey[kBeamMetricRows] = {};
    double m_fValue[kBeamMetricRows] = {};
    double m_fSum[kBeamMetricRows] = {};
    double m_fMinimum[kBeamMetricRows] = {};
    double m_fMaximum[kBeamMetricRows] = {};
    double m_fSumSquares[kBeamMetricRows] = {};
    uint32_t m_nCount[kBeamMetricRows] = {};
    double m_fMinLimit[kBeamMetricRows] = {};
    double m_fMaxLimit[kBeamMetricRows] = {};
    uint32_t m_nMinLimitSet[kBeamMetricRows] = {};
    uint32_t m_nMaxLimitSet[kBeamMetricRows] = {};
};
static_assert(sizeof(CBeamMetricData) == 2320);
static_assert(offsetof(CBeamMetricData, m_szTag) == 0);
static_assert(offsetof(CBeamMetricData, m_nKinds) == 8);
static_assert(offsetof(CBeamMetricData, m_nRowCount) == 12);
static_assert(offsetof(CBeamMetricData, m_nKey) == 16);
static_assert(offsetof(CBeamMetricData, m_fValue) == 144);
static_assert(offsetof(CBeamMetricData, m_fSum) == 400);
static_assert(offsetof(CBeamMetricData, m_fMinimum) == 656);
static_assert(offsetof(CBeamMetricData, m_fMaximum) == 912);
static_assert(offsetof(CBeamMetricData, m_fSumSquares) == 1168);
static_assert(offsetof(CBeamMetricData, m_nCount) == 1424);
static_assert(offsetof(CBeamMetricData, m_fMinLimit) == 1552);
static_assert(offsetof(CBeamMetricData, m_fMaxLimit) == 1808);
static_assert(offsetof(CBeamMetricData, m_nMinLimitSet) == 2064);
static_assert(offsetof(CBeamMetricData, m_nMaxLimitSet) == 2192);

}  // namespace velor
