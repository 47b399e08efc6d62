#pragma once
// Everything a 3D scene shows, computed from the document and the view's settings without any
// 3D toolkit: the grid of nodes, their scaled values and the colour mapping with its legend.

#include <vector>

#include "document/Velor32Doc.h"
#include "views/scene/ClipMapping.h"
#include "views/view3d/SurfaceGeometry.h"
#include "views/view3d/View3dData.h"

namespace velor {

struct SurfaceModel {
    SurfaceKind kind = SurfaceKind::Polar;
    int rows = 0;                       // theta values
    int columns = 0;                    // phi values, N + 1
    std::vector<float> points;          // x y z per node, rows of `columns`
    std::vector<float> values;          // per node, 0 … 100
    std::vector<ColourEntry> entries;   // the colour mapping, highest first
    bool logarithmic = false;

    bool IsEmpty() const { return rows == 0 || columns == 0; }
};

// The steps after the document's thinning, on its thinned data: seam, logarithmic rule,
// normalisation, coordinates and colour mapping.
SurfaceModel BuildSurfaceModel(CVelor32Doc::Sampled3dData data, const C3dData& settings);

// Asks the document for its data at the settings' resolution first; an empty model when the
// document holds no 3D data set or cannot thin it.
SurfaceModel SurfaceModelFor(const CVelor32Doc& document, const C3dData& settings);

}  // namespace velor
