#pragma once
// A simulated optical source: its relative far-field intensity in any direction, and the
// factories for the source models.

#include <memory>
#include <string>

namespace velor::sim {

// Far-field intensity per unit solid angle, relative: about 1 in the brightest direction.
class BeamModel {
public:
    virtual ~BeamModel() = default;
    // thetaRad: polar angle from the instrument axis; phiRad: azimuth.
    virtual double Intensity(double thetaRad, double phiRad) const = 0;
    // One line saying what is simulated, for a note.
    virtual std::string Describe() const = 0;
};

// The factories throw std::invalid_argument for parameters that describe no source.

// Single-mode fiber with a Gaussian mode of mode-field diameter MFD = 2 w0:
// I = exp(-2 (pi w0 sin(theta) / lambda)^2).
std::unique_ptr<BeamModel> MakeGaussianFiber(double wavelengthNm, double mfdUm);

// Step-index fiber's exact LP01 mode; StepIndexFiber.h has the model with its eigenvalues.
std::unique_ptr<BeamModel> MakeStepIndexFiber(double coreRadiusUm, double numericalAperture,
                                              double wavelengthNm);

// Elliptical laser diode beam: Gaussian in the two angles from the beam axis, measured along
// the major and minor principal directions. Widths are full angles at half maximum, as laser
// diode data sheets give them.
struct LaserDiodeBeam {
    double majorFwhmDeg = 30.0;
    double minorFwhmDeg = 10.0;
    double orientationDeg = 0.0;  // azimuth of the major axis before the tilt
    double tiltThetaDeg = 0.0;    // polar angle of the beam axis
    double tiltPhiDeg = 0.0;      // azimuth of the beam axis
};
std::unique_ptr<BeamModel> MakeLaserDiode(const LaserDiodeBeam& beam);

// Multimode fiber: a top hat out to its numerical aperture with a soft edge,
// I = 1 / (1 + exp((sin(theta) - NA) / edge)).
std::unique_ptr<BeamModel> MakeMultimodeFiber(double numericalAperture, double edge = 0.01);

}  // namespace velor::sim
