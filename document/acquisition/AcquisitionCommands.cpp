// The acquisition commands of the Data Collection menu (and those without a menu entry), and
// what the 3D Azimuth Scans and Sensitivity dialogs do with their values.

#include "document/CommandIds.h"
#include "document/Velor32Doc.h"

namespace velor {

void CVelor32Doc::OnAcquireScanData() {
    SetScanAcquisition(!IsAcquiring());
    // Live data and a replayed or cut profile cannot share the axes: starting acquisition in
    // one of those modes leaves the mode and ends with acquisition off.
    if (IsAcquiring() && (m_bReplay || m_bCrossSection)) {
        SetScanAcquisition(false);
        if (m_bReplay) {
            LeaveReplay();
        } else {
            LeaveCrossSections();
        }
    }
}

int CVelor32Doc::OnAutoGain() {
    PauseAcquisition();
    const int result = RunAutoGain();
    ResumeAcquisition();
    // The gain pane alone would not tell a gain found from one the search gave up on.
    m_env.frame.ShowStatusMessage(AutoGainReport(result));
    return result;
}

QString CVelor32Doc::AutoGainReport(int result) const {
    switch (result) {
        case 1: return QStringLiteral("Auto Gain: %1 dB").arg(m_nSignalGain);
        case kAutoGainSaturated:
            return QStringLiteral("Auto Gain: the beam saturates at every gain; the gain is %1 dB").arg(m_nSignalGain);
        case -4:
            return QStringLiteral("Auto Gain: the signal stays below 58000 counts at the highest gain; the gain is %1 dB")
                .arg(m_nSignalGain);
        case -2: return QStringLiteral("Auto Gain: the detector head is unknown; the gain is unchanged");
        default: return QStringLiteral("Auto Gain: the instrument is not ready; the gain is unchanged");
    }
}

void CVelor32Doc::OnShowScanRate() {
    m_env.prompt.Message(QStringLiteral("%1 Hz").arg(static_cast<double>(GetScanRate()), 0, 'f', 1),
                         QString(), PromptIcon::None);
}

void CVelor32Doc::ApplyScans3D(uint16_t scans) {
    if (!IsAllowedScans3D(scans)) return;
    const bool wasOn = IsAcquiring();
    if (wasOn) SetAcquisition(false);
    if (scans != m_nScans3D) {
        m_nScans3D = scans;
        m_b3DValid = 0;
        if (m_bReplay) LeaveReplay();
        if (m_bCrossSection) LeaveCrossSections();
        ReallocateArrays();
    }
    if (wasOn) SetAcquisition(true);
}

CVelor32Doc::SensitivitySettings CVelor32Doc::BeginSensitivity() {
    PauseAcquisitionFor(50);
    return {m_nSignalGain, m_nFilter, m_nAveraging, m_ranges.m_nGainRanges};
}

void CVelor32Doc::EndSensitivity(bool accepted, const SensitivitySettings& atOpening) {
    if (!accepted) {
        SetSignalGain(atOpening.gain);
        SetFilter(atOpening.filter);
        SetAveraging(atOpening.averaging);
        SetGainRanges(atOpening.gainRanges);
    }
    RefreshStatusBar();
    RecomputeIntensityFactor();
}

bool CVelor32Doc::OnAcquisitionCommand(int id) {
    switch (id) {
        case ID_ACQUIRE_SCAN_DATA:
            OnAcquireScanData();
            return true;
        case ID_ACQUIRE_3D_DATA:
            Acquire3D();
            return true;
        case ID_AUTO_GAIN:
            OnAutoGain();
            return true;
        case ID_DUMP_NEXT_SCAN:
            DumpNextScan();
            return true;
        case ID_RESET_SCAN_RATE:
            ResetScanRate();
            return true;
        case ID_SHOW_SCAN_RATE:
            OnShowScanRate();
            return true;
        default:
            return false;
    }
}

bool CVelor32Doc::AcquisitionCommandState(int id, CommandState& state) const {
    const bool instrument = HasInstrument();
    switch (id) {
        case ID_ACQUIRE_SCAN_DATA:
            state = {instrument, IsAcquiring() && !Views().empty(), false};
            return true;
        // A station with an instrument offers the 3D acquisition while live acquisition is off.
        case ID_ACQUIRE_3D_DATA:
            state = {instrument && !IsAcquiring(), false, false};
            return true;
        case ID_AUTO_GAIN:
            state = {instrument, false, false};
            return true;
        default:
            return false;
    }
}

}  // namespace velor
