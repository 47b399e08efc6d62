// The Data Collection menu's settings commands: what each does to the document once its
// dialog (if any) has been answered, and when each menu item is enabled or checked.

#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "document/DocumentMessages.h"
#include "document/DocumentView.h"
#include "document/SettingsLimits.h"
#include "document/UpdateHints.h"
#include "document/Velor32Doc.h"

namespace velor {
namespace {

// Runs a change with acquisition off and switches it back on afterwards if it was on.
template <typename Change>
void WithAcquisitionOff(CVelor32Doc& doc, Change change) {
    const bool wasOn = doc.IsAcquiring();
    if (wasOn) doc.SetAcquisition(false);
    change(wasOn);
    if (wasOn) doc.SetAcquisition(true);
}

}  // namespace

bool CVelor32Doc::OnCommand(int id) {
    switch (id) {
        case ID_SINGLE_AXIS:
            OnSingleAxis();
            return true;
        case ID_PERPENDICULAR_AXES:
            OnPerpendicularAxes();
            return true;
        case ID_UNITS_RELATIVE:
            SetUnits(0);
            return true;
        case ID_UNITS_COUNTS:
            SetUnits(1);
            return true;
        case ID_UNITS_INTENSITY:
            SetUnits(2);
            return true;
        case ID_BLIND_SPOT_CORRECTION:
            OnBlindSpotCorrection();
            return true;
        case ID_RECOMPUTE:
            OnRecompute();
            return true;
        case ID_RESET_DATA_VIEWS:
            OnResetDataViews();
            return true;
        case ID_REPLAY_3D_DATA:
            ToggleReplay();
            return true;
        case ID_COMPUTED_CROSS_SECTIONS:
            ToggleCrossSections();
            return true;
        default:
            return OnAcquisitionCommand(id);
    }
}

CommandState CVelor32Doc::GetCommandState(int id) const {
    CommandState acquisition;
    if (AcquisitionCommandState(id, acquisition)) return acquisition;
    const bool inSpecialMode = IsReplayMode() || IsCrossSectionMode();
    switch (id) {
        // Both scan modes stay selectable (outside replay and cross sections) so a user can
        // switch between them; the mark shows the current one.
        case ID_SINGLE_AXIS:
            return {!inSpecialMode, m_nScanMode == 0, true};
        case ID_PERPENDICULAR_AXES:
            return {!inSpecialMode, m_nScanMode == 2, true};
        case ID_UNITS_RELATIVE:
            return {true, m_nUnits == 0, false};
        case ID_UNITS_COUNTS:
            return {true, m_nUnits == 1, false};
        case ID_UNITS_INTENSITY:
            return {m_b3DValid != 0, m_nUnits == 2, false};
        case ID_BLIND_SPOT_CORRECTION: {
            const bool connected = m_env.motion.IsConnected();
            return {connected, connected && m_bBlindSpot != 0, false};
        }
        // The 3D modes need 3D data and acquisition off.
        case ID_REPLAY_3D_DATA:
            return {m_b3DValid != 0 && !IsAcquiring(), IsReplayMode(), false};
        case ID_COMPUTED_CROSS_SECTIONS:
            return {m_b3DValid != 0 && !IsAcquiring(), IsCrossSectionMode(), false};
        default:
            return {};
    }
}

void CVelor32Doc::OnSingleAxis() {
    if (!MayEraseCollectedData()) return;
    WithAcquisitionOff(*this, [this](bool wasOn) {
        SetPhiPair(m_fPhi);
        m_nScanMode = 0;
        UpdateAllViews(UM_MODECHANGED);
        if (wasOn) ClearProfile(0);
    });
}

void CVelor32Doc::OnPerpendicularAxes() {
    if (!MayEraseCollectedData()) return;
    WithAcquisitionOff(*this, [this](bool wasOn) {
        m_nScanMode = 2;
        UpdateAllViews(UM_MODECHANGED);
        if (wasOn) {
            ClearProfile(0);
            ClearProfile(1);
        }
    });
}

void CVelor32Doc::ApplyPhiAngle(float phi) {
    if (!(phi >= 0.0f && phi < 360.0f)) return;
    WithAcquisitionOff(*this, [this, phi](bool) {
        m_fPhi = phi;
        SetPhiPair(phi);
        ClearProfile(0);
        if (m_nScanMode == 2) ClearProfile(1);
        UpdateAllViews(UM_PARAMCHANGED);
    });
}

bool CVelor32Doc::AskResetDataViews() {
    return m_env.prompt.Ask(msg::kResetDataViews, msg::kResetDataViewsCaption,
                            PromptButtons::YesNo, PromptIcon::Stop) == PromptAnswer::Yes;
}

bool CVelor32Doc::MayEraseCollectedData() {
    const auto& views = Views();
    if (std::none_of(views.begin(), views.end(), [](const DocumentView* v) { return v->HoldsCollectedData(); })) {
        return true;
    }
    // Asked as the views ask before they erase their own data, with acquisition paused.
    PauseAcquisition();
    const bool erase = m_env.prompt.Ask(msg::kEraseCollectedData, QString(), PromptButtons::YesNo,
                                        PromptIcon::Stop) == PromptAnswer::Yes;
    ResumeAcquisition();
    return erase;
}

void CVelor32Doc::ApplyApertureSourceDistance(float distance) {
    if (!(distance >= 0.0f && distance <= 100.0f)) return;
    const float stored = distance + kApertureOffset;
    if (stored == m_fDistance) return;
    if (!AskResetDataViews()) return;
    m_b3DValid = 0;
    m_fDistance = stored;
    ReallocateArrays();
    RefreshStatusBar();
    if (m_nUnits == 2) m_nUnits = 0;
    const float limit = GetFieldOfView(0);
    if (limit < m_fAngularLimit) {
        m_env.prompt.Message(msg::kAngularLimitExceeded.arg(static_cast<double>(limit), 0, 'f', 2),
                             msg::kAngularLimitCaption, PromptIcon::Exclamation);
        m_fAngularLimit = limit;
    }
    UpdateAllViews(UM_PARAMCHANGED);
}

void CVelor32Doc::ApplyPulsedMode(bool pulsed, float sourceFrequencyKHz) {
    if (pulsed && !IsValidSourceFrequency(sourceFrequencyKHz)) return;
    WithAcquisitionOff(*this, [&](bool) {
        if (pulsed) m_fSourceFreq = sourceFrequencyKHz;
        m_bPulsed = pulsed ? 1 : 0;
    });
    UpdateAllViews(UM_PARAMCHANGED);
}

void CVelor32Doc::ApplyReferencePower(float power, const QString& units) {
    // The Reference Power dialog's range; anything else leaves the calibration alone.
    if (!IsValidReferencePower(power)) return;
    m_fRefPower = power;
    const QByteArray bytes = units.toLatin1().left(sizeof m_szRefUnits - 1);
    std::memset(m_szRefUnits, 0, sizeof m_szRefUnits);
    std::memcpy(m_szRefUnits, bytes.constData(), static_cast<size_t>(bytes.size()));
    m_nCalGain = m_n3DGain;
    // A 3D total no instrument could give (from a file's 3D data) calibrates nothing.
    const float total = GetConePower()[kConePowerCount - 1];
    if (kCalCountsRange.Allows(total)) m_fCalCounts = total;
    RecomputeIntensityFactor();
    UpdateAllViews(UM_UNITS);
}

void CVelor32Doc::ApplyIntegralParameters(float wavelength, float angularLimit) {
    m_fWavelength = wavelength;
    m_fAngularLimit = angularLimit;
}

void CVelor32Doc::SetUnits(uint16_t units) {
    if (units > 2) return;
    m_nUnits = units;
    UpdateAllViews(UM_UNITS);
}

void CVelor32Doc::OnBlindSpotCorrection() { m_bBlindSpot = m_bBlindSpot ? 0 : 1; }

void CVelor32Doc::OnRecompute() { UpdateAllViews(UM_RECOMPUTE); }

void CVelor32Doc::OnResetDataViews() {
    if (AskResetDataViews()) UpdateAllViews(UM_PARAMCHANGED);
}

}  // namespace velor
