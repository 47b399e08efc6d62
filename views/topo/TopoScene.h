#pragma once
// The parts of the topographic map in VTK: the unfolded disc as a polar grid mesh coloured
// through the clip levels' mapping, the rim circle at 90°, the radial axis with its degree
// labels and the angular axis around the rim, and the legend. The header names no VTK type
// beyond the renderer the scene is put into.

#include <memory>
#include <string>
#include <vector>

#include "views/scene/LegendFit.h"
#include "views/topo/TopoModel.h"

class vtkRenderer;

namespace velor {

struct TopoLook {
    bool meshLines = false;  // element edges drawn over the map
    bool legend = true;      // the colour legend shown
};

class TopoScene {
public:
    // The angular axis's labels stand this far from the centre (scene units): the map with
    // its labels reaches this far and half a label further.
    static constexpr double kLabelRadius = 100.0;

    explicit TopoScene(vtkRenderer* renderer);
    ~TopoScene();
    TopoScene(const TopoScene&) = delete;
    TopoScene& operator=(const TopoScene&) = delete;

    // Replaces what is shown; an empty model empties the scene. False, with the scene empty,
    // when its arrays cannot be had.
    bool Show(const TopoModel& model, const TopoLook& look);
    void Clear();
    void SetLook(const TopoLook& look);
    // The legend fitted to a view of this size (pixels), in the `room` pixels left of the
    // map's labels.
    void FitLegend(int width, int height, int room);
    const LegendFit& Legend() const;
    // The labels round the rim and along the radius at a scale of so many pixels a scene
    // unit: every one where they stand apart, every second or third where they would run
    // into each other.
    void FitLabels(double pixelsPerUnit);
    // The angles labelled round the rim, in degrees.
    std::vector<int> AngleLabelsShown() const;

    bool IsEmpty() const;
    bool LegendShown() const;
    std::string LegendTitle() const;
    bool MeshLinesShown() const;
    int NodeCount() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

}  // namespace velor
