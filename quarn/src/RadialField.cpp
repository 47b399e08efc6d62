#include "RadialField.h"

#include <array>
#include <cmath>
#include <numbers>

namespace quarn {
namespace {

constexpr double kAsymptoticFrom = 16.0;
constexpr int kPointsPerUnit = 256;
constexpr int kExpansionTerms = 8;

// J0 and J1 of the maths library at x = i / 256 up to just past 16, with the derivative scaled
// to the point spacing, ready for cubic Hermite interpolation.
class BesselTable {
public:
    BesselTable() {
        for (int i = 0; i < kPoints; ++i) {
            const double x = static_cast<double>(i) / kPointsPerUnit;
            m_value[i] = j0(x);
            m_slope[i] = -j1(x) / kPointsPerUnit;  // J0' = −J1
        }
    }

    double J0(double x) const {
        const double t = x * kPointsPerUnit;
        const int i = static_cast<int>(t);
        const double f = t - i;
        const double g = 1.0 - f;
        return g * g * ((1.0 + 2.0 * f) * m_value[i] + f * m_slope[i]) +
               f * f * ((3.0 - 2.0 * f) * m_value[i + 1] - g * m_slope[i + 1]);
    }

private:
    static constexpr int kPoints = static_cast<int>(kAsymptoticFrom) * kPointsPerUnit + 2;
    std::array<double, kPoints> m_value{};
    std::array<double, kPoints> m_slope{};
};

const BesselTable& Table() {
    static const BesselTable table;
    return table;
}

// J0(x) = √(2/(πx)) · (P(x) cos(x − π/4) − Q(x) sin(x − π/4)), with
// P = Σ (−1)^k a_2k / x^2k and Q = −Σ (−1)^k a_2k+1 / x^2k+1, a_k = Π_{j ≤ k} (2j − 1)² / (k! 8^k).
struct Expansion {
    std::array<double, kExpansionTerms> p{};
    std::array<double, kExpansionTerms> q{};  // Q / (1/x), in powers of 1/x²

    Expansion() {
        std::array<double, 2 * kExpansionTerms> a{};
        a[0] = 1.0;
        for (int k = 1; k < 2 * kExpansionTerms; ++k) a[k] = a[k - 1] * (2.0 * k - 1.0) * (2.0 * k - 1.0) / (8.0 * k);
        for (int k = 0; k < kExpansionTerms; ++k) {
            const double sign = k % 2 == 0 ? 1.0 : -1.0;
            p[k] = sign * a[2 * k];
            q[k] = -sign * a[2 * k + 1];
        }
    }

    // J0 from u = 1/x, root = √(2/(πx)) and the cosine and sine of x − π/4.
    double J0(double u, double root, double cosine, double sine) const {
        const double u2 = u * u;
        double pu = p[kExpansionTerms - 1];
        double qu = q[kExpansionTerms - 1];
        for (int k = kExpansionTerms - 2; k >= 0; --k) {
            pu = pu * u2 + p[k];
            qu = qu * u2 + q[k];
        }
        return root * (pu * cosine - qu * u * sine);
    }
};

const Expansion& Asymptotic() {
    static const Expansion expansion;
    return expansion;
}

constexpr double kQuarterPi = std::numbers::pi / 4.0;

}  // namespace

RadialField::RadialField(const std::vector<HankelTerm>& terms, double radialStep) {
    m_rays.reserve(terms.size());
    for (const HankelTerm& term : terms) {
        Ray ray{};
        ray.amplitude = term.amplitude;
        ray.delta = std::fabs(radialStep * term.frequency);
        if (ray.delta > 0.0) {  // else x stays 0, in the table
            ray.inverseDelta = 1.0 / ray.delta;
            ray.rootDelta = std::sqrt(2.0 / (std::numbers::pi * ray.delta));
            ray.turnCosine = std::cos(ray.delta);
            ray.turnSine = std::sin(ray.delta);
        }
        m_rays.push_back(ray);
    }
}

double RadialField::Next() {
    const BesselTable& table = Table();
    const Expansion& expansion = Asymptotic();
    const double k = static_cast<double>(m_radius++);
    const double inverseK = k > 0.0 ? 1.0 / k : 0.0;
    const double rootInverseK = k > 0.0 ? 1.0 / std::sqrt(k) : 0.0;
    double field = 0.0;
    for (Ray& ray : m_rays) {
        const double x = k * ray.delta;
        double j;
        if (x < kAsymptoticFrom) {
            j = table.J0(x);
        } else {
            if (ray.asymptotic) {  // x grew by delta since the last radius
                const double cosine = ray.cosine * ray.turnCosine - ray.sine * ray.turnSine;
                ray.sine = ray.sine * ray.turnCosine + ray.cosine * ray.turnSine;
                ray.cosine = cosine;
            } else {
                ray.cosine = std::cos(x - kQuarterPi);
                ray.sine = std::sin(x - kQuarterPi);
                ray.asymptotic = true;
            }
            j = expansion.J0(inverseK * ray.inverseDelta, rootInverseK * ray.rootDelta, ray.cosine, ray.sine);
        }
        field += ray.amplitude * j;
    }
    return field;
}

}  // namespace quarn
