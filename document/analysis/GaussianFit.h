#pragma once
// The least-squares fit of A·exp(−2(θ − θ0)²/w²) to an angular profile, and how well it fits:
// R² = 1 for a perfectly Gaussian beam, less the further the beam is from one. GSL's
// nonlinear least squares (trust region, Levenberg–Marquardt steps) does the minimising.

#include <optional>
#include <span>

namespace velor {

struct GaussianFit {
    bool fitted = false;     // false is "no fit": every number below is then 0
    double amplitude = 0.0;  // A, counts above the baseline
    double centre = 0.0;     // θ0, radians
    double width = 0.0;      // 2w, the 1/e² full angle, radians
    double rSquared = 0.0;   // 1 − residual / total sum of squares, not below 0
    int samples = 0;         // samples the fit took in
    int iterations = 0;
};

// The solver's iterations are bounded: a fit that has not converged by then is no fit.
inline constexpr int kMaxFitIterations = 100;
// Only the samples at or above this fraction of the peak (above the baseline) are fitted: the
// far wings are noise and would weigh as much as the beam.
inline constexpr double kFitFloor = 0.01;

// Where the solver starts: a centre and a 1/e² full angle 2w (radians). The second moments give
// both exactly for a Gaussian beam, so the solver has only to confirm them.
struct GaussianStart {
    double centre;
    double width;
};

// profile and angles (radians, increasing) of the same length, the baseline taken off every
// sample first; without a start the solver starts at the peak with the width of the run of
// samples above 1/e² of it. No fit for fewer than five samples above the floor, samples above it that are
// all alike (a sharp-edged flat top, which any wide Gaussian fits as well as the next), a
// sample or angle that is not a finite number, a profile with nothing above zero, a solver that
// does not converge, or a result outside the fitted samples' span (centre) or wider than that
// span (w).
GaussianFit FitGaussian(std::span<const float> profile, std::span<const float> angles, double baseline,
                        std::optional<GaussianStart> start = std::nullopt);

}  // namespace velor
