#pragma once
// Everything the topographic map shows, computed from the document and the view's settings
// without any 3D toolkit: the unfolded disc with its values scaled to 0 … 100, and the colour
// mapping with its legend, as the 3D views have them.

#include <vector>

#include "document/Velor32Doc.h"
#include "views/scene/ClipMapping.h"
#include "views/topo/DiscUnfolding.h"
#include "views/topo/TopoData.h"

namespace velor {

struct TopoModel {
    Disc disc;                          // values 0 … 100
    std::vector<ColourEntry> entries;   // the colour mapping, highest first
    bool logarithmic = false;
    float maximum = 0.0f;               // the largest value before scaling: counts, or decibels

    bool IsEmpty() const { return disc.IsEmpty(); }
};

// The steps after the document's thinning: unfolding, logarithmic rule, normalisation and
// colour mapping.
TopoModel BuildTopoModel(const CVelor32Doc::Sampled3dData& data, const C2dData& settings);

// Asks the document for its data at the settings' resolution first; an empty model when the
// document holds no 3D data set or cannot thin it.
TopoModel TopoModelFor(const CVelor32Doc& document, const C2dData& settings);

}  // namespace velor
