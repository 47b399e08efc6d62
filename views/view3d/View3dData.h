#pragma once
// The 3D views' persisted settings: one 452-byte record after the placement block. One record
// serves both kinds of window; the kind itself is in the record, so a file reopens each
// window as the kind it was.

#include <cstddef>
#include <cstdint>

#include "document/file/DataCrc16.h"
#include "views/common/ClipLevels.h"

namespace velor {

// The kinds of 3D window, as the Window menu asks for them and the record stores them.
inline constexpr uint32_t k3dPolar = 1;
inline constexpr uint32_t k3dRectangular = 3;

// The resolutions the document thins its 3D data to.
inline constexpr uint32_t k3dLow = 0;
inline constexpr uint32_t k3dMedium = 1;
inline constexpr uint32_t k3dHigh = 2;

struct C3dData : CDataCrc16 {
    C3dData();

    uint16_t m_nClipCount = kDefaultClipLevelCount;  // valid entries of the two tables
    uint16_t m_reserved2 = 0;
    uint32_t m_bSolidSurface = 1;                    // filled surface; 0: lines
    uint16_t m_nClipLevel[kMaxClipLevels] = {};      // tenths of a percent, highest first
    uint32_t m_crClipColor[kMaxClipLevels] = {};     // 0x00BBGGRR
    // The camera: position, orientation as a rotation (axis, angle in radians) of a camera
    // looking down −z with +y up, distance to the point looked at, and the height the
    // orthographic view spans.
    float m_fCameraPosition[3] = {-75.0f, 75.0f, 75.0f};
    float m_fCameraAxis[3] = {0.0f, 37.5f, 0.0f};
    float m_fCameraAngle = 0.0f;
    float m_fFocalDistance = 0.0f;
    float m_fCameraHeight = 300.0f;
    uint32_t m_bOrthographic = 1;
    uint32_t m_bLegend = 1;                          // legend shown (rectangular kind)
    uint32_t m_bMeshLines = 0;                       // element edges drawn
    uint32_t m_nViewKind = k3dPolar;                 // k3dPolar or k3dRectangular
    uint32_t m_nResolution = k3dLow;
    uint8_t m_bLogarithmic = 0;                      // values in decibels
    uint8_t m_reserved449[3] = {};

    bool IsRectangular() const { return m_nViewKind == k3dRectangular; }
    // The kind and the camera a new window of that kind starts with.
    void SetInitialKind(uint32_t kind);
    // True while the camera is the one a new window starts with: it is then aimed at the
    // middle of the scene rather than taken literally (its orientation is only a placeholder).
    bool HasInitialCamera() const;
};
static_assert(sizeof(C3dData) == 452);
static_assert(offsetof(C3dData, m_nClipCount) == 0);
static_assert(offsetof(C3dData, m_reserved2) == 2);
static_assert(offsetof(C3dData, m_bSolidSurface) == 4);
static_assert(offsetof(C3dData, m_nClipLevel) == 8);
static_assert(offsetof(C3dData, m_crClipColor) == 136);
static_assert(offsetof(C3dData, m_fCameraPosition) == 392);
static_assert(offsetof(C3dData, m_fCameraAxis) == 404);
static_assert(offsetof(C3dData, m_fCameraAngle) == 416);
static_assert(offsetof(C3dData, m_fFocalDistance) == 420);
static_assert(offsetof(C3dData, m_fCameraHeight) == 424);
static_assert(offsetof(C3dData, m_bOrthographic) == 428);
static_assert(offsetof(C3dData, m_bLegend) == 432);
static_assert(offsetof(C3dData, m_bMeshLines) == 436);
static_assert(offsetof(C3dData, m_nViewKind) == 440);
static_assert(offsetof(C3dData, m_nResolution) == 444);
static_assert(offsetof(C3dData, m_bLogarithmic) == 448);
static_assert(offsetof(C3dData, m_reserved449) == 449);

}  // namespace velor
