#pragma once
// The second-moment ("D4σ") width of an angular profile, taken the way laser-beam standards
// take it: a baseline removed, and the moments integrated over a window of three times the
// width about the centroid, the window iterated until it stops changing. Without it the noise
// far from the beam, weighted by the square of its distance, swamps the width.

#include <span>

namespace velor {

struct SecondMomentWidth {
    bool valid = false;
    double centroid = 0.0;  // radians
    double width = 0.0;     // 4σ, a full angle in radians
    // Counts taken off every sample: the weighted mean of the outer twentieth of the samples
    // at each end, where the beam does not reach. Set whenever the input was usable.
    double baseline = 0.0;
    int first = 0;          // the window's first and last samples
    int last = 0;
    int passes = 0;         // moments taken until the window repeated
};

// At most this many passes; a window that still moves is reported as it stands.
inline constexpr int kMaxWindowPasses = 50;

// profile and angles (radians, increasing) of the same length. Not valid for fewer than three
// samples, a sample or angle that is not a finite number, angles that do not increase, a
// profile without positive weight above its baseline, or a window narrower than three samples.
SecondMomentWidth ComputeSecondMomentWidth(std::span<const float> profile, std::span<const float> angles);

}  // namespace velor
