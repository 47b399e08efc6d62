#include "views/beamstats/BeamRecord.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

#include "document/file/FileHeader.h"

namespace velor {
namespace {

constexpr uint16_t kMaxClip = 1000;          // 100.0 %
constexpr int16_t kMaxUserAngle = 900;       // 90.0°
constexpr uint16_t kMaxRollingSize = 100;
constexpr uint16_t kMaxFiniteSize = 16383;
constexpr uint32_t kWidthBits = 0x01 | 0x04 | 0x10 | 0x20 | 0x40;
constexpr uint32_t kApertureBits = 0x1F;
constexpr uint32_t kRatioBits = 0x1F;
constexpr uint32_t kAmplitudeBits = 0x0F;
constexpr uint32_t kDisplayBits = 0x7F;
// A column no screen could show; anything wider came from damage.
constexpr uint32_t kMaxColumnWidth = 32767;
// Font heights the font chooser offers, in points or pixels.
constexpr int32_t kMaxFontHeight = 1000;
constexpr int32_t kMaxFontWeight = 1000;

template <size_t N>
bool Terminated(const char (&text)[N]) {
    return std::memchr(text, '\0', N) != nullptr;
}

bool WriteArray(Archive& archive, const void* data, size_t size) {
    return CDataCrc16::WriteBlock(archive, data, static_cast<uint16_t>(size)) != 0;
}

// The file's arrays hold the first kBeamRows rows of the table.
template <typename Array>
constexpr uint16_t FileArrayBytes(const Array& array) {
    return static_cast<uint16_t>(kBeamRows * sizeof(array[0]));
}

template <typename Array>
bool ReadArray(Archive& archive, Array& array) {
    return CDataCrc16::ReadBlock(archive, array.data(), FileArrayBytes(array)) != 0;
}

// The block after the arrays is the metric rows' when it carries their tag.
bool MetricBlockFollows(Archive& archive) {
    char ahead[sizeof(BlockHeader) + sizeof CBeamMetricData::m_szTag];
    if (archive.Peek(ahead, sizeof ahead) != static_cast<qint64>(sizeof ahead)) return false;
    BlockHeader header;
    std::memcpy(&header, ahead, sizeof header);
    const CBeamMetricData tagged;
    return header.tag == kDataBlockTag && header.length >= offsetof(CBeamMetricData, m_nKey) &&
           std::memcmp(ahead + sizeof header, tagged.m_szTag, sizeof tagged.m_szTag) == 0;
}

// Statistics are the data file's; a configuration file carries the selection and the limits.
CBeamMetricData WithoutStatistics(const CBeamMetricData& metrics) {
    CBeamMetricData out = metrics;
    for (auto* field : {&out.m_fValue, &out.m_fSum, &out.m_fMinimum, &out.m_fMaximum, &out.m_fSumSquares}) {
        std::fill(std::begin(*field), std::end(*field), 0.0);
    }
    std::fill(std::begin(out.m_nCount), std::end(out.m_nCount), 0u);
    return out;
}

}  // namespace

bool IsValidBeamRecord(const CBeamDataData& r) {
    const bool clips = r.m_nUserClip <= kMaxClip && r.m_nUserClip2 <= kMaxClip && r.m_nUserRatio1 <= kMaxClip &&
                       r.m_nUserRatio2 <= kMaxClip;
    const bool angles = std::abs(r.m_nUserAngle1) <= kMaxUserAngle && std::abs(r.m_nUserAngle2) <= kMaxUserAngle;
    const bool sizes = r.m_nRollingSize <= kMaxRollingSize && r.m_nFiniteSize <= kMaxFiniteSize;
    const bool choices = r.m_nUpdateRateUnit <= 2 && r.m_nStatMode >= kStatContinuous && r.m_nStatMode <= kStatFinite &&
                         r.m_nLogOutput >= kLogNone && r.m_nLogOutput <= kLogPort &&
                         r.m_nDelimiter >= kDelimLineEnd && r.m_nDelimiter <= kDelimSpace;
    const bool flags = (r.m_nWidthFlags & ~kWidthBits) == 0 && (r.m_nApertureFlags & ~kApertureBits) == 0 &&
                       (r.m_nRatioFlags & ~kRatioBits) == 0 && (r.m_nAmplitudeFlags & ~kAmplitudeBits) == 0 &&
                       (r.m_nDisplayFlags & ~kDisplayBits) == 0;
    const bool texts = Terminated(r.m_szLogFile) && Terminated(r.m_szLogPort) && Terminated(r.m_szSerial) &&
                       Terminated(r.m_lfList.lfFaceName);
    const bool font = std::abs(r.m_lfList.lfHeight) <= kMaxFontHeight && r.m_lfList.lfWeight >= 0 &&
                      r.m_lfList.lfWeight <= kMaxFontWeight;
    bool widths = true;
    for (int column = 0; column < kColumnCount; ++column) widths = widths && r.ColumnWidth(column) <= kMaxColumnWidth;
    return clips && angles && sizes && choices && flags && texts && font && widths;
}

bool IsValidBeamLimits(const BeamRowArrays& a) {
    for (int i = 0; i < kBeamRows; ++i) {
        if (a.minLimitSet[i] > 1 || a.maxLimitSet[i] > 1) return false;
        if (!std::isfinite(a.minLimit[i]) || !std::isfinite(a.maxLimit[i])) return false;
    }
    return true;
}

bool IsValidBeamMetrics(const CBeamMetricData& m) {
    if (m.m_nRowCount > kBeamMetricRows) return false;
    for (int i = 0; i < kBeamMetricRows; ++i) {
        if (m.m_nMinLimitSet[i] > 1 || m.m_nMaxLimitSet[i] > 1) return false;
        if (!std::isfinite(m.m_fMinLimit[i]) || !std::isfinite(m.m_fMaxLimit[i])) return false;
    }
    return true;
}

bool WriteBeamBlocks(SerializeContext& context, const CBeamDataData& record, const BeamRowArrays& a,
                     const CBeamMetricData& metrics) {
    Archive& archive = context.archive;
    const bool data = context.fileType == kFileTypeData;
    CBeamDataData written = record;
    if (!data) written.m_nSamples = 0;
    if (!WriteArray(archive, &written, sizeof written)) return false;
    if (data) {
        for (const auto* array : {&a.value, &a.sum, &a.minimum, &a.maximum, &a.sumSquares}) {
            if (!WriteArray(archive, array->data(), FileArrayBytes(*array))) return false;
        }
    }
    if (!WriteArray(archive, a.minLimit.data(), FileArrayBytes(a.minLimit)) ||
        !WriteArray(archive, a.maxLimit.data(), FileArrayBytes(a.maxLimit)) ||
        !WriteArray(archive, a.minLimitSet.data(), FileArrayBytes(a.minLimitSet)) ||
        !WriteArray(archive, a.maxLimitSet.data(), FileArrayBytes(a.maxLimitSet))) {
        return false;
    }
    if (metrics.m_nKinds == 0) return true;
    const CBeamMetricData block = data ? metrics : WithoutStatistics(metrics);
    return WriteArray(archive, &block, sizeof block);
}

bool ReadBeamBlocks(SerializeContext& context, CBeamDataData& record, BeamRowArrays& arrays,
                    CBeamMetricData& metrics) {
    Archive& archive = context.archive;
    CBeamDataData r = record;
    BeamRowArrays a = arrays;
    CBeamMetricData m;
    if (CDataCrc16::ReadBlock(archive, &r, sizeof r) == 0 || !IsValidBeamRecord(r)) return false;
    if (context.fileType == kFileTypeData) {
        for (auto* array : {&a.value, &a.sum, &a.minimum, &a.maximum, &a.sumSquares}) {
            if (!ReadArray(archive, *array)) return false;
        }
    }
    if (VersionAtLeast(context.fileVersion, 4, 0, 1)) {
        if (!ReadArray(archive, a.minLimit) || !ReadArray(archive, a.maxLimit) || !ReadArray(archive, a.minLimitSet) ||
            !ReadArray(archive, a.maxLimitSet) || !IsValidBeamLimits(a)) {
            return false;
        }
    }
    if (MetricBlockFollows(archive) &&
        (CDataCrc16::ReadBlock(archive, &m, sizeof m) == 0 || !IsValidBeamMetrics(m))) {
        return false;
    }
    record = r;
    arrays = a;
    metrics = m;
    return true;
}

}  // namespace velor
