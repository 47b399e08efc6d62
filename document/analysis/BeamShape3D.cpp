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

// Running sums along the polar angle, so that a pass costs a few steps per row whatever the
// window. Only every kCheckpoint-th sum of a row is kept: any other is its checkpoint carried
// on over the samples between, the very additions in the very order that built the checkpoint,
// so it is the same double a full table would hold, from a table a thirtieth of the size (a
// full one for N = 200 is 16 MB, whose writing cost more than all the passes together).
class PolarSums {
public:
    // The sums of values(row, j) · area[j] times 1, θ and θ²; values of nullptr stand for 1.
    PolarSums(int rows, const std::vector<float>& polar, const std::vector<double>& area, const float* values)
        : m_polarCount(static_cast<int>(polar.size())),
          m_checkpoints(m_polarCount / kCheckpoint + 1),
          m_polar(polar),
          m_area(area),
          m_values(values),
          m_sums(static_cast<size_t>(rows) * m_checkpoints * kSums) {}

    // Fills the checkpoints of a row; false when the row holds a value that is not a number.
    // *lit, when given, is set once a value above zero turns up.
    bool FillRow(int row, bool* lit = nullptr) {
        double s[kSums] = {0.0, 0.0, 0.0};
        double* out = m_sums.data() + static_cast<size_t>(row) * m_checkpoints * kSums;
        const float* values = Values(row);
        for (int j = 0; j <= m_polarCount; ++j) {
            if (j % kCheckpoint == 0) std::copy(s, s + kSums, out + static_cast<size_t>(j / kCheckpoint) * kSums);
            if (j == m_polarCount) break;
            const double v = values ? values[j] : 1.0;
            if (!std::isfinite(v)) return false;
            if (lit && v > 0.0) *lit = true;
            Add(s, j, v);
        }
        return true;
    }

    // Sum k over the samples of range r of a row.
    void Over(int row, Range r, double out[kSums]) const {
        double low[kSums], high[kSums];
        At(row, r.first, low);
        At(row, r.last + 1, high);
        for (int k = 0; k < kSums; ++k) out[k] = high[k] - low[k];
    }

private:
    static constexpr int kCheckpoint = 32;

    const float* Values(int row) const {
        return m_values ? m_values + static_cast<size_t>(row) * m_polarCount : nullptr;
    }

    void Add(double s[kSums], int j, double v) const {
        const double theta = m_polar[j];
        const double w = m_area[j] * v;
        s[0] = s[0] + w;
        s[1] = s[1] + w * theta;
        s[2] = s[2] + w * theta * theta;
    }

    // The sums over samples 0 … j − 1 of a row.
    void At(int row, int j, double s[kSums]) const {
        const int checkpoint = j / kCheckpoint;
        const double* kept = m_sums.data() + (static_cast<size_t>(row) * m_checkpoints + checkpoint) * kSums;
        std::copy(kept, kept + kSums, s);
        const float* values = Values(row);
        for (int m = checkpoint * kCheckpoint; m < j; ++m) Add(s, m, values ? values[m] : 1.0);
    }

    int m_polarCount;
    int m_checkpoints;
    const std::vector<float>& m_polar;
    const std::vector<double>& m_area;
    const float* m_values;
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

    // Map area of each polar sample, θ dθ (trapezoid).
    std::vector<double> area(static_cast<size_t>(polarCount));
    for (int j = 0; j < polarCount; ++j) {
        const double theta = grid.polar[j];
        const double lower = grid.polar[std::max(j - 1, 0)];
        const double upper = grid.polar[std::min(j + 1, polarCount - 1)];
        area[j] = theta * (upper - lower) / 2.0;
    }
    PolarSums areaSums(1, grid.polar, area, nullptr);
    areaSums.FillRow(0);
    bool lit = false;
    PolarSums sums(rows, grid.polar, area, grid.values.data());
    for (int i = 0; i < rows; ++i) {
        if (!sums.FillRow(i, &lit)) return result;
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
    double rimArea0[kSums];
    areaSums.Over(0, rim, rimArea0);
    for (int i = 0; i < rows; ++i) {
        double rimSums[kSums];
        sums.Over(i, rim, rimSums);
        rimSum += weight[i] * rimSums[0];
        rimArea += weight[i] * rimArea0[0];
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
            double s[kSums], q[kSums];
            sums.Over(i, r, s);
            areaSums.Over(0, r, q);
            const double r0 = s[0] - b * q[0];
            const double r1 = s[1] - b * q[1];
            const double r2 = s[2] - b * q[2];
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
