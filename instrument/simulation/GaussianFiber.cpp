// Single-mode fiber whose mode is a Gaussian of waist w0: its far field is the Gaussian's
// Hankel transform, a Gaussian in sin(theta) that falls to 1/e^2 at sin(theta) = lambda/(pi w0).

#include <cmath>
#include <numbers>

#include "instrument/simulation/BeamModel.h"
#include "instrument/simulation/ModelSupport.h"

namespace velor::sim {
namespace {

class GaussianFiber final : public BeamModel {
public:
    GaussianFiber(double wavelengthNm, double mfdUm)
        : m_wavelengthNm(wavelengthNm),
          m_mfdUm(mfdUm),
          m_scale(std::numbers::pi * (mfdUm / 2.0) / (wavelengthNm / 1000.0)) {}

    double Intensity(double thetaRad, double /*phiRad*/) const override {
        const double x = m_scale * std::sin(thetaRad);
        return std::exp(-2.0 * x * x);
    }

    std::string Describe() const override {
        return "Single-mode fiber, Gaussian mode: MFD " + detail::Number(m_mfdUm) + " um at " +
               detail::Number(m_wavelengthNm) + " nm";
    }

private:
    double m_wavelengthNm;
    double m_mfdUm;
    double m_scale;  // pi w0 / lambda
};

}  // namespace

std::unique_ptr<BeamModel> MakeGaussianFiber(double wavelengthNm, double mfdUm) {
    detail::RequirePositive(wavelengthNm, "Wavelength");
    detail::RequirePositive(mfdUm, "Mode-field diameter");
    return std::make_unique<GaussianFiber>(wavelengthNm, mfdUm);
}

}  // namespace velor::sim
