// Replay shows one stored azimuth scan at a time as the axis-0 profile; computed cross
// sections show two perpendicular cuts through the 3D data as the two axes. Both put the
// measured profiles aside on entry and give them back, exactly, on leaving.

#include <algorithm>

#include "document/PeakFinder.h"
#include "document/UpdateHints.h"
#include "document/Velor32Doc.h"

namespace velor {

void CVelor32Doc::SaveAxes(int axes) {
    m_saved.scanMode = m_nScanMode;
    m_saved.phi = m_fPhi;
    for (int axis = 0; axis < axes; ++axis) {
        std::copy(m_arrays.profile[axis].begin(), m_arrays.profile[axis].end(),
                  m_arrays.sumBuffer[axis].begin());
        m_saved.noise[axis] = m_fNoise[axis];
        m_saved.numPoints[axis] = m_nNumPoints[axis];
        m_saved.ranges[axis] = m_ranges.m_nAxisRanges[axis];
    }
}

void CVelor32Doc::RestoreAxes(int axes) {
    m_fPhi = m_saved.phi;
    SetPhiPair(m_fPhi);
    m_nScanMode = m_saved.scanMode;
    for (int axis = 0; axis < axes; ++axis) {
        std::copy_n(m_arrays.sumBuffer[axis].begin(), kSamplesPerProfile,
                    m_arrays.profile[axis].begin());
        m_fNoise[axis] = m_saved.noise[axis];
        m_nNumPoints[axis] = m_saved.numPoints[axis];
        m_ranges.m_nAxisRanges[axis] = m_saved.ranges[axis];
        velor::FindPeak(m_arrays.profile[axis].data(), m_nNumPoints[axis], &m_fPeakValue[axis],
                        &m_nPeakIndex[axis]);
    }
}

void CVelor32Doc::ToggleReplay() {
    if (m_bReplay) {
        LeaveReplay();
        return;
    }
    if (!MayEraseCollectedData()) return;
    SetAcquisition(false);
    if (m_bCrossSection) LeaveCrossSections();
    SaveAxes(1);
    m_nScanMode = 0;
    m_bReplay = 1;
    ReplayScan(0);
    UpdateAllViews(UM_MODECHANGED);
    m_env.frame.OpenModeDialog(DocumentMode::Replay);
}

void CVelor32Doc::ReplayScan(int k) {
    if (!m_bReplay || k < 0 || k > m_nScans3D) return;
    m_fPhiAxis[0] = static_cast<float>(k) * 180.0f / m_nScans3D;
    const float* scan = m_arrays.data3D.data() + static_cast<size_t>(k) * kSamplesPerProfile;
    std::copy_n(scan, kSamplesPerProfile, m_arrays.profile[0].begin());
    m_nNumPoints[0] = kSamplesPerProfile;
    m_fNoise[0] = m_arrays.scanNoise[k];
    m_ranges.m_nAxisRanges[0] = m_ranges.m_n3DRanges;
    velor::FindPeak(m_arrays.profile[0].data(), m_nNumPoints[0], &m_fPeakValue[0], &m_nPeakIndex[0]);
    UpdateAllViews(UM_RECOMPUTE);
}

void CVelor32Doc::LeaveReplay() {
    m_env.frame.CloseModeDialog(DocumentMode::Replay);
    m_bReplay = 0;
    RestoreAxes(1);
    UpdateAllViews(UM_RECOMPUTE);
    RefreshStatusBar();
}

void CVelor32Doc::ToggleCrossSections() {
    if (m_bCrossSection) {
        LeaveCrossSections();
        return;
    }
    if (!MayEraseCollectedData()) return;
    SetAcquisition(false);
    if (m_bReplay) LeaveReplay();
    SaveAxes(2);
    m_nScanMode = 2;
    m_bCrossSection = 1;
    ComputeCrossSections(0.0f);
    UpdateAllViews(UM_MODECHANGED);
    m_env.frame.OpenModeDialog(DocumentMode::CrossSections);
    UpdateAllViews(UM_RECOMPUTE);
    RefreshStatusBar();
}

void CVelor32Doc::LeaveCrossSections() {
    m_env.frame.CloseModeDialog(DocumentMode::CrossSections);
    m_bCrossSection = 0;
    RestoreAxes(2);
    UpdateAllViews(UM_RECOMPUTE);
    RefreshStatusBar();
}

}  // namespace velor
