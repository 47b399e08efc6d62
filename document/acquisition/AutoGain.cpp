// Auto gain: the gain code that puts the peak of a raw capture between 58000 and 65534 counts,
// found by a golden-section search between 0 and the head's highest gain.

#include <algorithm>
#include <cmath>
#include <optional>

#include "document/DocumentMessages.h"
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

std::optional<int> CVelor32Doc::SearchGain(int axis, int upper) {
    SelectAxis(axis);
    int lo = 0;
    int hi = upper;
    int gain = 0;
    int peak = 0;
    bool clearOfFullScale = false;  // some gain tried did not saturate
    do {
        gain = static_cast<int>(std::trunc(static_cast<float>(hi - lo) * kGoldenRatio + static_cast<float>(lo)));
        peak = RawPeakAtGain(gain, axis);
        if (peak < kLowEnough) {
            lo = gain;
            clearOfFullScale = true;
        } else if (peak >= kFullScale) {
            hi = gain;
        }
    } while (!(peak >= kLowEnough && peak < kFullScale) && hi - lo > 1);
    if (peak < kFullScale) return gain;
    // The search ended on a saturated gain: the highest gain that stayed below full scale,
    // or nothing when every gain tried saturated.
    if (clearOfFullScale) return lo;
    return std::nullopt;
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
    std::optional<int> gain = SearchGain(0, upper);
    if (gain && m_nScanMode == 2) {
        const std::optional<int> other = SearchGain(1, upper);
        gain = other ? std::min(*gain, *other) : other;
    }
    if (!gain) {
        // Saturated at every gain: the least sensitive gain, and the warning stays up. The
        // search never reports success on a beam it could not bring below full scale.
        SetSignalGain(0);
        m_bSaturated = 1;
        m_env.prompt.ShowSaturationNotice(msg::kSignalSaturated);
        m_bShowsSaturationNotice = true;
        return done(kAutoGainSaturated);
    }
    SetSignalGain(*gain);
    return done(1);
}

}  // namespace velor
