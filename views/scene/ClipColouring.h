#pragma once
// The clip levels' colour mapping as VTK takes it, and the legend that labels it: a piecewise
// colour function of the data values, and a scalar bar on the left edge of the view showing
// the entries' isovalues under the scale's title, on grey with a red border. Its texts are
// never smaller than the toolkit's default size: the legend takes the width they need, labels
// levels that lie too close together only every so often, and stays hidden in a view too
// small for it. Shared by the 3D and topographic scenes; only VTK sources include it.

#include <memory>
#include <string>
#include <vector>

#include "views/scene/ClipMapping.h"
#include "views/scene/LegendFit.h"

class vtkColorTransferFunction;
class vtkPolyDataMapper;
class vtkProp;
class vtkRenderer;
class vtkScalarBarActor;
class vtkTextActor;

namespace velor {

// Where a text of the scene stands on the renderer's screen (display coordinates, y up): centred
// across its point, and centred on it or above it.
struct ScreenBox {
    double left, bottom, right, top;
    bool Meets(const ScreenBox& other) const {
        return left < other.right && other.left < right && bottom < other.top && other.bottom < top;
    }
};
ScreenBox ScreenBoxOf(vtkTextActor* label, vtkRenderer* renderer);

class ClipColouring {
public:
    ClipColouring();
    ~ClipColouring();
    ClipColouring(const ClipColouring&) = delete;
    ClipColouring& operator=(const ClipColouring&) = delete;

    vtkScalarBarActor* Legend() const;
    // What the scene adds to its renderer for the legend: the bar and its title.
    std::vector<vtkProp*> LegendProps() const;

    // Each node of what the mapper draws takes its colour from the mapping exactly; between
    // nodes the colours blend.
    void ColourThrough(vtkPolyDataMapper* mapper) const;

    // The entries, highest first, and the legend's title and label format for the scale.
    void SetEntries(const std::vector<ColourEntry>& entries, bool logarithmic);

    // The legend fitted to a view of this size (pixels), taking at most `room` pixels of its
    // width from the left edge.
    const LegendFit& FitLegend(int width, int height, int room);
    const LegendFit& Fit() const;
    // Whether the view wants the legend; it shows where it also fits.
    void ShowLegend(bool wanted);
    // Whether the shown legend covers a text of the scene where the renderer draws it.
    bool Covers(vtkTextActor* label, vtkRenderer* renderer) const;
    std::string Title() const;

private:
    void ApplyVisibility();

    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

}  // namespace velor
