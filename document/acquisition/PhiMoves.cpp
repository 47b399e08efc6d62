// Turning the sweep plane from outside (the automation methods): steps, quarter turns and
// homing, each followed by a fresh capture. Nothing moves without a motion controller.

#include "document/Velor32Doc.h"

namespace velor {
namespace {

struct PhiStep {
    float degrees;
    int program;
};

PhiStep StepForCode(int code) {
    switch (code) {
        case 20: return {9.0f, 560};
        case 50: return {3.6f, 380};
        case 100: return {1.8f, 360};
        case 200: return {0.9f, 340};
        default: return {18.0f, 540};
    }
}

float WrapDegrees(float phi) {
    if (phi >= 360.0f) phi -= 360.0f;
    if (phi < 0.0f) phi += 360.0f;
    return phi;
}

}  // namespace

void CVelor32Doc::IncrementPhi(int code) {
    if (!m_env.motion.IsConnected()) return;
    PauseAcquisition();
    const PhiStep step = StepForCode(code);
    m_fPhi = WrapDegrees(m_fPhi + step.degrees);
    SetPhiPair(m_fPhi);
    m_nSweepCounter = 1;
    SendPhiToBoard(0, m_fPhi);
    m_env.motion.SelectSpeeds(m_nHeadVariant, step.program);
    m_env.motion.RunProgram(step.program);
    CaptureNow();
    ResumeAcquisition();
}

void CVelor32Doc::Go90Deg(bool up) {
    if (!m_env.motion.IsConnected()) return;
    PauseAcquisition();
    m_fPhi = WrapDegrees(m_fPhi + (up ? 90.0f : -90.0f));
    SetPhiPair(m_fPhi);
    m_nSweepCounter = 1;
    SendPhiToBoard(0, m_fPhi);
    m_env.motion.RunProgram(up ? 500 : 520);
    CaptureNow();
    ResumeAcquisition();
}

bool CVelor32Doc::MotorGoHome() {
    if (!m_env.motion.IsConnected()) return false;
    PauseAcquisition();
    const bool home = m_env.motion.CheckHome();
    if (!home) {
        m_env.motion.ResetController();
        m_env.motion.SelectSpeeds(m_nHeadVariant, 1200);
    }
    m_fPhi = 0.0f;
    SetPhiPair(0.0f);
    ResumeAcquisition();
    return home;
}

}  // namespace velor
