#pragma once
// What the power view reads from the document for one redraw or one export.

#include "views/power/PowerMath.h"

namespace velor {

class CVelor32Doc;
struct CPowerData;

struct PowerSnapshot {
    PowerCurve curve;
    float centroidTheta = 0.0f;  // degrees
    float centroidPhi = 0.0f;
};

// Refreshes the record's copies of the reference power, its unit and the calibration integral
// from the document, and takes the curve of the record's axis mode with the 3D centroid.
PowerSnapshot TakePowerSnapshot(CPowerData& record, CVelor32Doc& document);

}  // namespace velor
