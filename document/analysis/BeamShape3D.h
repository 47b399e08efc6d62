#pragma once
// The beam's shape from the 3D data: the second-moment divergence along its two principal
// axes, their ratio (the ellipticity) and the azimuth of the major axis. The moments are taken
// on the map of the far field the topographic view draws: a direction at polar angle θ and
// azimuth φ lies at (θ cos φ, θ sin φ), so distances on the map are angles. As for a single
// profile, a baseline is removed and the integration window (a rectangle of three times the
// widths along the principal axes, about the centroid) is iterated until it stops changing.

#include "document/analysis/PolarGrid.h"

namespace velor {

struct BeamShape3D {
    bool valid = false;
    double major = 0.0;        // 4σ along the major axis, a full angle in radians
    double minor = 0.0;        // 4σ along the minor axis
    double orientation = 0.0;  // azimuth of the major axis, radians in [0, π)
    double centre[2] = {0.0, 0.0};  // the centroid on the map, radians
    double baseline = 0.0;     // counts: the mean over the outer twentieth of the polar angles
    int passes = 0;

    double Ellipticity() const { return major > 0.0 ? minor / major : 0.0; }
};

// Not valid for a grid of the wrong shape, a value that is not a finite number, no value
// above zero, no positive weight above the baseline, or a beam with no width across it.
BeamShape3D ComputeBeamShape3D(const PolarGrid& grid);

}  // namespace velor
