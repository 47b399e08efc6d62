#include "document/analysis/NearFieldReach.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace velor {
namespace {

// The library's stop is 1e-4 of the maximum; half of it leaves room for rounding.
constexpr double kSureStop = 0.5e-4;

struct Term {
    double amplitude;
    double frequency;  // per nanometre of radius
};

// The library's weights and roundings: the full span to both neighbours inside, half an
// interval at the ends; root, sine and sin 2a in single precision.
std::vector<Term> Terms(std::span<const float> p, std::span<const float> a, std::span<const int16_t> s,
                        double wavelength) {
    const size_t n = p.size();
    std::vector<Term> terms;
    for (size_t i = 0; i < n; ++i) {
        const double weight = i == 0       ? (double{a[1]} - a[0]) / 2.0
                              : i == n - 1 ? (double{a[n - 1]} - a[n - 2]) / 2.0
                                           : double{a[i + 1]} - a[i - 1];
        const float root = std::sqrt(std::fmax(p[i], 0.0f));
        const float sine = static_cast<float>(std::sin(double{a[i]}));
        const float sineTwice = static_cast<float>(std::sin(double{2.0f * a[i]}));
        const double amplitude = weight * root * s[i] * sineTwice;
        if (amplitude == 0.0) continue;
        terms.push_back({amplitude, 2.0 * std::numbers::pi * sine / wavelength});
    }
    return terms;
}

}  // namespace

std::optional<int> NearFieldReach(std::span<const float> intensity, std::span<const float> angles,
                                  std::span<const int16_t> signs, float stepUm, float wavelengthNm,
                                  int radii, int stride) {
    if (intensity.size() < 2 || angles.size() != intensity.size() || signs.size() != intensity.size()) return {};
    if (!(stepUm > 0.0f) || !std::isfinite(stepUm) || !(wavelengthNm > 0.0f) || stride < 1) return {};
    const std::vector<Term> terms = Terms(intensity, angles, signs, wavelengthNm);
    if (terms.empty()) return {};
    for (const Term& t : terms) {
        if (!std::isfinite(t.amplitude) || !std::isfinite(t.frequency)) return {};
    }
    double maximum = 0.0;
    for (int k = 0; k < radii; k += stride) {
        const double radius = static_cast<double>(k) * double{stepUm} * 1000.0;  // nm, as the library
        double field = 0.0;
        for (const Term& t : terms) field += t.amplitude * ::j0(radius * t.frequency);
        const double value = field * field;
        maximum = std::fmax(maximum, value);
        if (value < kSureStop * maximum) return k;
    }
    return {};
}

}  // namespace velor
