#pragma once
// Step-index fiber's exact LP01 mode (weakly guiding) and its far field.

#include <string>
#include <vector>

#include "instrument/simulation/BeamModel.h"

namespace velor::sim {

// The LP01 eigenvalue U in (0, min(V, 2.405)) for normalised frequency V > 0: the root of
// U J1(U) / J0(U) = W K1(W) / K0(W) with W = sqrt(V^2 - U^2).
double SolveLp01(double v);

class StepIndexFiber final : public BeamModel {
public:
    // Throws std::invalid_argument unless all three are positive, NA < 1 and V >= 0.5.
    StepIndexFiber(double coreRadiusUm, double numericalAperture, double wavelengthNm);

    double Intensity(double thetaRad, double phiRad) const override;
    std::string Describe() const override;

    // Far-field amplitude, 1 on the axis; it changes sign at each null.
    double Amplitude(double thetaRad) const;
    // Polar angles (radians, ascending) of the far-field nulls in (0, maxThetaRad].
    std::vector<double> NullAngles(double maxThetaRad) const;

    double V() const { return m_v; }
    double U() const { return m_u; }
    double W() const { return m_w; }

private:
    // The far-field amplitude against Q = k a sin(theta), not normalised.
    double Transform(double q) const;

    double m_coreRadiusUm;
    double m_numericalAperture;
    double m_wavelengthNm;
    double m_ka;  // k a, the value of Q at sin(theta) = 1
    double m_v;
    double m_u;
    double m_w;
    double m_axisAmplitude;
};

}  // namespace velor::sim
