#include "views/topo/TopoRecord.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace velor {
namespace {

// No camera the viewer can reach comes near this far from the disc, which spans ±90.
constexpr float kMaxCameraExtent = 1.0e6f;

bool Flag(uint32_t value) { return value <= 1; }

bool Coordinate(float value) { return std::isfinite(value) && std::abs(value) <= kMaxCameraExtent; }

bool ValidCamera(const C2dData& r) {
    if (!std::all_of(std::begin(r.m_fCameraPosition), std::end(r.m_fCameraPosition), Coordinate)) return false;
    // Looking down from below the disc would show nothing.
    return r.m_fCameraPosition[2] > 0.0f && r.m_fFocalDistance >= kTopoNearest && r.m_fFocalDistance <= kTopoFarthest;
}

}  // namespace

C2dData::C2dData() {
    std::copy(std::begin(kDefaultClipLevels), std::end(kDefaultClipLevels), m_nClipLevel);
    std::copy(std::begin(kDefaultClipColors), std::end(kDefaultClipColors), m_crClipColor);
}

bool IsValid2dRecord(const C2dData& r) {
    return IsValidClipTable(r.m_nClipCount, r.m_nClipLevel, r.m_crClipColor) && Flag(r.m_bLegend) &&
           Flag(r.m_bMeshLines) && Flag(r.m_bLogarithmic) && r.m_nResolution <= kTopoHigh && ValidCamera(r);
}

bool Write2dRecord(Archive& archive, const C2dData& record) {
    return CDataCrc16::WriteBlock(archive, &record, sizeof record) != 0;
}

bool Read2dRecord(Archive& archive, C2dData& record) {
    C2dData copy = record;
    if (CDataCrc16::ReadBlock(archive, &copy, sizeof copy) == 0) return false;
    if (!IsValid2dRecord(copy)) return false;
    record = copy;
    return true;
}

}  // namespace velor
