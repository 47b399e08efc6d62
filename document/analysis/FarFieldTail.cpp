#include "document/analysis/FarFieldTail.h"

#include <cmath>

namespace velor {
namespace {

constexpr float kFitDecade = 10.0f;        // the lobe's last 10 dB above the floor
constexpr double kDepthBelowFloor = 1e-4;  // carried on 40 dB further down
constexpr int kFewestFitSamples = 3;

double SineSquared(float angle) {
    const double s = std::sin(double{angle});
    return s * s;
}

}  // namespace

bool ContinueLoneLobe(std::vector<float>& p, std::span<const float> a, float floor) {
    const int n = static_cast<int>(p.size());
    int last = n - 1;
    while (last >= 0 && !(p[last] >= floor)) --last;
    if (last < 1 || last == n - 1) return false;

    // Least squares of ln p against sin² θ over the lobe's last decade: ln p = c + b sin² θ.
    double sx = 0.0, sy = 0.0, sxx = 0.0, sxy = 0.0;
    int m = 0;
    for (int i = last; i >= 0 && !(p[i] >= kFitDecade * floor); --i) {
        if (!(p[i] >= floor)) continue;  // noise dips a ragged edge below the floor
        ++m;
        const double x = SineSquared(a[i]);
        const double y = std::log(double{p[i]});
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const double spread = m * sxx - sx * sx;
    if (m < kFewestFitSamples || !(spread > 0.0)) return false;
    const double b = (m * sxy - sx * sy) / spread;
    const double c = (sy - b * sx) / m;
    if (!(b < 0.0) || !std::isfinite(c)) return false;

    const double lowest = floor * kDepthBelowFloor;
    bool continued = false;
    for (int i = last + 1; i < n; ++i) {
        // These samples were measured below the floor: the fit is not let above it there.
        const double value = std::fmin(std::exp(c + b * SineSquared(a[i])), double{floor});
        if (!(value >= lowest)) break;
        p[i] = static_cast<float>(value);
        continued = true;
    }
    return continued;
}

}  // namespace velor
