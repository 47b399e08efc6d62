#include "document/PeakFinder.h"

namespace velor {

int FindPeak(const float* data, int n, float* peak, uint16_t* index) {
    float best = 0.0f;
    int at = 0;
    for (int i = 0; i < n; ++i) {
        if (data[i] > best) {
            best = data[i];
            at = i;
        }
    }
    *index = static_cast<uint16_t>(at);
    // A peak at the first sample or in the last ten is an edge artefact, not a beam.
    if (at >= 1 && at < n - 10) {
        *peak = best;
        return 1;
    }
    *peak = 0.0f;
    return 0;
}

}  // namespace velor
