#pragma once
// The peak finder run on every processed profile.

#include <cstdint>

namespace velor {

// Maximum of data[0..n), starting from 0 and taking only strictly greater samples (the first of
// equal maxima wins). The index is always returned. The peak value is returned, with result 1,
// only when the index lies in [1, n − 10); otherwise the peak value is 0 and the result 0.
int FindPeak(const float* data, int n, float* peak, uint16_t* index);

}  // namespace velor
