#include "document/analysis/SecondMomentWidth.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace velor {
namespace {

// The window a pass asks for, in widths, centred on the pass's centroid.
constexpr double kWindowWidths = 3.0;

// Samples at each end the baseline is taken from: a twentieth of the profile, at least one.
int RimSamples(int n) { return std::max(1, n / 20); }

// Trapezoid spans of the samples on their (non-uniform) angle grid.
std::vector<double> Spans(std::span<const float> theta, int n) {
    std::vector<double> w(static_cast<size_t>(n));
    w[0] = (static_cast<double>(theta[1]) - theta[0]) / 2.0;
    w[n - 1] = (static_cast<double>(theta[n - 1]) - theta[n - 2]) / 2.0;
    for (int i = 1; i < n - 1; ++i) w[i] = (static_cast<double>(theta[i + 1]) - theta[i - 1]) / 2.0;
    return w;
}

bool Usable(std::span<const float> y, std::span<const float> theta, int n) {
    if (n < 3) return false;
    bool lit = false;
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(y[i]) || !std::isfinite(theta[i])) return false;
        if (i > 0 && !(theta[i] > theta[i - 1])) return false;
        lit = lit || y[i] > 0.0f;
    }
    // Profiles come with the dark level taken off: nothing above it is no light at all.
    return lit;
}

}  // namespace

SecondMomentWidth ComputeSecondMomentWidth(std::span<const float> y, std::span<const float> theta) {
    SecondMomentWidth result;
    const int n = static_cast<int>(std::min(y.size(), theta.size()));
    if (!Usable(y, theta, n)) return result;
    const std::vector<double> w = Spans(theta, n);

    const int rim = RimSamples(n);
    double rimWeight = 0.0;
    double rimSum = 0.0;
    for (int i = 0; i < n; ++i) {
        if (i >= rim && i < n - rim) continue;
        rimWeight += w[i];
        rimSum += w[i] * y[i];
    }
    const double b = rimSum / rimWeight;
    result.baseline = b;

    int first = 0;
    int last = n - 1;
    for (int pass = 1; pass <= kMaxWindowPasses; ++pass) {
        double s0 = 0.0;
        double s1 = 0.0;
        for (int i = first; i <= last; ++i) {
            const double v = (y[i] - b) * w[i];
            s0 += v;
            s1 += v * theta[i];
        }
        if (!(s0 > 0.0)) return result;
        const double c = s1 / s0;
        // The variance about the centroid in a second pass: no cancellation of large terms.
        double s2 = 0.0;
        for (int i = first; i <= last; ++i) {
            const double d = theta[i] - c;
            s2 += (y[i] - b) * w[i] * d * d;
        }
        const double variance = s2 / s0;
        if (!(variance > 0.0)) return result;
        result.centroid = c;
        result.width = 4.0 * std::sqrt(variance);
        result.first = first;
        result.last = last;
        result.passes = pass;

        const double half = kWindowWidths * result.width / 2.0;
        const auto lower = std::lower_bound(theta.begin(), theta.begin() + n, c - half);
        const auto upper = std::upper_bound(theta.begin(), theta.begin() + n, c + half);
        const int nextFirst = static_cast<int>(lower - theta.begin());
        const int nextLast = static_cast<int>(upper - theta.begin()) - 1;
        // A beam within a sample or two has no width this grid can tell.
        if (nextLast - nextFirst < 2) return result;
        if (nextFirst == first && nextLast == last) break;
        first = nextFirst;
        last = nextLast;
    }
    result.valid = true;
    return result;
}

}  // namespace velor
