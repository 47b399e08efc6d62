// The 3D acquisition: N + 1 sweeps of axis 0 at azimuth steps of 180/N degrees, the stage
// homed before and checked after, then the 3D analysis and the first calibration point.

#include <algorithm>
#include <vector>

#include "document/DocumentMessages.h"
#include "document/PeakFinder.h"
#include "document/UpdateHints.h"
#include "document/Velor32Doc.h"

namespace velor {
namespace {

struct AzimuthStep {
    float degrees;
    int program;
};

// Step and motion program for each scan count (anything else as 10 scans).
AzimuthStep StepFor(int scans) {
    switch (scans) {
        case 20: return {9.0f, 560};
        case 50: return {3.6f, 380};
        case 100: return {1.8f, 360};
        case 200: return {0.9f, 340};
        default: return {18.0f, 540};
    }
}

constexpr int kHomeProgram = 200;
constexpr int kFastSpeedProgram = 1200;

}  // namespace

void CVelor32Doc::Acquire3D() {
    if (!InitInstrument()) return;
    if (m_bReplay) LeaveReplay();
    if (m_bCrossSection) LeaveCrossSections();

    // Until the run ends nothing may change or close the document: the frame and the
    // automation interface ask before they act.
    m_bAcquiring3D = true;
    struct RunEnds {
        bool& flag;
        ~RunEnds() { flag = false; }
    } runEnds{m_bAcquiring3D};

    const int n = m_nScans3D;
    const AzimuthStep step = StepFor(n);
    MotionStage& stage = m_env.motion;
    const int32_t savedMode = m_nScanMode;
    const std::vector<float> savedProfile = m_arrays.profile[0];
    const float savedNoise = m_fNoise[0];
    const uint16_t savedRanges = m_ranges.m_nAxisRanges[0];
    const auto restoreAxis0 = [&] {
        std::copy(savedProfile.begin(), savedProfile.end(), m_arrays.profile[0].begin());
        m_fNoise[0] = savedNoise;
        m_ranges.m_nAxisRanges[0] = savedRanges;
        velor::FindPeak(m_arrays.profile[0].data(), m_nNumPoints[0], &m_fPeakValue[0], &m_nPeakIndex[0]);
        SetPhiPair(m_fPhi);
        m_nScanMode = savedMode;
    };

    // The scans of this run go into buffers of their own: the last complete 3D data set
    // stays in place, for replay and cross sections, until this run has completed.
    ScanBuffer scans(static_cast<size_t>(n + 1) * kSamplesPerProfile, 0.0f);
    std::vector<float> scanNoise(static_cast<size_t>(n + 1), 0.0f);
    float noiseMaximum = 0.0f;
    // The ranges every scan of the run rests on.
    uint16_t runRanges = kMaxGainRanges;

    m_nScanMode = 3;
    m_b3DAbort = 0;
    SelectAxis(0);
    stage.RunProgram(kHomeProgram);
    stage.ResetController();
    SetAcquisition(false);

    bool saturated = false;
    for (;;) {
        // Held again for a retry: the tick must not start sweeps between ours.
        m_bBusy = 1;
        auto progress = m_env.prompt.ShowProgress(msg::k3DProgressTitle, n);
        stage.SelectSpeeds(m_nHeadVariant, step.program);
        m_fPhiAxis[0] = 0.0f;
        noiseMaximum = 0.0f;
        runRanges = kMaxGainRanges;
        for (int k = 0; k <= n; ++k) {
            SendPhiToBoard(0, m_fPhiAxis[0]);
            if (CaptureNow() == -1) saturated = true;
            m_bBusy = 1;  // the board calls reset it; the tick must keep still throughout
            std::copy_n(m_arrays.profile[0].begin(), kSamplesPerProfile,
                        scans.begin() + static_cast<ptrdiff_t>(k) * kSamplesPerProfile);
            scanNoise[k] = m_fNoise[0];
            runRanges = std::min(runRanges, m_ranges.m_nAxisRanges[0]);
            noiseMaximum = std::max(noiseMaximum, m_fNoise[0]);
            m_fPhiAxis[0] += step.degrees;
            stage.RunProgram(step.program);
            progress->ProcessOneEvent();
            if (progress->CancelRequested()) m_b3DAbort = 1;
            if (m_b3DAbort) {
                // Only this run's scans go; the previous 3D data set is kept as it was.
                progress.reset();
                stage.SelectSpeeds(m_nHeadVariant, kFastSpeedProgram);
                stage.RunProgram(kHomeProgram);
                stage.ResetController();
                stage.SelectSpeeds(m_nHeadVariant, kFastSpeedProgram);
                restoreAxis0();
                m_bBusy = 0;
                return;
            }
            progress->Step();
        }
        stage.SelectSpeeds(m_nHeadVariant, kFastSpeedProgram);
        stage.RunProgram(kHomeProgram);
        m_bBusy = 0;
        progress.reset();
        if (stage.CheckHome()) break;
        stage.ResetController();
        stage.SelectSpeeds(m_nHeadVariant, kFastSpeedProgram);
        const PromptAnswer answer = m_env.prompt.Ask(msg::kMotionFailure, msg::kMotionFailureCaption,
                                                     PromptButtons::RetryCancel, PromptIcon::Exclamation);
        if (answer != PromptAnswer::Retry) break;
    }

    restoreAxis0();
    // The complete run becomes the 3D data set; the previous one is kept aside until the
    // analysis has accepted the new one.
    const uint16_t previousGain = m_n3DGain;
    const uint16_t previousRanges = m_ranges.m_n3DRanges;
    const float previousNoiseMaximum = m_f3DNoiseMax;
    m_arrays.data3D.swap(scans);
    m_arrays.scanNoise.swap(scanNoise);
    m_f3DNoiseMax = noiseMaximum;
    m_n3DGain = m_nSignalGain;
    m_ranges.m_n3DRanges = runRanges;
    bool analysed;
    {
        WaitCursor wait(m_env.prompt);
        analysed = Analyse3dData();
    }
    if (!analysed) {
        m_arrays.data3D.swap(scans);
        m_arrays.scanNoise.swap(scanNoise);
        m_f3DNoiseMax = previousNoiseMaximum;
        m_n3DGain = previousGain;
        m_ranges.m_n3DRanges = previousRanges;
        m_env.prompt.Message(msg::kSignalTooLow, QString(), PromptIcon::Exclamation);
        return;
    }
    ComputeConePower();
    m_b3DAnalysisPending = false;  // the loaded set's analysis, had it waited, is superseded
    if (m_fCalCounts == 0.0f) {
        m_fCalCounts = m_arrays.conePower[kConePowerCount - 1];
        m_nCalGain = m_nSignalGain;
    }
    RecomputeIntensityFactor();
    m_b3DValid = 1;
    m_bMeasured = 1;
    SetModifiedFlag(true);
    UpdateAllViews(UM_3DDONE);
    if (saturated) m_env.prompt.Message(msg::kSaturated3D, QString(), PromptIcon::Exclamation);
}

}  // namespace velor
