#pragma once
// The power view's numbers, from one of the document's cumulative power curves: the power
// within a cone, the cone holding a share of the total, and the chart's full scale.

#include <cmath>
#include <numbers>
#include <optional>

namespace velor {

struct CPowerData;

// E[k]: the power inside the cone of the k-th half-angle, in the document's uncalibrated
// units, nondecreasing.
struct PowerCurve {
    const float* values = nullptr;
    int count = 0;
    // About the optical axis: the angle grid (2 · count − 1 points, radians) whose centre point
    // count − 1 is the axis; sample k lies at grid point count − 1 + k. Null about the 3D
    // centroid, where sample k lies at k / 10 degrees.
    const float* grid = nullptr;

    bool AboutOpticalAxis() const { return grid != nullptr; }
    // a(k), radians.
    double HalfAngle(int k) const;
    // Amax, degrees: the grid's first angle negated, or (count − 1) / 10.
    double LargestHalfAngle() const;
    // E[count − 1]; 0 for an empty curve.
    double Last() const { return count > 0 ? values[count - 1] : 0.0; }
};

// Index j of the first sample at or beyond a half-angle in degrees; 0 when there is none
// inside the cone (a cone of 0° about the optical axis).
int ConeIndex(const PowerCurve& curve, double degrees);

// E within the cone of `degrees`, interpolated between samples j − 1 and j; the total from
// the largest half-angle on.
double ConeValue(const PowerCurve& curve, double degrees);

// Half-angle in degrees of the cone holding `percent` of the total: interpolated between the
// samples about the first one to reach it; a share reached at the first sample takes its
// angle; 0 for an empty curve.
double PercentHalfAngle(const PowerCurve& curve, double percent);

// The chart's full scale for a top value: the first of 0.1, 0.12 … 0.8, 1.0 not below the
// top's mantissa, times its power of ten; 0 when the top is not a positive number.
double FullScale(double top);

// Power from E with the reference power and the calibration integral C.
struct Calibration {
    double refPower = 0.0;
    double integral = 0.0;  // C; 0 means no calibration
    bool Valid() const { return integral != 0.0 && std::isfinite(integral) && std::isfinite(refPower); }
    double Power(double e) const { return e * refPower / integral; }
};

// What one redraw computes and the text export reports.
struct PowerResults {
    double total = 0.0;
    double conePower[3] = {0.0, 0.0, 0.0};
    double percentAngle[3] = {0.0, 0.0, 0.0};  // degrees
};

// All three cones and percentages, shown or not; nothing without a calibration.
std::optional<PowerResults> ComputePowerResults(const PowerCurve& curve, const CPowerData& settings);

inline double DegreesToNA(double degrees) { return std::sin(degrees * std::numbers::pi / 180.0); }
inline double NAToDegrees(double na) { return std::asin(na) * 180.0 / std::numbers::pi; }

}  // namespace velor
