#include "views/topo/DiscUnfolding.h"

#include <numbers>

namespace velor {

Disc UnfoldOntoDisc(std::span<const float> thetaDeg, std::span<const float> phi, std::span<const float> values) {
    const size_t thetaCount = thetaDeg.size();
    const size_t scans = phi.size();
    // Without a middle value the two halves of a scan do not meet at the centre.
    if (thetaCount % 2 == 0 || scans == 0 || values.size() != thetaCount * scans) return {};
    const size_t middle = thetaCount / 2;
    const size_t radii = middle + 1;
    const size_t angles = 2 * scans - 1;

    Disc disc;
    disc.radii.assign(thetaDeg.begin() + static_cast<std::ptrdiff_t>(middle), thetaDeg.end());
    disc.angles.resize(angles);
    for (size_t a = 0; a < angles; ++a) {
        disc.angles[a] = a < scans ? phi[a] : static_cast<float>(phi[a - scans + 1] + std::numbers::pi);
    }
    disc.values.resize(radii * angles);
    for (size_t r = 0; r < radii; ++r) {
        float* row = &disc.values[r * angles];
        const float* outward = &values[(middle + r) * scans];  // positive theta, every scan
        const float* inward = &values[(middle - r) * scans];   // negative theta, every scan
        for (size_t a = 0; a < scans; ++a) row[a] = outward[a];
        for (size_t a = scans; a < angles; ++a) row[a] = inward[a - scans + 1];
    }
    return disc;
}

}  // namespace velor
