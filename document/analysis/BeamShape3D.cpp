#include "document/analysis/BeamShape3D.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

#include "document/analysis/SecondMomentWidth.h"

namespace velor {
namespace {

// The window a pass asks for, in widths along each principal axis, centred on the centroid.
constexpr double kWindowWidths = 3.0;
constexpr int kSums = 3;  // the area-weighted value and its first and second radial moments

// The samples of one azimuth row a window takes; first > last takes none.
struct Range {
    int first = 1;
    int last = 0;
    bool operator==(const Range&) const = default;
};

// Running sums along the polar angle, so that a pass costs one subtraction per row whatever
// the window: entry j of a row holds the sums over samples 0 … j − 1.
class PolarSums {
public:
    PolarSums(int rows, int polarCount)
        : m_stride(static_cast<size_t>(polarCount + 1) * kSums), m_sums(static_cast<size_t>(rows) * m_stride, 0.0) {}
    double* Row(int row) { return m_sums.data() + static_cast<size_t>(row) * m_stride; }
    const double* Row(int row) const { return m_sums.data() + static_cast<size_t>(row) * m_stride; }
    // Sum k over the samples of range r of a row.
    static double Over(const double* row, Range r, int k) {
        return row[static_cast<size_t>(r.last + 1) * kSums + k] - row[static_cast<size_t>(r.first) * kSums + k];
    }

private:
    size_t m_stride;
    std::vector<double> m_sums;
};

// The map's moments of one pass, before they are divided by the weight.
struct Moments {
    double s0 = 0.0, sx = 0.0, sy = 0.0, sxx = 0.0, sxy = 0.0, syy = 0.0;
};

// The samples of the ray at azimuth (cos φ, sin φ) from the map's centre that lie within the
// rectangle about `centre` with half-sides halfA along the axis at psi and halfB across it.
Range RayRange(const std::vector<float>& polar, double cosPhi, double sinPhi, const double* centre, double psi,
               double halfA, double halfB) {
    double low = 0.0;
    double high = polar.back();
    const auto slab = [&](double ex, double ey, double half) {
        const double along = cosPhi * ex + sinPhi * ey;
        const double at = centre[0] * ex + centre[1] * ey;
        if (std::fabs(along) < 1e-12) {
            if (std::fabs(at) > half) high = -1.0;
            return;
        }
        const double t1 = (at - half) / along;
        const double t2 = (at + half) / along;
        low = std::max(low, std::min(t1, t2));
        high = std::min(high, std::max(t1, t2));
    };
    slab(std::cos(psi), std::sin(psi), halfA);
    slab(-std::sin(psi), std::cos(psi), halfB);
    if (low > high) return {};
    const int first = static_cast<int>(std::lower_bound(polar.begin(), polar.end(), low) - polar.begin());
    const int last = static_cast<int>(std::upper_bound(polar.begin(), polar.end(), high) - polar.begin()) - 1;
    return first <= last ? Range{first, last} : Range{};
}

bool UsablePolar(const std::vector<float>& polar) {
    for (size_t j = 0; j < polar.size(); ++j) {
        if (!std::isfinite(polar[j]) || polar[j] < 0.0f) return false;
        if (j > 0 && !(polar[j] > polar[j - 1])) return false;
    }
    return true;
}

}  // namespace

BeamShape3D ComputeBeamShape3D(const PolarGrid& grid) {
    BeamShape3D result;
    const int polarCount = static_cast<int>(grid.polar.size());
    const int rows = grid.AzimuthCount();
    if (polarCount < 3 || rows < 3 || grid.values.size() != static_cast<size_t>(rows) * polarCount ||
        !UsablePolar(grid.polar)) {
        return result;
    }

    // Map area of each polar sample, θ dθ (trapezoid), and its running sums.
    std::vector<double> area(static_cast<size_t>(polarCount));
    PolarSums areaSums(1, polarCount);
    double* a = areaSums.Row(0);
    for (int j = 0; j < polarCount; ++j) {
        const double theta = grid.polar[j];
        const double lower = grid.polar[std::max(j - 1, 0)];
        const double upper = grid.polar[std::min(j + 1, polarCount - 1)];
        area[j] = theta * (upper - lower) / 2.0;
        a[(j + 1) * kSums + 0] = a[j * kSums + 0] + area[j];
        a[(j + 1) * kSums + 1] = a[j * kSums + 1] + area[j] * theta;
        a[(j + 1) * kSums + 2] = a[j * kSums + 2] + area[j] * theta * theta;
    }

    PolarSums sums(rows, polarCount);
    bool lit = false;
    for (int i = 0; i < rows; ++i) {
        const float* values = grid.values.data() + static_cast<size_t>(i) * polarCount;
        double* s = sums.Row(i);
        for (int j = 0; j < polarCount; ++j) {
            const double v = values[j];
            if (!std::isfinite(v)) return result;
            lit = lit || v > 0.0;
            const double theta = grid.polar[j];
            const double w = area[j] * v;
            s[(j + 1) * kSums + 0] = s[j * kSums + 0] + w;
            s[(j + 1) * kSums + 1] = s[j * kSums + 1] + w * theta;
            s[(j + 1) * kSums + 2] = s[j * kSums + 2] + w * theta * theta;
        }
    }
    if (!lit) return result;

    // The azimuths cover the circle once: the first and the last are the same one, half each.
    const double step = 2.0 * std::numbers::pi / (rows - 1);
    std::vector<double> weight(static_cast<size_t>(rows), step);
    weight.front() *= 0.5;
    weight.back() *= 0.5;
    std::vector<double> cosPhi(static_cast<size_t>(rows));
    std::vector<double> sinPhi(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        cosPhi[i] = std::cos(grid.azimuth[i]);
        sinPhi[i] = std::sin(grid.azimuth[i]);
    }

    // Baseline: the outer twentieth of the polar angles, the rim of the measured cap.
    const Range rim{polarCount - std::max(1, polarCount / 20), polarCount - 1};
    double rimSum = 0.0;
    double rimArea = 0.0;
    for (int i = 0; i < rows; ++i) {
        rimSum += weight[i] * PolarSums::Over(sums.Row(i), rim, 0);
        rimArea += weight[i] * PolarSums::Over(areaSums.Row(0), rim, 0);
    }
    const double b = rimSum / rimArea;
    result.baseline = b;

    std::vector<Range> ranges(static_cast<size_t>(rows), Range{0, polarCount - 1});
    std::vector<Range> next(static_cast<size_t>(rows));
    for (int pass = 1; pass <= kMaxWindowPasses; ++pass) {
        Moments m;
        for (int i = 0; i < rows; ++i) {
            const Range r = ranges[i];
            if (r.first > r.last) continue;
            const double* s = sums.Row(i);
            const double* q = areaSums.Row(0);
            const double r0 = PolarSums::Over(s, r, 0) - b * PolarSums::Over(q, r, 0);
            const double r1 = PolarSums::Over(s, r, 1) - b * PolarSums::Over(q, r, 1);
            const double r2 = PolarSums::Over(s, r, 2) - b * PolarSums::Over(q, r, 2);
            const double w = weight[i];
            const double c = cosPhi[i];
            const double sn = sinPhi[i];
            m.s0 += w * r0;
            m.sx += w * c * r1;
            m.sy += w * sn * r1;
            m.sxx += w * c * c * r2;
            m.sxy += w * c * sn * r2;
            m.syy += w * sn * sn * r2;
        }
        if (!(m.s0 > 0.0)) return result;
        const double mx = m.sx / m.s0;
        const double my = m.sy / m.s0;
        const double cxx = m.sxx / m.s0 - mx * mx;
        const double cxy = m.sxy / m.s0 - mx * my;
        const double cyy = m.syy / m.s0 - my * my;
        // Eigenvalues of the 2 × 2 covariance: the variances along the principal axes.
        const double mean = (cxx + cyy) / 2.0;
        const double spread = std::hypot((cxx - cyy) / 2.0, cxy);
        const double major = mean + spread;
        const double minor = mean - spread;
        if (!(minor > 0.0)) return result;
        double psi = 0.5 * std::atan2(2.0 * cxy, cxx - cyy);
        if (psi < 0.0) psi += std::numbers::pi;
        result.major = 4.0 * std::sqrt(major);
        result.minor = 4.0 * std::sqrt(minor);
        result.orientation = psi;
        result.centre[0] = mx;
        result.centre[1] = my;
        result.passes = pass;

        const double halfA = kWindowWidths * result.major / 2.0;
        const double halfB = kWindowWidths * result.minor / 2.0;
        for (int i = 0; i < rows; ++i) {
            next[i] = RayRange(grid.polar, cosPhi[i], sinPhi[i], result.centre, psi, halfA, halfB);
        }
        if (next == ranges) break;
        ranges.swap(next);
    }
    result.valid = true;
    return result;
}

}  // namespace velor
