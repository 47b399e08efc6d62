#pragma once
// The beam statistics rows beyond the classic ones: one table entry per row kind, which gives
// its check box in the Parameters dialog, its rows (per measured axis, or one for the 3D data),
// their names, decimals and values. The selection, statistics and limits of these rows travel
// in an additional block of the view's section (BeamMetricData.h).
//
// Adding a row kind is one entry in BeamMetricKinds.cpp: a bit and a key that no kind has used
// before (files keep both), the texts, the decimals and the document's value.

#include <cstdint>
#include <span>

namespace velor {

class CVelor32Doc;

struct BeamMetricKind {
    uint32_t bit;            // in the selection the additional block carries; never reused
    int key;                 // the parameter kind: limits and statistics follow it
    bool perAxis;            // a row per measured axis, or one row for the 3D data set
    int decimals;            // Value, Min, Max and the limits; Mean and Std Dev show one more
    const char* label;       // its check box in the Parameters dialog
    const char* objectName;  // that check box's object name
    const char* name;        // the row's name; "%.1f" takes the axis's phi for a per-axis kind
    // The value now, NaN when the figure has none ("no fit").
    double (*value)(const CVelor32Doc& document, int axis);
};

std::span<const BeamMetricKind> BeamMetricKinds();
// Every bit a kind of this program owns.
uint32_t BeamMetricBits();

}  // namespace velor
