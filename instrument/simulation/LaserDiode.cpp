// Elliptical laser diode beam. The emitting stripe is much narrower across the junction than
// along it, so the far field is an elliptical Gaussian: Gaussian in the angle from the beam
// axis measured along each of the two principal directions. A tilt carries the whole beam frame
// (axis and principal directions) by a rotation that takes the instrument axis to the beam axis.

#include <array>
#include <cmath>
#include <numbers>

#include "instrument/simulation/BeamModel.h"
#include "instrument/simulation/ModelSupport.h"

namespace velor::sim {
namespace {

using Vec3 = std::array<double, 3>;

constexpr double kDegree = std::numbers::pi / 180.0;

double Dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Rotation of v by angle about the unit axis (Rodrigues).
Vec3 Rotate(const Vec3& v, const Vec3& axis, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const Vec3 cross = {axis[1] * v[2] - axis[2] * v[1], axis[2] * v[0] - axis[0] * v[2],
                        axis[0] * v[1] - axis[1] * v[0]};
    const double along = Dot(axis, v) * (1.0 - c);
    return {v[0] * c + cross[0] * s + axis[0] * along, v[1] * c + cross[1] * s + axis[1] * along,
            v[2] * c + cross[2] * s + axis[2] * along};
}

class LaserDiode final : public BeamModel {
public:
    explicit LaserDiode(const LaserDiodeBeam& beam) : m_beam(beam) {
        const double orientation = beam.orientationDeg * kDegree;
        const double tiltPhi = beam.tiltPhiDeg * kDegree;
        // Tilting by theta_t towards azimuth phi_t turns about the horizontal axis normal to it.
        const Vec3 hinge = {-std::sin(tiltPhi), std::cos(tiltPhi), 0.0};
        const double tilt = beam.tiltThetaDeg * kDegree;
        m_axis = Rotate({0.0, 0.0, 1.0}, hinge, tilt);
        m_major = Rotate({std::cos(orientation), std::sin(orientation), 0.0}, hinge, tilt);
        m_minor = Rotate({-std::sin(orientation), std::cos(orientation), 0.0}, hinge, tilt);
        // I = exp(-4 ln 2 (angle / FWHM)^2) is 1/2 at half the full width.
        m_majorScale = 4.0 * std::numbers::ln2 / std::pow(beam.majorFwhmDeg * kDegree, 2);
        m_minorScale = 4.0 * std::numbers::ln2 / std::pow(beam.minorFwhmDeg * kDegree, 2);
    }

    double Intensity(double thetaRad, double phiRad) const override {
        const Vec3 direction = {std::sin(thetaRad) * std::cos(phiRad),
                                std::sin(thetaRad) * std::sin(phiRad), std::cos(thetaRad)};
        const double along = Dot(direction, m_axis);
        if (!(along > 0.0)) return 0.0;  // behind the emitting facet
        const double major = std::atan2(Dot(direction, m_major), along);
        const double minor = std::atan2(Dot(direction, m_minor), along);
        return std::exp(-m_majorScale * major * major - m_minorScale * minor * minor);
    }

    std::string Describe() const override {
        std::string text = "Laser diode: FWHM " + detail::Number(m_beam.majorFwhmDeg) + " x " +
                           detail::Number(m_beam.minorFwhmDeg) + " deg, major axis at azimuth " +
                           detail::Number(m_beam.orientationDeg) + " deg";
        if (m_beam.tiltThetaDeg != 0.0) {
            text += ", axis tilted " + detail::Number(m_beam.tiltThetaDeg) + " deg towards " +
                    detail::Number(m_beam.tiltPhiDeg) + " deg";
        }
        return text;
    }

private:
    LaserDiodeBeam m_beam;
    Vec3 m_axis{};
    Vec3 m_major{};
    Vec3 m_minor{};
    double m_majorScale = 0.0;
    double m_minorScale = 0.0;
};

}  // namespace

std::unique_ptr<BeamModel> MakeLaserDiode(const LaserDiodeBeam& beam) {
    detail::RequirePositive(beam.majorFwhmDeg, "Major divergence");
    detail::RequirePositive(beam.minorFwhmDeg, "Minor divergence");
    detail::RequireFinite(beam.orientationDeg, "Orientation");
    detail::RequireFinite(beam.tiltThetaDeg, "Tilt angle");
    detail::RequireFinite(beam.tiltPhiDeg, "Tilt azimuth");
    return std::make_unique<LaserDiode>(beam);
}

}  // namespace velor::sim
