#include "views/view3d/View3dRecord.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace velor {
namespace {

// No camera the viewer can reach comes near this far from the scene, which spans ±150.
constexpr float kMaxCameraExtent = 1.0e6f;

bool Flag(uint32_t value) { return value <= 1; }

bool Coordinate(float value) { return std::isfinite(value) && std::abs(value) <= kMaxCameraExtent; }

bool ValidCamera(const C3dData& r) {
    const bool finite = std::all_of(std::begin(r.m_fCameraPosition), std::end(r.m_fCameraPosition), Coordinate) &&
                        std::all_of(std::begin(r.m_fCameraAxis), std::end(r.m_fCameraAxis), Coordinate) &&
                        std::isfinite(r.m_fCameraAngle) && Coordinate(r.m_fFocalDistance) &&
                        Coordinate(r.m_fCameraHeight);
    if (!finite || r.m_fFocalDistance <= 0.0f || r.m_fCameraHeight < 0.0f) return false;
    return !r.m_bOrthographic || r.m_fCameraHeight > 0.0f;
}

}  // namespace

C3dData::C3dData() {
    std::copy(std::begin(kDefaultClipLevels), std::end(kDefaultClipLevels), m_nClipLevel);
    std::copy(std::begin(kDefaultClipColors), std::end(kDefaultClipColors), m_crClipColor);
    SetInitialKind(k3dPolar);
}

void C3dData::SetInitialKind(uint32_t kind) {
    m_nViewKind = kind;
    const float corner = kind == k3dRectangular ? 100.0f : 75.0f;
    const float position[3] = {-corner, corner, corner};
    const float axis[3] = {0.0f, kind == k3dRectangular ? 0.0f : 37.5f, 0.0f};
    std::copy(std::begin(position), std::end(position), m_fCameraPosition);
    std::copy(std::begin(axis), std::end(axis), m_fCameraAxis);
    m_fCameraAngle = 0.0f;
    m_fFocalDistance = std::sqrt(3.0f) * corner;
    m_fCameraHeight = 300.0f;
    m_bOrthographic = 1;
}

bool C3dData::HasInitialCamera() const {
    C3dData initial;
    initial.SetInitialKind(m_nViewKind);
    return std::equal(std::begin(m_fCameraPosition), std::end(m_fCameraPosition),
                      std::begin(initial.m_fCameraPosition)) &&
           std::equal(std::begin(m_fCameraAxis), std::end(m_fCameraAxis), std::begin(initial.m_fCameraAxis)) &&
           m_fCameraAngle == initial.m_fCameraAngle;
}

bool IsValid3dRecord(const C3dData& r) {
    if (!IsValidClipTable(r.m_nClipCount, r.m_nClipLevel, r.m_crClipColor)) return false;
    return Flag(r.m_bSolidSurface) && Flag(r.m_bOrthographic) && Flag(r.m_bLegend) && Flag(r.m_bMeshLines) &&
           Flag(r.m_bLogarithmic) && (r.m_nViewKind == k3dPolar || r.m_nViewKind == k3dRectangular) &&
           r.m_nResolution <= k3dHigh && ValidCamera(r);
}

bool Write3dRecord(Archive& archive, const C3dData& record) {
    return CDataCrc16::WriteBlock(archive, &record, sizeof record) != 0;
}

bool Read3dRecord(Archive& archive, C3dData& record) {
    C3dData copy = record;
    if (CDataCrc16::ReadBlock(archive, &copy, sizeof copy) == 0) return false;
    if (!IsValid3dRecord(copy)) return false;
    record = copy;
    return true;
}

}  // namespace velor
