// LP01 far field of a step-index fiber.
//
// With rho = r/a and Q = k a sin(theta) the far-field amplitude is the Hankel transform
//   E(Q) / a^2 = int_0^1 J0(U rho) J0(Q rho) rho drho
//              + J0(U)/K0(W) int_1^inf K0(W rho) J0(Q rho) rho drho.
// For f and g solving Bessel's equations, d/drho [rho (f g' - f' g)] = -(mu + Q^2) rho f g
// (mu = -U^2 for J0(U rho), +W^2 for K0(W rho)), so both integrals close:
//   core     = [U J1(U) J0(Q) - Q J0(U) J1(Q)] / (U^2 - Q^2)
//   cladding = J0(U)/K0(W) [W K1(W) J0(Q) - Q K0(W) J1(Q)] / (W^2 + Q^2).
// The eigenvalue equation W K1/K0 = U J1/J0 makes the two brackets equal, N(Q), and
//   E(Q) = a^2 N(Q) V^2 / ((U^2 - Q^2)(W^2 + Q^2)).
// N(U) = 0 too, so Q = U is a removable point: there the core integral tends to
// (J0(U)^2 + J1(U)^2) / 2 (Lommel). The nulls of E are the other zeros of N.

#include "instrument/simulation/StepIndexFiber.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "instrument/simulation/ModelSupport.h"

namespace velor::sim {
namespace {

constexpr double kFirstZeroJ0 = 2.404825557695773;
constexpr double kLowestV = 0.5;

// K1(w) / K0(w). Both underflow beyond w ~ 700, so large w takes the ratio of their
// asymptotic series (terms (mu - 1)(mu - 9).../(k! (8w)^k), mu = 4 nu^2), exact to rounding
// there after five terms.
double BesselKRatio(double w) {
    if (w < 500.0) return std::cyl_bessel_k(1.0, w) / std::cyl_bessel_k(0.0, w);
    double k0 = 1.0;
    double k1 = 1.0;
    double term0 = 1.0;
    double term1 = 1.0;
    for (int k = 1; k <= 5; ++k) {
        const double odd = 2.0 * k - 1.0;
        term0 *= (0.0 - odd * odd) / (k * 8.0 * w);
        term1 *= (4.0 - odd * odd) / (k * 8.0 * w);
        k0 += term0;
        k1 += term1;
    }
    return k1 / k0;
}

// U J1(U)/J0(U) - W K1(W)/K0(W): negative near U = 0, positive near the upper end.
double Characteristic(double u, double v) {
    const double w = std::sqrt(v * v - u * u);
    return u * ::j1(u) / ::j0(u) - w * BesselKRatio(w);
}

}  // namespace

double SolveLp01(double v) {
    detail::RequirePositive(v, "Normalised frequency V");
    // The root is unique in the open interval; bisection never evaluates the end points, where
    // J0 or K0 is singular, and converges to the last bit.
    double low = 0.0;
    double high = std::min(v, kFirstZeroJ0);
    for (int i = 0; i < 200; ++i) {
        const double middle = 0.5 * (low + high);
        if (middle <= low || middle >= high) break;
        (Characteristic(middle, v) < 0.0 ? low : high) = middle;
    }
    return 0.5 * (low + high);
}

StepIndexFiber::StepIndexFiber(double coreRadiusUm, double numericalAperture, double wavelengthNm)
    : m_coreRadiusUm(coreRadiusUm),
      m_numericalAperture(numericalAperture),
      m_wavelengthNm(wavelengthNm) {
    detail::RequirePositive(coreRadiusUm, "Core radius");
    detail::RequirePositive(numericalAperture, "Numerical aperture");
    if (numericalAperture >= 1.0) throw std::invalid_argument("Numerical aperture must be below 1");
    detail::RequirePositive(wavelengthNm, "Wavelength");
    m_ka = 2.0 * std::numbers::pi * coreRadiusUm / (wavelengthNm / 1000.0);
    m_v = m_ka * numericalAperture;
    // Below V ~ 0.5 the mode reaches thousands of core radii into the cladding (W -> 0) and its
    // far field collapses onto the axis: no source the instrument could measure.
    if (m_v < kLowestV) throw std::invalid_argument("Fiber's V number must be at least 0.5");
    m_u = SolveLp01(m_v);
    m_w = std::sqrt(m_v * m_v - m_u * m_u);
    m_axisAmplitude = Transform(0.0);
}

double StepIndexFiber::Transform(double q) const {
    const double u2 = m_u * m_u;
    const double ju0 = ::j0(m_u);
    const double ju1 = ::j1(m_u);
    const double w2q2 = m_w * m_w + q * q;
    // Within 1e-7 of Q = U the cancellation in N / (U^2 - Q^2) would cost more digits than the
    // limit's error of order |Q - U|.
    if (std::abs(q - m_u) < 1e-7 * m_u) return m_v * m_v * 0.5 * (ju0 * ju0 + ju1 * ju1) / w2q2;
    const double n = m_u * ju1 * ::j0(q) - q * ju0 * ::j1(q);
    return m_v * m_v * n / ((u2 - q * q) * w2q2);
}

double StepIndexFiber::Amplitude(double thetaRad) const {
    return Transform(m_ka * std::sin(thetaRad)) / m_axisAmplitude;
}

double StepIndexFiber::Intensity(double thetaRad, double /*phiRad*/) const {
    const double amplitude = Amplitude(thetaRad);
    return amplitude * amplitude;
}

std::vector<double> StepIndexFiber::NullAngles(double maxThetaRad) const {
    std::vector<double> nulls;
    const double maxTheta = std::min(maxThetaRad, std::numbers::pi / 2.0);
    if (!(maxTheta > 0.0)) return nulls;
    const double qMax = m_ka * std::sin(maxTheta);
    // Zeros of N lie about pi apart in Q; steps of 0.02 cannot step over a pair of them.
    const double step = 0.02;
    double q0 = 0.0;
    double e0 = Transform(q0);
    while (q0 < qMax) {
        const double q1 = std::min(q0 + step, qMax);
        const double e1 = Transform(q1);
        if ((e0 < 0.0) != (e1 < 0.0)) {
            double low = q0;
            double high = q1;
            for (int i = 0; i < 200; ++i) {
                const double middle = 0.5 * (low + high);
                if (middle <= low || middle >= high) break;
                ((Transform(middle) < 0.0) == (e0 < 0.0) ? low : high) = middle;
            }
            nulls.push_back(std::asin(std::min(1.0, 0.5 * (low + high) / m_ka)));
        }
        q0 = q1;
        e0 = e1;
    }
    return nulls;
}

std::string StepIndexFiber::Describe() const {
    return "Step-index fiber, LP01 mode: core radius " + detail::Number(m_coreRadiusUm) +
           " um, NA " + detail::Number(m_numericalAperture) + ", " +
           detail::Number(m_wavelengthNm) + " nm (V " +
           detail::Number(std::round(m_v * 1000) / 1000) + ")";
}

std::unique_ptr<BeamModel> MakeStepIndexFiber(double coreRadiusUm, double numericalAperture,
                                              double wavelengthNm) {
    return std::make_unique<StepIndexFiber>(coreRadiusUm, numericalAperture, wavelengthNm);
}

}  // namespace velor::sim
