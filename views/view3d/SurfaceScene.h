#pragma once
// The parts of a 3D view's scene in VTK: the surface as a structured grid coloured through
// the model's colour mapping, the legend, the axes with their theta scale, and the polar
// surface's orientation. The header names no VTK type beyond the renderer the scene is put
// into.

#include <memory>
#include <string>
#include <vector>

#include "views/scene/LegendFit.h"
#include "views/view3d/SurfaceModel.h"

class vtkRenderer;

namespace velor {

// How the surface is drawn, apart from its data.
struct SceneLook {
    bool solid = true;       // filled; otherwise lines
    bool meshLines = false;  // element edges drawn over the surface
    bool legend = true;      // the colour legend shown (where the kind has one)
};

class SurfaceScene {
public:
    explicit SurfaceScene(vtkRenderer* renderer);
    ~SurfaceScene();
    SurfaceScene(const SurfaceScene&) = delete;
    SurfaceScene& operator=(const SurfaceScene&) = delete;

    // Replaces what is shown; an empty model empties the scene. False, with the scene empty,
    // when its arrays cannot be had.
    bool Show(const SurfaceModel& model, const SceneLook& look);
    void Clear();
    void SetLook(const SceneLook& look);
    // The legend fitted to a view of this size (pixels): at most a share of its width.
    void FitLegend(int width, int height);
    const LegendFit& Legend() const;
    // The scene's labels that the legend would cover, or that would run into a label before
    // them (the axes' names first, then the theta scale's name and its angles from the beam
    // outward), are left out of the next render at the camera as it stands: the legend stays
    // where it is as the scene turns under it, and a small view labels less.
    void KeepLabelsApart();
    // While the user turns, zooms or pans, a surface of many nodes is drawn from every second
    // (or third …) row and column, so that software OpenGL keeps up; at rest it is whole.
    void SetInteractive(bool interactive);
    bool ShowsCoarseSurface() const;

    bool IsEmpty() const;
    bool LegendShown() const;
    int NodeCount() const;
    // The texts of the theta scale shown: the polar angles marked in degrees and its name.
    std::vector<std::string> ThetaLabels() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

}  // namespace velor
