#pragma once
// The N + 1 azimuth scans unfolded onto the whole disc the topographic map shows. A scan at
// azimuth phi runs through the centre from −theta to +theta: its positive half lies on the
// disc at phi, its negative half at phi + 180°. The scans at 0 and 180° cover the same line,
// so the second half of the disc starts at the second scan.

#include <span>
#include <vector>

namespace velor {

struct Disc {
    std::vector<float> radii;   // theta in degrees, from 0 outward: T/2 + 1 values
    std::vector<float> angles;  // azimuth in radians, 0 … 2π: 2P − 1 values
    std::vector<float> values;  // one row of every angle per radius: values[r · angles + a]

    int RadiusCount() const { return static_cast<int>(radii.size()); }
    int AngleCount() const { return static_cast<int>(angles.size()); }
    bool IsEmpty() const { return radii.empty() || angles.empty(); }
    float At(int r, int a) const { return values[static_cast<size_t>(r) * angles.size() + a]; }
};

// thetaDeg: T values symmetric about 0 (T odd, the middle one 0); phi: P values 0 … π in
// radians; values: T rows of P. Angle a < P takes scan a at theta index T/2 + r; angle a ≥ P
// is phi of scan a − P + 1 plus π and takes that scan at theta index T/2 − r. An empty disc
// when the sizes do not fit together.
Disc UnfoldOntoDisc(std::span<const float> thetaDeg, std::span<const float> phi, std::span<const float> values);

}  // namespace velor
