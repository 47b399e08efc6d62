// Auto gain: the gain code that puts the peak of a raw capture between 58000 and 65534 counts,
// found by a golden-section search between 0 and the head's highest gain.

#include <algorithm>
#include <cmath>

#include "document/Velor32Doc.h"

namespace velor {
namespace {

constexpr int kLowEnough = 58000;
constexpr int kFullScale = 65535;
constexpr float kGoldenRatio = 0.618034f;  // (√5 − 1) / 2

}  // namespace

int CVelor32Doc::RawPeakAtGain(int gain, int axis) {
    m_env.board.Tesk32_SetSignalGain(m_nUnit, gain);
    const int n = std::clamp(ReadAxisNow(axis), 0, kSamplesPerSweep);
    const float* raw = m_arrays.rawSweep[axis].data();
    float peak = 0.0f;
    for (int i = 0; i < n; ++i) peak = std::max(peak, raw[i]);
    return static_cast<int>(std::lround(peak));
}

int CVelor32Doc::SearchGain(int axis, int upper) {
    SelectAxis(axis);
    int lo = 0;
    int hi = upper;
    int gain = 0;
    int peak = 0;
    do {
        gain = static_cast<int>(std::trunc(static_cast<float>(hi - lo) * kGoldenRatio + static_cast<float>(lo)));
        peak = RawPeakAtGain(gain, axis);
        if (peak < kLowEnough) {
            lo = gain;
        } else if (peak >= kFullScale) {
            hi = gain;
        }
    } while (!(peak >= kLowEnough && peak < kFullScale) && hi - lo > 1);
    return gain;
}

int CVelor32Doc::RunAutoGain() {
    m_bCapturing = 1;
    // Every way out clears the capturing flag: left set, it would hold the tick's state
    // machine still for the rest of the run.
    const auto done = [this](int result) {
        m_bCapturing = 0;
        return result;
    };
    if (!InitInstrument()) return done(-5);
    int upper;
    if (m_nHeadType == 0) {
        upper = 139;
    } else if (m_nHeadType == 1) {
        upper = 159;
    } else {
        return done(-2);
    }

    SelectAxis(0);
    int peak = RawPeakAtGain(upper, 0);
    if (m_nScanMode == 2) {
        SelectAxis(1);
        peak = std::max(peak, RawPeakAtGain(upper, 1));
    }
    if (peak < kLowEnough) {
        SetSignalGain(upper);
        return done(-4);
    }
    int gain = SearchGain(0, upper);
    if (m_nScanMode == 2) gain = std::min(gain, SearchGain(1, upper));
    SetSignalGain(gain);
    return done(1);
}

}  // namespace velor
