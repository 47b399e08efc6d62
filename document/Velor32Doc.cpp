#include "document/Velor32Doc.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <numbers>

#include "instrument/geometry/AngleGrid.h"
#include "document/DocumentMessages.h"
#include "document/IntensityFactor.h"
#include "document/PeakFinder.h"

namespace velor {
namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

float ToUnits(double radians, int units) {
    return static_cast<float>(units == kUnitsRadians ? radians : radians * kDegreesPerRadian);
}

double InputToRadians(float angle, int units) {
    return units == kUnitsDegreesIn ? angle / kDegreesPerRadian : static_cast<double>(angle);
}

bool ValidAxis(int axis) { return axis == 0 || axis == 1; }

}  // namespace

CVelor32Doc::CVelor32Doc(const DocumentEnvironment& environment, DocumentStart start)
    : CDormDoc(environment) {
    SetPhiPair(m_fPhi);
    if (start == DocumentStart::New) ReallocateArrays();
    m_bInstrument = 0;
    m_bStoredProfile = 0;
    m_bLiveData = 0;
    m_nSignalGain = 0;
    StopCapture();
    m_nDataIncrement = 1;
    RefreshStatusBar();
}

CVelor32Doc::~CVelor32Doc() {
    m_bInstrument = 0;
    m_bClosing = 1;
    if (m_bShowsSaturationNotice) m_env.prompt.CloseSaturationNotice();
}

bool CVelor32Doc::OnNewDocument() { return CDormDoc::OnNewDocument(); }

bool CVelor32Doc::IsModified() const {
    return CDormDoc::IsModified() ||
           std::memcmp(static_cast<const CVelor32DocLSData*>(this), &m_savedSettings,
                       sizeof m_savedSettings) != 0 ||
           m_ranges.m_nGainRanges != m_nSavedGainRanges;
}

void CVelor32Doc::SetModifiedFlag(bool modified) {
    CDormDoc::SetModifiedFlag(modified);
    if (!modified) {
        m_savedSettings = Settings();
        m_nSavedGainRanges = m_ranges.m_nGainRanges;
    }
}

void CVelor32Doc::ReallocateArrays() { AllocateArrays(ScanContents::Cleared); }

void CVelor32Doc::AllocateArrays(ScanContents scans) {
    // The 3D data go with the arrays: nothing is left to analyse.
    m_b3DAnalysisPending = false;
    m_beamShape = {};
    try {
        m_arrays.Free();
        m_arrays.Allocate(m_nScans3D, scans);
    } catch (const std::bad_alloc&) {
        m_env.prompt.FatalExit(msg::kNotEnoughMemory, kExitOutOfMemory);
    }
    ComputeGrid();
}

void CVelor32Doc::ComputeGrid() {
    ComputeAngleGrid(m_fDistance, m_arrays.angleGrid.data(), m_arrays.gridWeight.data());
}

int CVelor32Doc::GetMaxScanRate() { return m_env.board.Tesk32_IsPulsedSystem(m_nUnit) ? 5 : 10; }

void CVelor32Doc::SetAveraging(int averaging) {
    if (averaging < 1 || averaging > 32767) return;
    m_nAveraging = averaging;
}

void CVelor32Doc::SetFilter(int filter) {
    if (filter < 1 || filter > 99) return;
    m_nFilter = filter;
}

void CVelor32Doc::SetSignalGain(int gain) {
    if (gain < 0 || gain >= 186) return;
    StopCapture();
    m_env.board.Tesk32_SetSignalGain(m_nUnit, gain);
    m_nSignalGain = static_cast<uint16_t>(gain);
    RecomputeIntensityFactor();
    RefreshStatusBar();
}

void CVelor32Doc::SetFine(int value, int axis) {
    if (value < 0 || value >= 6480 || !ValidAxis(axis)) return;
    StopCapture();
    m_env.board.Tesk32_SetFine(m_nUnit, value);
}

uint16_t CVelor32Doc::GetNumPoints(int axis) const { return ValidAxis(axis) ? m_nNumPoints[axis] : 0; }

float* CVelor32Doc::GetProfileData(int axis) {
    if (!ValidAxis(axis) || m_nNumPoints[axis] == 0) return nullptr;
    return m_arrays.profile[axis].data();
}

float CVelor32Doc::GetPeakIrradiance() const { return m_fPeakValue[m_nSelectedAxis & 1]; }

float CVelor32Doc::GetPeakValue(int axis) const { return ValidAxis(axis) ? m_fPeakValue[axis] : 0.0f; }

