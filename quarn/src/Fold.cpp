// Folds a two-sided profile about its peak into a one-sided profile against the angle from
// the fold centre, averaging each pair of samples mirrored about that centre.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "NoThrow.h"
#include "ResultStore.h"
#include "quarn/quarn.h"

namespace {

struct FoldCentre {
    std::size_t down = 0;  // first sample at or left of the centre
    std::size_t up = 0;    // first sample at or right of the centre
    float angle = 0.0f;
};

// The centre is the middle of the samples equal to the peak: the middle match itself for an
// odd number of matches; for an even number the midpoint of the two central matches, which is
// a sample or the gap between two samples.
bool FindCentre(std::size_t count, const float* intensity, const float* angle, float peak,
                FoldCentre& centre) {
    const std::size_t matches =
        static_cast<std::size_t>(std::count(intensity, intensity + count, peak));
    if (matches == 0) return false;

    // The matches at positions (matches - 1) / 2 and matches / 2: one and the same when odd.
    std::size_t left = 0;
    std::size_t right = 0;
    for (std::size_t i = 0, seen = 0; i < count; ++i) {
        if (intensity[i] != peak) continue;
        if (seen == (matches - 1) / 2) left = i;
        if (seen == matches / 2) {
            right = i;
            break;
        }
        ++seen;
    }
    const std::size_t down = (left + right) / 2;
    const std::size_t up = (left + right + 1) / 2;
    centre = {down, up, down == up ? angle[down] : (angle[down] + angle[up]) / 2.0f};
    return true;
}

bool Fold(std::size_t count, const float* intensity, const float* angle, float peak,
          float** foldedIntensity, float** foldedAngle, uint16_t* foldedCount) {
    FoldCentre centre;
    if (!FindCentre(count, intensity, angle, peak, centre)) return false;

    quarn::ResultStore& store = quarn::Results();
    store.Reserve(2);
    const std::size_t pairs = std::min(centre.down + 1, count - centre.up);
    auto* values = static_cast<float*>(std::malloc(pairs * sizeof(float)));
    auto* angles = static_cast<float*>(std::malloc(pairs * sizeof(float)));
    if (values == nullptr || angles == nullptr) {
        std::free(values);
        std::free(angles);
        return false;
    }

    for (std::size_t j = 0; j < pairs; ++j) {
        const std::size_t up = centre.up + j;
        const std::size_t down = centre.down - j;
        values[j] = (intensity[up] + intensity[down]) / 2.0f;
        const float upOffset = std::fabs(angle[up] - centre.angle);
        const float downOffset = std::fabs(angle[down] - centre.angle);
        angles[j] = (upOffset + downOffset) / 2.0f;
    }

    store.Record(quarn::ResultStore::kPrimarySlot, values);
    store.Record(quarn::ResultStore::kSecondarySlot, angles);
    *foldedIntensity = values;
    *foldedAngle = angles;
    *foldedCount = static_cast<uint16_t>(pairs);
    return true;
}

}  // namespace

extern "C" bool Quarn_FoldData(uint16_t count, const float* intensity, const float* angle,
                               float peak, float** foldedIntensity, float** foldedAngle,
                               uint16_t* foldedCount) {
    if (foldedIntensity == nullptr || foldedAngle == nullptr || foldedCount == nullptr) {
        return false;
    }
    *foldedIntensity = nullptr;
    *foldedAngle = nullptr;
    *foldedCount = 0;
    if (intensity == nullptr || angle == nullptr || count == 0) return false;
    return quarn::NoThrow(false, [&] {
        return Fold(count, intensity, angle, peak, foldedIntensity, foldedAngle, foldedCount);
    });
}
