#pragma once
// How far out the library's near-field transform has to go before it stops: the transform
// evaluated as the library evaluates it, but only at every stride-th radius, so that a far
// field whose near field never falls 40 dB is refused at a bounded cost instead of running
// the library to its 65535 radii.

#include <cstdint>
#include <optional>
#include <span>

namespace velor {

// The first radius index k (a multiple of `stride`, below `radii`) at which the intensity is
// under half the library's −40 dB stop of the maximum met at the radii checked so far; the
// library, which checks every radius against a maximum at least as large, has stopped by k.
// Nothing when no such radius comes within the bound or the terms are not finite.
std::optional<int> NearFieldReach(std::span<const float> intensity, std::span<const float> angles,
                                  std::span<const int16_t> signs, float stepUm, float wavelengthNm,
                                  int radii, int stride);

}  // namespace velor
