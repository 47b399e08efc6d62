#pragma once
// The figures laser-beam standards define, beside the classic parameters: per profile the
// second-moment width with its numerical aperture and the Gaussian fit with its quality; from
// the 3D data the divergence along the beam's principal axes, the ellipticity and the
// orientation. Angles in degrees, as the views show them.

#include <vector>

namespace velor {

struct ProfileMetrics {
    float secondMomentWidth = 0.0f;  // 4σ, full angle; 0 when it cannot be computed
    float secondMomentNA = 0.0f;     // sine of its half
    bool fitted = false;             // false is "no fit", and the three below are 0
    float fitWidth = 0.0f;           // 2w, the 1/e² full angle
    float fitCenter = 0.0f;          // θ0
    float fitQuality = 0.0f;         // R²
};

struct BeamShape {
    bool valid = false;              // false: every figure below is 0
    float majorDivergence = 0.0f;    // 4σ along the major axis, full angle
    float minorDivergence = 0.0f;    // 4σ along the minor axis
    float ellipticity = 0.0f;        // minor over major, 0 to 1
    float orientation = 0.0f;        // azimuth of the major axis, 0 to 180
};

struct PolarGrid;

// The metrics of a profile on its angle grid (radians).
ProfileMetrics ComputeProfileMetrics(const float* profile, const float* angles, int n);

// The shape of the beam the regridded 3D data hold.
BeamShape ComputeBeamShape(const PolarGrid& grid);

// A profile's metrics, kept with the samples and angles they were computed from: the beam
// statistics ask for five figures of each axis per scan, and the fit is the dear part.
class ProfileMetricsCache {
public:
    const ProfileMetrics& Get(const float* profile, const float* angles, int n);

private:
    std::vector<float> m_profile;
    std::vector<float> m_angles;
    bool m_filled = false;
    ProfileMetrics m_metrics;
};

}  // namespace velor
