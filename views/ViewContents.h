#pragma once
// What a report or an export takes from a measurement's views besides the document: the note,
// the beam statistics table's selection with its limits, and the chart views' settings. The
// window-free sections give theirs here; the viewer adds what its windows hold.

#include <QString>
#include <optional>

#include "views/beamstats/BeamDataData.h"
#include "views/power/PowerData.h"
#include "views/profile/ProfileData.h"
#include "views/topo/TopoData.h"

namespace velor {

class CDormDoc;

// The beam statistics table as its view holds it: the selection, the per-row arrays in the
// table's row order and the metric rows' block (their kinds, statistics and limits by kind).
struct BeamSelection {
    CBeamDataData settings;
    BeamRowArrays arrays;
    CBeamMetricData metrics;
};

struct ViewContents {
    QString note;
    std::optional<BeamSelection> beam;
    // The first view of each kind.
    std::optional<CProfileData> profile;
    std::optional<CPowerData> power;
    std::optional<C2dData> topo;
};

// The settings records of the document's views, windows or not, and the note and beam table
// of the window-free note and beam statistics sections.
ViewContents ContentsOfViews(const CDormDoc& document);

}  // namespace velor
