#pragma once
// Below the noise floor a far field is unknown. For a lone lobe (a Gaussian-like mode) the
// smoothest guess is the lobe's own decay: the Gaussian in sin θ that its last 10 dB above the
// floor follow, carried on to 40 dB under the floor. Cutting the lobe off at the floor instead
// is a hard edge, whose ringing shifts the near field and its effective area.

#include <span>
#include <vector>

namespace velor {

// Continues the one-sided profile p (angles a, radians, ascending from the centre) past its
// last sample at or above `floor`: samples beyond it are replaced by the fitted decay while it
// stays above floor / 10^4. The fit takes the samples at or above the floor from the last one
// back to the first 10 dB above it, passing over those that noise pushed below. False, with p unchanged, when there is nothing to continue from:
// no room beyond the lobe, fewer than three samples in its last decade, or no decay.
// Continued samples never rise above the floor, where they were measured below it.
bool ContinueLoneLobe(std::vector<float>& p, std::span<const float> a, float floor);

}  // namespace velor
