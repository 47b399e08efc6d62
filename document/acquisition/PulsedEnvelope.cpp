// A pulsed source reaches the detector as a train of pulses along the sweep; the envelope
// joins the pulse peaks with straight lines so the profile shows the beam, not the pulses.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "document/PeakFinder.h"
#include "document/Velor32Doc.h"

namespace velor {
namespace {

constexpr float kSmallestFrequency = 1.1920929e-7f;
constexpr double kSamplesPerPulseAtOneKHz = 64.8;

}  // namespace

void CVelor32Doc::ApplyPulsedEnvelope(float* p, int n, float frequencyKHz) {
    if (frequencyKHz < kSmallestFrequency) return;
    double period = kSamplesPerPulseAtOneKHz / frequencyKHz;
    if (m_env.board.Tesk32_IsPulsedSystem(m_nUnit)) period /= 2.0;
    if (period <= 1.0) return;

    float peak = 0.0f;
    uint16_t peakIndex = 0;
    if (!velor::FindPeak(p, n, &peak, &peakIndex)) return;
    const int k0 = peakIndex;
    const float noise = m_fNoise[m_nSelectedAxis & 1];
    const double reach = period / 8.0;

    // Right of the peak.
    {
        int cur = k0;
        float v = p[k0];
        bool tracking = true;
        int m = 1;
        while (k0 + m * period <= n - 1) {
            const double centre = tracking ? cur + period : k0 + m * period;
            const int lo = std::max(static_cast<int>(std::floor(centre - reach)), k0);
            const int hi = std::min(static_cast<int>(std::ceil(centre + reach)), n - 1);
            if (hi <= k0 || lo >= n - 1) break;
            int j = lo;
            for (int i = lo + 1; i <= hi; ++i) {
                if (p[i] > p[j]) j = i;
            }
            const float vj = p[j];
            if (p[lo] == vj || !(vj > noise)) tracking = false;
            const int d = std::abs(j - cur);
            if (d < 1) break;
            for (int i = 1; i < d && cur + i <= n - 1; ++i) {
                p[cur + i] = std::max(0.0f, v + i * (vj - v) / d);
            }
            v = p[j];
            cur = j;
            ++m;
            if (n - 1 <= k0 - 1 + m) break;
        }
    }

    // Left of the peak, mirrored.
    {
        int cur = k0;
        float v = p[k0];
        bool tracking = true;
        int m = 1;
        int counter = k0;
        while (m * period <= k0 - 1) {
            const double centre = tracking ? cur - period : k0 - m * period;
            const int lo = std::max(static_cast<int>(std::floor(centre - reach)), 0);
            const int hi = std::min(static_cast<int>(std::ceil(centre + reach)), k0);
            if (hi < 1 || lo >= k0) break;
            int j = hi;
            for (int i = hi - 1; i >= lo; --i) {
                if (p[i] > p[j]) j = i;
            }
            const float vj = p[j];
            if (p[hi] == vj || !(vj > noise)) tracking = false;
            const int d = std::abs(j - cur);
            if (d < 1) break;
            for (int i = 1; i < d && cur - i >= 0; ++i) {
                p[cur - i] = std::max(0.0f, v + i * (vj - v) / d);
            }
            v = p[j];
            cur = j;
            ++m;
            if (--counter < 1) break;
        }
    }
}

}  // namespace velor
