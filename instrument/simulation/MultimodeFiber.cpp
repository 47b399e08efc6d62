// Multimode fiber with a filled mode set: the far field is nearly uniform out to the
// acceptance angle sin(theta) = NA, and the edge is softened by a Fermi function.

#include <cmath>

#include "instrument/simulation/BeamModel.h"
#include "instrument/simulation/ModelSupport.h"

namespace velor::sim {
namespace {

class MultimodeFiber final : public BeamModel {
public:
    MultimodeFiber(double numericalAperture, double edge)
        : m_numericalAperture(numericalAperture), m_edge(edge) {}

    double Intensity(double thetaRad, double /*phiRad*/) const override {
        // exp of a large argument is +inf, which gives the right limit 0.
        return 1.0 / (1.0 + std::exp((std::sin(thetaRad) - m_numericalAperture) / m_edge));
    }

    std::string Describe() const override {
        return "Multimode fiber: top hat to NA " + detail::Number(m_numericalAperture) +
               ", edge width " + detail::Number(m_edge) + " in sin(theta)";
    }

private:
    double m_numericalAperture;
    double m_edge;
};

}  // namespace

std::unique_ptr<BeamModel> MakeMultimodeFiber(double numericalAperture, double edge) {
    detail::RequirePositive(numericalAperture, "Numerical aperture");
    if (numericalAperture >= 1.0) throw std::invalid_argument("Numerical aperture must be below 1");
    detail::RequirePositive(edge, "Edge width");
    return std::make_unique<MultimodeFiber>(numericalAperture, edge);
}

}  // namespace velor::sim
