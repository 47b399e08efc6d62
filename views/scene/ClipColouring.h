#pragma once
// The clip levels' colour mapping as VTK takes it, and the legend that labels it: a piecewise
// colour function of the data values, and a scalar bar on the left edge of the view showing
// the entries' isovalues under the scale's title, on grey with a red border. Shared by the 3D
// and topographic scenes; only VTK sources include it.

#include <memory>
#include <vector>

#include "views/scene/ClipMapping.h"

class vtkColorTransferFunction;
class vtkPolyDataMapper;
class vtkScalarBarActor;

namespace velor {

class ClipColouring {
public:
    ClipColouring();
    ~ClipColouring();
    ClipColouring(const ClipColouring&) = delete;
    ClipColouring& operator=(const ClipColouring&) = delete;

    vtkScalarBarActor* Legend() const;

    // Each node of what the mapper draws takes its colour from the mapping exactly; between
    // nodes the colours blend.
    void ColourThrough(vtkPolyDataMapper* mapper) const;

    // The entries, highest first, and the legend's title and label format for the scale.
    void SetEntries(const std::vector<ColourEntry>& entries, bool logarithmic);

    // The legend's texts sized to the view (in pixels), so its title fits its box.
    void FitLegend(int width, int height);

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

}  // namespace velor
