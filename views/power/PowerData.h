#pragma once
// The power view's persisted settings: one 96-byte record after its placement block. The
// reference power, its unit and the calibration integral are copies of the document's,
// refreshed before every use; the rest is what the user chose.

#include <cstddef>
#include <cstdint>

#include "document/file/DataCrc16.h"

namespace velor {

struct CPowerData : CDataCrc16 {
    uint32_t m_nConeFlags = 7;                       // bit i: cone i + 1 shown
    float m_fConeAngle[3] = {5.0f, 10.0f, 45.0f};    // half-angles, degrees
    float m_fRefPower = 1.0f;                        // copy of the document's reference power
    char m_szRefUnits[10] = {'m', 'W'};              // copy of its unit, NUL-terminated
    uint16_t m_reserved30 = 0;
    float m_fCalCounts = 0.0f;                       // copy of the calibration integral C
    uint32_t m_nAxisMode = 1;                        // nonzero: about the optical axis; 0: the 3D centroid
    uint32_t m_crText = 0x0000FF00;                  // 0x00BBGGRR
    uint32_t m_crGrid = 0x0000FF00;
    uint32_t m_crData = 0x00FFFFFF;
    uint32_t m_crBackground = 0x00000000;
    uint32_t m_reserved56[2] = {0, 0};
    uint32_t m_nPercentFlags = 7;                    // bit i: percentage i + 1 shown
    float m_fPercent[3] = {25.0f, 50.0f, 75.0f};     // percent of the total power
    uint32_t m_reserved80[2] = {0, 0};
    uint32_t m_bShowNA = 0;                          // nonzero: cone angles shown as numerical aperture
    uint32_t m_reserved92 = 0;

    bool ConeShown(int i) const { return (m_nConeFlags >> i) & 1u; }
    bool PercentShown(int i) const { return (m_nPercentFlags >> i) & 1u; }
    bool AboutOpticalAxis() const { return m_nAxisMode != 0; }
};
static_assert(sizeof(CPowerData) == 96);
static_assert(offsetof(CPowerData, m_nConeFlags) == 0);
static_assert(offsetof(CPowerData, m_fConeAngle) == 4);
static_assert(offsetof(CPowerData, m_fRefPower) == 16);
static_assert(offsetof(CPowerData, m_szRefUnits) == 20);
static_assert(offsetof(CPowerData, m_fCalCounts) == 32);
static_assert(offsetof(CPowerData, m_nAxisMode) == 36);
static_assert(offsetof(CPowerData, m_crText) == 40);
static_assert(offsetof(CPowerData, m_crGrid) == 44);
static_assert(offsetof(CPowerData, m_crData) == 48);
static_assert(offsetof(CPowerData, m_crBackground) == 52);
static_assert(offsetof(CPowerData, m_reserved56) == 56);
static_assert(offsetof(CPowerData, m_nPercentFlags) == 64);
static_assert(offsetof(CPowerData, m_fPercent) == 68);
static_assert(offsetof(CPowerData, m_reserved80) == 80);
static_assert(offsetof(CPowerData, m_bShowNA) == 88);
static_assert(offsetof(CPowerData, m_reserved92) == 92);

}  // namespace velor
