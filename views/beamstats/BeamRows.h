#pragma once
// The rows of the beam statistics table: which parameters the settings select, in the order
// the table has always listed them, with their names, keys and decimals, and each row's value
// from the document.

#include <QString>
#include <cstdint>
#include <vector>

#include "views/beamstats/BeamDataData.h"

namespace velor {

class CVelor32Doc;

enum class BeamRowKind {
    Width,
    Aperture,
    Ratio,
    Centroid,
    Peak,
    AmplitudeAtCentroid,
    AmplitudeAtPeak,
    AmplitudeAtAngle,
    ModeField,
    Metric,  // a kind of the metric table (BeamMetricKinds.h)
};

struct BeamMetricKind;

struct BeamRow {
    BeamRowKind kind;
    int key;             // the parameter kind; limits follow it through a rebuild
    int axis = 0;        // a ratio row compares both axes and says 0
    uint16_t clip = 0;   // tenths of a percent: widths, apertures and ratios
    float angle = 0.0f;  // degrees: amplitude at a user angle
    int decimals = 1;    // Value, Min, Max and the limits; Mean and Std Dev show one more
    QString name;
    const BeamMetricKind* metric = nullptr;  // the metric rows' table entry
};

// What the names and decimals depend on besides the settings.
struct BeamRowContext {
    bool perpendicular = false;
    float phi[2] = {0.0f, 90.0f};  // degrees
    uint16_t units = 0;            // 0 relative, 1 counts, 2 intensity (3 dB)
    QString powerUnit;             // "mW"
};

BeamRowContext RowContextOf(const CVelor32Doc& document);

// The classic rows the record selects, then the metric rows of the selected kinds (bits of
// BeamMetricKinds.h; unknown bits are passed over). At most kBeamTableRows rows; every
// selection together gives fewer.
std::vector<BeamRow> BuildBeamRows(const CBeamDataData& settings, const BeamRowContext& context,
                                   uint32_t metricKinds = 0);

// The row's parameter as the document computes it now; NaN when it has no value ("no fit").
double BeamRowValue(const BeamRow& row, const CVelor32Doc& document);

}  // namespace velor
