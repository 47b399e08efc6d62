#pragma once
// The measurement's persisted settings: one 144-byte record saved whole in every data and
// configuration file. Reserved fields carry no meaning here but are kept as read, so a file
// saved again is the file that was loaded.

#include <cstddef>
#include <cstdint>

#include "instrument/geometry/SweepGeometry.h"
#include "document/file/DataCrc16.h"

namespace velor {

struct CVelor32DocLSData : CDataCrc16 {
    uint16_t m_reserved0 = 0;
    uint16_t m_nSignalGain = 0;        // gain code, dB
    uint32_t m_reserved4 = 0;
    int32_t m_nScanMode = 0;           // 0 single axis, 2 perpendicular axes, 3 during 3D
    int32_t m_nFilter = 1;             // smoothing window width, odd, 1..99
    float m_fDistance = kApertureOffset;  // aperture-source distance + 1.65 (cm)
    float m_fPhi = 0.0f;               // azimuth, degrees, [0, 360)
    int32_t m_nAveraging = 1;          // sweeps per profile, 1..32767
    uint16_t m_nScans3D = 10;          // N: 10, 20, 50, 100 or 200
    uint16_t m_reserved30 = 0;
    float m_fNoise[2] = {0.0f, 0.0f};  // per axis: dark maximum minus dark offset (counts)
    float m_fOffset[2] = {0.0f, 0.0f};  // per axis: dark offset (counts)
    int32_t m_bBlindSpot = 1;
    int32_t m_b3DValid = 0;
    float m_fRefPower = 1.0f;
    char m_szRefUnits[10] = {'m', 'W', 0, 0, 0, 0, 0, 0, 0, 0};
    uint16_t m_reserved70 = 0;
    float m_fCalCounts = 0.0f;         // calibration integral C, 0 = none
    uint16_t m_nUnits = 0;             // 0 relative, 1 counts, 2 intensity
    uint16_t m_nCalGain = 0;
    int32_t m_nHeadType = -1;          // 0 InGaAs, 1 Si, other unknown
    uint16_t m_reserved84 = 0;
    uint16_t m_reserved86 = 0;
    int32_t m_nHeadVariant = -1;
    uint32_t m_reserved92 = 0;
    double m_reserved96 = 0.0;
    float m_fAngularLimit = 40.0f;     // ± limit of the integral computations, degrees
    float m_fWavelength = 1310.0f;     // nm
    double m_reserved112 = 0.0;
    int32_t m_bPulsed = 0;
    float m_fSourceFreq = 1.0f;        // kHz
    double m_reserved128 = 0.0;
    uint16_t m_n3DGain = 0;
    uint8_t m_reserved138[6] = {0, 0, 0, 0, 0, 0};
};

static_assert(sizeof(CVelor32DocLSData) == 144);
static_assert(offsetof(CVelor32DocLSData, m_reserved0) == 0);
static_assert(offsetof(CVelor32DocLSData, m_nSignalGain) == 2);
static_assert(offsetof(CVelor32DocLSData, m_reserved4) == 4);
static_assert(offsetof(CVelor32DocLSData, m_nScanMode) == 8);
static_assert(offsetof(CVelor32DocLSData, m_nFilter) == 12);
static_assert(offsetof(CVelor32DocLSData, m_fDistance) == 16);
static_assert(offsetof(CVelor32DocLSData, m_fPhi) == 20);
static_assert(offsetof(CVelor32DocLSData, m_nAveraging) == 24);
static_assert(offsetof(CVelor32DocLSData, m_nScans3D) == 28);
static_assert(offsetof(CVelor32DocLSData, m_reserved30) == 30);
static_assert(offsetof(CVelor32DocLSData, m_fNoise) == 32);
static_assert(offsetof(CVelor32DocLSData, m_fOffset) == 40);
static_assert(offsetof(CVelor32DocLSData, m_bBlindSpot) == 48);
static_assert(offsetof(CVelor32DocLSData, m_b3DValid) == 52);
static_assert(offsetof(CVelor32DocLSData, m_fRefPower) == 56);
static_assert(offsetof(CVelor32DocLSData, m_szRefUnits) == 60);
static_assert(offsetof(CVelor32DocLSData, m_reserved70) == 70);
static_assert(offsetof(CVelor32DocLSData, m_fCalCounts) == 72);
static_assert(offsetof(CVelor32DocLSData, m_nUnits) == 76);
static_assert(offsetof(CVelor32DocLSData, m_nCalGain) == 78);
static_assert(offsetof(CVelor32DocLSData, m_nHeadType) == 80);
static_assert(offsetof(CVelor32DocLSData, m_reserved84) == 84);
static_assert(offsetof(CVelor32DocLSData, m_reserved86) == 86);
static_assert(offsetof(CVelor32DocLSData, m_nHeadVariant) == 88);
static_assert(offsetof(CVelor32DocLSData, m_reserved92) == 92);
static_assert(offsetof(CVelor32DocLSData, m_reserved96) == 96);
static_assert(offsetof(CVelor32DocLSData, m_fAngularLimit) == 104);
static_assert(offsetof(CVelor32DocLSData, m_fWavelength) == 108);
static_assert(offsetof(CVelor32DocLSData, m_reserved112) == 112);
static_assert(offsetof(CVelor32DocLSData, m_bPulsed) == 120);
static_assert(offsetof(CVelor32DocLSData, m_fSourceFreq) == 124);
static_assert(offsetof(CVelor32DocLSData, m_reserved128) == 128);
static_assert(offsetof(CVelor32DocLSData, m_n3DGain) == 136);
static_assert(offsetof(CVelor32DocLSData, m_reserved138) == 138);

// The 3D scan counts an acquisition can run (azimuth steps of 18, 9, 3.6, 1.8 and 0.9 degrees).
constexpr bool IsAllowedScans3D(uint16_t n) {
    return n == 10 || n == 20 || n == 50 || n == 100 || n == 200;
}

}  // namespace velor
