#pragma once
// The surface of a 3D view's grid as the renderer takes it: quads between neighbouring nodes
// with smooth normals at the nodes, built in one pass over the grid (a general surface filter
// followed by a normals filter costs several times as much for the same result).

class vtkPolyData;
class vtkStructuredGrid;

namespace velor {

// Every stride-th node of the grid in both directions, the last row and column always kept,
// with its intensity; the normal at a node is the mean of the unit normals of the quads that
// meet there.
void BuildGridSurface(vtkStructuredGrid* grid, int stride, vtkPolyData* surface);

}  // namespace velor
