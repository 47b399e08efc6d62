#include "views/timestats/TimeStatRecord.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "views/timestats/TimeStatUnits.h"
#include "views/timestats/TimeStatVariables.h"

namespace velor {
namespace {

// The Timing dialog's highest rate: 3600 updates an hour for each of at most 10 a second.
constexpr int kMaxRate = 36000;
// Axis limits a dialog or the scaling could reach, with room; beyond them a file is damaged.
constexpr float kMaxAxisMagnitude = 1.0e7f;
constexpr int32_t kMaxFontSize = 512;
constexpr int16_t kMaxUserAngle = 900;  // tenths of a degree
constexpr uint16_t kMaxClip = 1000;

template <size_t N>
bool Terminated(const char (&text)[N]) {
    return std::memchr(text, '\0', N) != nullptr;
}

bool Flag(uint32_t value) { return value <= 1; }

bool AxisValue(float value) { return std::isfinite(value) && std::abs(value) <= kMaxAxisMagnitude; }

}  // namespace

bool IsValidTimeStatRecord(const CTimeStatData& r) {
    return Flag(r.m_bGrid) && r.m_nStatLines <= 15 && Flag(r.m_bCalculations) && Flag(r.m_bAutoX) &&
           Flag(r.m_bAutoY) && r.m_nRate >= 1 && r.m_nRate <= kMaxRate && r.m_nRateUnit <= kUnitPoints &&
           r.m_nDuration >= 1 && r.m_nDurationUnit <= kUnitPoints && Flag(r.m_bManual) &&
           r.m_nSeriesCount >= 1 && r.m_nSeriesCount <= TimeStatModel::kMaxSeries && r.m_nXUnit <= kUnitPoints &&
           r.m_nClip <= kMaxClip && IsClassicVariable(r.m_nVariable) &&
           (r.m_nMetricVariable == 0 || (IsKnownVariable(r.m_nMetricVariable) && !IsClassicVariable(r.m_nMetricVariable))) &&
           Terminated(r.m_szName[0]) &&
           Terminated(r.m_szName[1]) && r.m_nCapacity <= kMaxCapacity && r.m_nCount <= r.m_nCapacity &&
           AxisValue(r.m_fXMin) && AxisValue(r.m_fXMax) && AxisValue(r.m_fYMin) && AxisValue(r.m_fYMax) &&
           r.m_fYMin <= r.m_fYMax && Terminated(r.m_szFontFace) && r.m_nFontSize >= 1 &&
           r.m_nFontSize <= kMaxFontSize && Flag(r.m_bBold) && r.m_nAxisSelection <= 2 && r.m_nAmplitudeRef >= 0 &&
           r.m_nAmplitudeRef <= 2 && std::abs(r.m_nUserAngle) <= kMaxUserAngle;
}

bool WriteTimeStatBlocks(Archive& archive, const CTimeStatData& record, const TimeStatModel& model) {
    CTimeStatData out = record;
    out.m_nCount = static_cast<uint16_t>(model.Count());
    if (CDataCrc16::WriteBlock(archive, &out, sizeof out) == 0) return false;
    std::vector<float> block;
    block.reserve(kValuesPerBlock);
    for (int s = 0; s < out.m_nSeriesCount && out.m_nCount > 0; ++s) {
        int i = 0;
        while (i < out.m_nCount) {
            const int n = std::min(kValuesPerBlock, out.m_nCount - i);
            block.clear();
            for (int k = 0; k < n; ++k) {
                block.push_back(s < model.SeriesCount() ? static_cast<float>(model.Value(s, i + k)) : NAN);
            }
            const auto bytes = static_cast<uint16_t>(n * sizeof(float));
            if (CDataCrc16::WriteBlock(archive, block.data(), bytes) == 0) return false;
            i += n;
        }
    }
    return true;
}

bool ReadTimeStatBlocks(Archive& archive, CTimeStatData& record, TimeStatModel& model) {
    CTimeStatData copy = record;
    if (CDataCrc16::ReadBlock(archive, &copy, sizeof copy) == 0) return false;
    if (!IsValidTimeStatRecord(copy)) return false;

    TimeStatModel loaded;
    loaded.Recreate(copy.m_nCapacity, copy.m_nSeriesCount);
    std::vector<float> values(copy.m_nCount);
    float block[kValuesPerBlock];
    for (int s = 0; s < copy.m_nSeriesCount && copy.m_nCount > 0; ++s) {
        int i = 0;
        while (i < copy.m_nCount) {
            const int n = std::min(kValuesPerBlock, copy.m_nCount - i);
            const uint16_t stored = CDataCrc16::ReadBlock(archive, block, sizeof block);
            if (static_cast<size_t>(stored) < static_cast<size_t>(n) * sizeof(float)) return false;  // damaged, or too short for its points
            for (int k = 0; k < n; ++k) {
                // No value is a NaN; an infinite one no scan can give.
                if (std::isinf(block[k])) return false;
                values[i + k] = block[k];
            }
            i += n;
        }
        loaded.LoadSeries(s, values);
    }
    record = copy;
    model = std::move(loaded);
    return true;
}

}  // namespace velor
