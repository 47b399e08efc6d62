#pragma once
// The beam parameters a measurement is reported with when nobody chose others: the widths and
// numerical aperture at 13.5 %, centroid and peak, the mode-field diameter with the dynamic
// range it rests on, the ratio of the two axes, the second-moment and Gaussian-fit figures of
// each profile and the shape of the 3D data set. The measurement report's default table and
// the HDF5 export's parameters are this list.
//
// Adding a parameter is one entry in StandardParameters.cpp: a key never used before (HDF5
// readers find the value by it), the viewer's name and decimals, a unit and the value.

#include <QString>
#include <span>

namespace velor {

class CVelor32Doc;

enum class ParameterScope {
    Axis,       // one value for each measured axis
    BothAxes,   // one value comparing the two axes: perpendicular axes only
    DataSet3D,  // one value of the 3D data set: only when the measurement holds one
};

struct ParameterEntry {
    const char* key;       // stable identifier: the HDF5 dataset's name
    ParameterScope scope;
    const char* name;      // as the viewer names the row; "%.1f" takes the axis's phi (Axis scope)
    int decimals;          // as the viewer shows it
    const char* unit;      // "deg", "um", "dB"; "1" for a pure number
    // The value now; NaN when it has none ("no fit").
    double (*value)(const CVelor32Doc& document, int axis);
};

std::span<const ParameterEntry> StandardParameters();

// Whether the measurement has the entry: an axis figure always, the ratio with two axes, a
// figure of the 3D data set with 3D data.
bool ParameterApplies(const ParameterEntry& entry, const CVelor32Doc& document);

// The entry's name for an axis (the phi in it), as the viewer shows it.
QString ParameterName(const ParameterEntry& entry, const CVelor32Doc& document, int axis);

}  // namespace velor