uint16_t CVelor32Doc::GetPeakIndex(int axis) const { return ValidAxis(axis) ? m_nPeakIndex[axis] : 0; }

float CVelor32Doc::GetPhi(int axis, int units) const {
    if (!ValidAxis(axis)) return 0.0f;
    const float degrees = m_fPhiAxis[axis];
    return units == kUnitsRadians ? static_cast<float>(degrees / kDegreesPerRadian) : degrees;
}

float CVelor32Doc::GetFieldOfView(int units) const {
    const double degrees = FieldOfViewLimitDegrees(m_fDistance);
    return static_cast<float>(units == kUnitsRadians ? degrees / kDegreesPerRadian : degrees);
}

float CVelor32Doc::GetGridAngle(int index, int units) const {
    if (index < 0 || index >= kSamplesPerProfile) return 0.0f;
    return ToUnits(m_arrays.angleGrid[index], units);
}

float CVelor32Doc::GetProfileAngle(int index, int units, int axis) const {
    if (!ValidAxis(axis) || index < 0 || index >= kSamplesPerProfile) return 0.0f;
    return ToUnits(m_arrays.profileAngles[axis][index], units);
}

uint16_t CVelor32Doc::FindGridIndex(float angle, int units) const {
    const double wanted = InputToRadians(angle, units);
    const auto& grid = m_arrays.angleGrid;
    const auto it = std::find_if(grid.begin(), grid.end(),
                                 [wanted](float theta) { return theta >= wanted; });
    return it == grid.end() ? kSamplesPerProfile - 1 : static_cast<uint16_t>(it - grid.begin());
}

uint16_t CVelor32Doc::FindProfileIndex(float angle, int units, int axis) const {
    if (!ValidAxis(axis)) return 0;
    const int n = std::min<int>(m_nNumPoints[axis], kSamplesPerProfile);
    if (n == 0) return 0;
    const double wanted = InputToRadians(angle, units);
    const float* angles = m_arrays.profileAngles[axis].data();
    for (int i = 0; i < n; ++i) {
        if (angles[i] >= wanted) return static_cast<uint16_t>(i);
    }
    return static_cast<uint16_t>(n - 1);
}

float* CVelor32Doc::GetProfileAngles(int axis) {
    return ValidAxis(axis) ? m_arrays.profileAngles[axis].data() : nullptr;
}

uint16_t CVelor32Doc::GetRawSampleCount(int axis) const { return ValidAxis(axis) ? m_nRawCount[axis] : 0; }

float* CVelor32Doc::GetRawSweep(int axis) { return ValidAxis(axis) ? m_arrays.rawSweep[axis].data() : nullptr; }

void CVelor32Doc::ApplyCorrections(int axis, float* profile) {
    const float* weight = m_arrays.gridWeight.data();
    for (int i = 0; i < kSamplesPerProfile; ++i) profile[i] *= weight[i];
    if (m_bBlindSpot) CorrectBlindSpots(GetPhi(axis, 0), profile);
}

void CVelor32Doc::SetPhiPair(float phi) {
    m_fPhiAxis[0] = phi;
    m_fPhiAxis[1] = phi + 90.0f;
}

void CVelor32Doc::SendPhiToBoard(int axis, float phi) {
    // 1 + 18·phi truncated, as the board counts its fine steps from 1.
    const auto value = static_cast<uint16_t>(1 - static_cast<int>(std::trunc(-18.0 * phi)));
    SetFine(value, axis);
}

float CVelor32Doc::GetScanRate() const {
    if (m_nRateStart == 0 || m_nRateCount == 0) return 0.0f;
    const uint32_t elapsed = m_env.clock.Now() - m_nRateStart;
    if (elapsed == 0) return 0.0f;  // no time has passed: no rate to tell yet
    return static_cast<float>(m_nRateCount * 1000.0 / elapsed);
}

int CVelor32Doc::FindPeak(const float* data, int n, float* peak, uint16_t* index) {
    return velor::FindPeak(data, n, peak, index);
}

void CVelor32Doc::RecomputeIntensityFactor() {
    m_fIntensityFactor = ComputeIntensityFactor(
        IntensityCalibration{m_nSignalGain, m_nCalGain, m_fRefPower, m_fCalCounts, m_fDistance},
        m_fIntensityFactor);
}

void CVelor32Doc::ClearProfile(int axis) {
    std::fill(m_arrays.profile[axis].begin(), m_arrays.profile[axis].end(), 0.0f);
    m_fPeakValue[axis] = 0.0f;
    m_nPeakIndex[axis] = 0;
}

}  // namespace velor
