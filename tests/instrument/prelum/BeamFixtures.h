#pragma once
// Analytic beams sampled the way the instrument sweeps them, and the polar grid built from the
// sweeps. Sample s of sweep k at azimuth k pi / N looks along u(theta[s], k pi / N): a negative
// theta is the opposite azimuth.

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "instrument/prelum/Prelum.h"

namespace velor::prelum_test {

using Vec = std::array<double, 3>;
using Beam = std::function<double(const Vec&)>;

constexpr int kSamples = 3241;
constexpr int kCentre = 1620;
constexpr int kPolarCount = 1621;
constexpr double kDegree = std::numbers::pi / 180.0;

inline double Dot(const Vec& a, const Vec& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
inline Vec Cross(const Vec& a, const Vec& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
inline Vec Direction(double theta, double phi) {
    return {std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi), std::cos(theta)};
}
inline double AngleBetween(const Vec& a, const Vec& b) {
    return std::acos(std::clamp(Dot(a, b) / std::sqrt(Dot(a, a) * Dot(b, b)), -1.0, 1.0));
}

// The document's angle grid for a user distance in cm, antisymmetric about the centre sample.
inline std::vector<float> AngleGrid(double distanceCm = 3.0) {
    const double d = distanceCm + 1.65, r = 6.62;
    std::vector<float> theta(kSamples);
    for (int i = 0; i < kSamples; ++i) {
        const double t = (i - kCentre) / 3240.0 * std::numbers::pi;
        theta[i] = static_cast<float>(std::atan2(r * std::sin(t), d + r * std::cos(t)));
    }
    return theta;
}

// peak exp(-2 (sin a / sin w)^2) at angle a from `axis`, over the forward hemisphere about it.
inline Beam Gaussian(Vec axis, double halfAngle, double peak = 1000.0) {
    return [=](const Vec& u) {
        const double c = Dot(u, axis);
        const double s2 = std::max(0.0, 1.0 - c * c) / std::pow(std::sin(halfAngle), 2);
        return c > 0.0 ? peak * std::exp(-2.0 * s2) : 0.0;
    };
}

// Elliptical Gaussian about `axis` with 1/e^2 half-angles along `major` and axis x major.
inline Beam Elliptical(Vec axis, Vec major, double majorHalf, double minorHalf) {
    const Vec minor = Cross(axis, major);
    return [=](const Vec& u) {
        const double p = Dot(u, major) / std::sin(majorHalf);
        const double q = Dot(u, minor) / std::sin(minorHalf);
        return Dot(u, axis) > 0.0 ? 1000.0 * std::exp(-2.0 * (p * p + q * q)) : 0.0;
    };
}

struct Measurement {
    int n = 0;
    std::vector<float> theta, phi, scans;     // as swept
    std::vector<float> polar, azimuth, grid;  // as flipped
    int Azimuths() const { return 2 * n + 1; }
};

inline Measurement Measure(const Beam& beam, int n, double distanceCm = 3.0) {
    Measurement m;
    m.n = n;
    m.theta = AngleGrid(distanceCm);
    for (int k = 0; k <= n; ++k) {
        m.phi.push_back(static_cast<float>(k * std::numbers::pi / n));
        for (int s = 0; s < kSamples; ++s) {
            m.scans.push_back(
                static_cast<float>(beam(Direction(m.theta[s], k * std::numbers::pi / n))));
        }
    }
    m.polar.resize(kPolarCount);
    m.azimuth.resize(2 * n + 1);
    m.grid.resize(m.azimuth.size() * kPolarCount);
    Prelum_FlipData(kSamples, n + 1, m.theta.data(), m.phi.data(), m.scans.data(), kPolarCount,
                    2 * n + 1, m.polar.data(), m.azimuth.data(), m.grid.data());
    return m;
}

}  // namespace velor::prelum_test
