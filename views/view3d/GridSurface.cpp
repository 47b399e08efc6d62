#include "views/view3d/GridSurface.h"

#include <vtkCellArray.h>
#include <vtkFloatArray.h>
#include <vtkIdTypeArray.h>
#include <vtkNew.h>
#include <vtkPointData.h>
#include <vtkPoints.h>
#include <vtkPolyData.h>
#include <vtkStructuredGrid.h>

#include <array>
#include <cmath>
#include <vector>

namespace velor {
namespace {

// The nodes kept along one direction of n: 0, stride, 2·stride … and n − 1.
std::vector<int> Kept(int n, int stride) {
    std::vector<int> kept;
    for (int i = 0; i < n; i += stride) kept.push_back(i);
    if (kept.back() != n - 1) kept.push_back(n - 1);
    return kept;
}

using Vec = std::array<double, 3>;

Vec At(const float* xyz, vtkIdType id) { return {xyz[3 * id], xyz[3 * id + 1], xyz[3 * id + 2]}; }

Vec Cross(const Vec& a, const Vec& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

}  // namespace

void BuildGridSurface(vtkStructuredGrid* grid, int stride, vtkPolyData* surface) {
    surface->Initialize();
    int dims[3] = {0, 0, 0};
    grid->GetDimensions(dims);
    auto* gridPoints = vtkFloatArray::SafeDownCast(grid->GetPoints() ? grid->GetPoints()->GetData() : nullptr);
    auto* gridValues = vtkFloatArray::SafeDownCast(grid->GetPointData()->GetScalars());
    if (dims[0] < 2 || dims[1] < 2 || !gridPoints || !gridValues) return;

    // The nodes: the grid's own arrays when every one is kept.
    const std::vector<int> columns = Kept(dims[0], stride), rows = Kept(dims[1], stride);
    const auto c = static_cast<vtkIdType>(columns.size()), r = static_cast<vtkIdType>(rows.size());
    vtkNew<vtkPoints> points;
    vtkFloatArray* xyzArray = gridPoints;
    vtkFloatArray* valueArray = gridValues;
    vtkNew<vtkFloatArray> keptXyz, keptValues;
    if (stride > 1) {
        keptXyz->SetNumberOfComponents(3);
        keptXyz->SetNumberOfTuples(c * r);
        keptValues->SetName(gridValues->GetName());
        keptValues->SetNumberOfTuples(c * r);
        for (vtkIdType j = 0; j < r; ++j) {
            for (vtkIdType i = 0; i < c; ++i) {
                const vtkIdType from = static_cast<vtkIdType>(rows[j]) * dims[0] + columns[i];
                const vtkIdType to = j * c + i;
                for (int k = 0; k < 3; ++k) keptXyz->SetValue(3 * to + k, gridPoints->GetValue(3 * from + k));
                keptValues->SetValue(to, gridValues->GetValue(from));
            }
        }
        xyzArray = keptXyz;
        valueArray = keptValues;
    }
    points->SetData(xyzArray);
    const float* xyz = xyzArray->GetPointer(0);

    // Quads in the order a structured cell lists its corners, and the unit normal of each
    // (the sum of the cross products of its fan from the first corner) added to its corners.
    const vtkIdType quads = (c - 1) * (r - 1);
    vtkNew<vtkIdTypeArray> offsets, connectivity;
    offsets->SetNumberOfValues(quads + 1);
    connectivity->SetNumberOfValues(4 * quads);
    std::vector<double> sums(static_cast<size_t>(3 * c * r), 0.0);
    vtkIdType q = 0;
    for (vtkIdType j = 0; j + 1 < r; ++j) {
        for (vtkIdType i = 0; i + 1 < c; ++i, ++q) {
            const vtkIdType corner[4] = {j * c + i, j * c + i + 1, (j + 1) * c + i + 1, (j + 1) * c + i};
            offsets->SetValue(q, 4 * q);
            for (int k = 0; k < 4; ++k) connectivity->SetValue(4 * q + k, corner[k]);
            const Vec p0 = At(xyz, corner[0]);
            Vec n{0, 0, 0};
            for (int k = 1; k + 1 < 4; ++k) {
                const Vec a = At(xyz, corner[k]), b = At(xyz, corner[k + 1]);
                const Vec cross = Cross({a[0] - p0[0], a[1] - p0[1], a[2] - p0[2]}, {b[0] - p0[0], b[1] - p0[1], b[2] - p0[2]});
                for (int m = 0; m < 3; ++m) n[m] += cross[m];
            }
            const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            if (length == 0.0) continue;  // a quad shrunk to a line or a point adds nothing
            for (const vtkIdType id : corner) {
                for (int m = 0; m < 3; ++m) sums[static_cast<size_t>(3 * id + m)] += n[m] / length;
            }
        }
    }
    offsets->SetValue(quads, 4 * quads);
    vtkNew<vtkFloatArray> normals;
    normals->SetName("Normals");
    normals->SetNumberOfComponents(3);
    normals->SetNumberOfTuples(c * r);
    float* out = normals->GetPointer(0);
    for (vtkIdType id = 0; id < c * r; ++id) {
        const double* s = &sums[static_cast<size_t>(3 * id)];
        const double length = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
        for (int m = 0; m < 3; ++m) out[3 * id + m] = static_cast<float>(length > 0.0 ? s[m] / length : 0.0);
    }

    vtkNew<vtkCellArray> polys;
    polys->SetData(offsets, connectivity);
    surface->SetPoints(points);
    surface->SetPolys(polys);
    surface->GetPointData()->SetScalars(valueArray);
    surface->GetPointData()->SetNormals(normals);
}

}  // namespace velor
