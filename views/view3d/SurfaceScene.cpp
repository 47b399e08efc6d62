#include "views/view3d/SurfaceScene.h"

#include <vtkActor.h>
#include <vtkCellArray.h>
#include <vtkCoordinate.h>
#include <vtkFloatArray.h>
#include <vtkNew.h>
#include <vtkPointData.h>
#include <vtkPoints.h>
#include <vtkPolyData.h>
#include <vtkPolyDataMapper.h>
#include <vtkProperty.h>
#include <vtkRenderer.h>
#include <vtkScalarBarActor.h>
#include <vtkStructuredGrid.h>
#include <vtkTextActor.h>
#include <vtkTextProperty.h>
#include <vtkTransform.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "views/scene/ClipColouring.h"
#include "views/view3d/GridSurface.h"

namespace velor {
namespace {

// The axes: the two angle axes through the middle from −125 to 125, the intensity axis from
// 0 to 125, a tick every 30 units.
constexpr double kAxisFrom = -125.0;
constexpr double kAxisTo = 125.0;
constexpr double kTickStep = 30.0;
constexpr double kTickHalf = 2.5;
constexpr double kAxisGrey = 0.6;
constexpr int kAxisLabelSize = 16;

// The polar surface lies with its optical axis along z: it is turned about that axis, then
// tipped so that the beam points up the screen.
constexpr double kPolarTurnDeg = 0.7 * 180.0;
constexpr double kPolarTipDeg = -90.0;

// Edges drawn over the surface.
constexpr double kEdgeGrey = 0.15;

// The most nodes a surface keeps while it moves: about what software OpenGL draws 30 times a
// second at 1280 × 800 on two cores.
constexpr double kInteractiveNodes = 30000.0;

// Every how many rows and columns the moving surface keeps.
int InteractiveStride(int rows, int columns) {
    const double nodes = static_cast<double>(rows) * columns;
    return nodes <= kInteractiveNodes ? 1 : static_cast<int>(std::ceil(std::sqrt(nodes / kInteractiveNodes)));
}

void AddLine(vtkPoints* points, vtkCellArray* lines, const double a[3], const double b[3]) {
    const vtkIdType ids[2] = {points->InsertNextPoint(a), points->InsertNextPoint(b)};
    lines->InsertNextCell(2, ids);
}

// The three axes as lines, with small crosses as ticks.
void BuildAxes(vtkPolyData* axes) {
    vtkNew<vtkPoints> points;
    vtkNew<vtkCellArray> lines;
    for (int axis = 0; axis < 3; ++axis) {
        const double from = axis == 2 ? 0.0 : kAxisFrom;
        double a[3] = {0, 0, 0}, b[3] = {0, 0, 0};
        a[axis] = from;
        b[axis] = kAxisTo;
        AddLine(points, lines, a, b);
        const int across = axis == 2 ? 0 : 2;  // ticks stand up from the angle axes
        for (double t = std::ceil(from / kTickStep) * kTickStep; t < kAxisTo; t += kTickStep) {
            if (t == 0.0) continue;
            double p[3] = {0, 0, 0}, q[3] = {0, 0, 0};
            p[axis] = q[axis] = t;
            p[across] = -kTickHalf;
            q[across] = kTickHalf;
            AddLine(points, lines, p, q);
        }
    }
    axes->SetPoints(points);
    axes->SetLines(lines);
}

}  // namespace

struct SurfaceScene::Parts {
    vtkRenderer* renderer;
    vtkNew<vtkStructuredGrid> grid;
    // The surface at every node and, for turning it, at every stride-th: built once per new
    // grid, outside any render.
    vtkNew<vtkPolyData> fineSurface;
    vtkNew<vtkPolyDataMapper> mapper;
    vtkNew<vtkPolyData> coarseSurface;
    vtkNew<vtkPolyDataMapper> coarseMapper;
    ClipColouring colouring;
    vtkNew<vtkActor> surface;
    vtkNew<vtkPolyData> axesLines;
    vtkNew<vtkPolyDataMapper> axesMapper;
    vtkNew<vtkActor> axes;
    // 2D texts anchored at points of the scene: drawn over it, with no translucent pass.
    vtkNew<vtkTextActor> labels[3];
    vtkNew<vtkTransform> polarTurn;
    bool shown = false;
    bool rectangular = false;
    bool interactive = false;
    int stride = 1;
    SceneLook look;

    explicit Parts(vtkRenderer* r) : renderer(r) {
        mapper->SetInputData(fineSurface);
        coarseMapper->SetInputData(coarseSurface);
        colouring.ColourThrough(mapper);
        colouring.ColourThrough(coarseMapper);
        surface->SetMapper(mapper);
        surface->GetProperty()->SetEdgeColor(kEdgeGrey, kEdgeGrey, kEdgeGrey);

        BuildAxes(axesLines);
        axesMapper->SetInputData(axesLines);
        axes->SetMapper(axesMapper);
        axes->GetProperty()->SetColor(kAxisGrey, kAxisGrey, kAxisGrey);
        axes->GetProperty()->SetRepresentationToWireframe();
        axes->GetProperty()->LightingOff();
        const char* texts[3] = {"0\u00B0", "90\u00B0", "I"};
        for (int i = 0; i < 3; ++i) {
            labels[i]->SetInput(texts[i]);
            labels[i]->GetPositionCoordinate()->SetCoordinateSystemToWorld();
            labels[i]->GetTextProperty()->SetFontFamilyToArial();
            labels[i]->GetTextProperty()->SetFontSize(kAxisLabelSize);
            labels[i]->GetTextProperty()->SetColor(kAxisGrey, kAxisGrey, kAxisGrey);
            labels[i]->GetTextProperty()->SetJustificationToCentered();
            labels[i]->GetTextProperty()->SetVerticalJustificationToCentered();
        }
        polarTurn->RotateX(kPolarTipDeg);
        polarTurn->RotateZ(kPolarTurnDeg);
    }

    void Place(bool polar) {
        vtkTransform* turn = polar ? polarTurn.Get() : nullptr;
        surface->SetUserTransform(turn);
        axes->SetUserTransform(turn);
        // Past the ends of the axes: "0°" where phi 0 points (−x), "90°" at +y, "I" at +z.
        const double ends[3][3] = {{kAxisFrom - 12, 0, 0}, {0, kAxisTo + 12, 0}, {0, 0, kAxisTo + 12}};
        for (int i = 0; i < 3; ++i) {
            double at[3] = {ends[i][0], ends[i][1], ends[i][2]};
            if (turn) turn->TransformPoint(ends[i], at);
            labels[i]->GetPositionCoordinate()->SetValue(at);
        }
    }

    void Attach() {
        for (vtkProp* prop : Props()) {
            if (!renderer->HasViewProp(prop)) renderer->AddViewProp(prop);
        }
    }

    void Detach() {
        for (vtkProp* prop : Props()) renderer->RemoveViewProp(prop);
    }

    std::vector<vtkProp*> Props() {
        return {surface.Get(), axes.Get(), labels[0].Get(), labels[1].Get(), labels[2].Get(), colouring.Legend()};
    }

    void ApplyLook() {
        vtkProperty* property = surface->GetProperty();
        if (look.solid) {
            property->SetRepresentationToSurface();
        } else {
            property->SetRepresentationToWireframe();
        }
        property->SetEdgeVisibility(look.meshLines);
        colouring.Legend()->SetVisibility(rectangular && look.legend);
    }

    void ChooseMapper() { surface->SetMapper(interactive && stride > 1 ? coarseMapper.Get() : mapper.Get()); }

    // False when the grid's arrays cannot be had.
    bool FillGrid(const SurfaceModel& model) {
        const vtkIdType nodes = static_cast<vtkIdType>(model.rows) * model.columns;
        vtkNew<vtkFloatArray> xyz;
        xyz->SetNumberOfComponents(3);
        vtkNew<vtkFloatArray> values;
        values->SetName("intensity");
        if (!xyz->Allocate(nodes * 3) || !values->Allocate(nodes)) return false;
        xyz->SetNumberOfTuples(nodes);
        values->SetNumberOfTuples(nodes);
        std::memcpy(xyz->GetPointer(0), model.points.data(), sizeof(float) * 3 * nodes);
        std::memcpy(values->GetPointer(0), model.values.data(), sizeof(float) * nodes);
        vtkNew<vtkPoints> points;
        points->SetData(xyz);
        grid->Initialize();
        grid->SetDimensions(model.columns, model.rows, 1);
        grid->SetPoints(points);
        grid->GetPointData()->SetScalars(values);
        stride = InteractiveStride(model.rows, model.columns);
        BuildGridSurface(grid, 1, fineSurface);
        // The rim and the seam stay where they are.
        BuildGridSurface(grid, stride, coarseSurface);
        ChooseMapper();
        return true;
    }

    void FillColours(const SurfaceModel& model) { colouring.SetEntries(model.entries, model.logarithmic); }
};

SurfaceScene::SurfaceScene(vtkRenderer* renderer) : m_parts(std::make_unique<Parts>(renderer)) {}

SurfaceScene::~SurfaceScene() { m_parts->Detach(); }

bool SurfaceScene::Show(const SurfaceModel& model, const SceneLook& look) {
    Parts& p = *m_parts;
    p.look = look;
    if (model.IsEmpty()) {
        Clear();
        return true;
    }
    try {
        if (!p.FillGrid(model)) {
            Clear();
            return false;
        }
        p.FillColours(model);
        p.rectangular = model.kind == SurfaceKind::Rectangular;
        p.Place(model.kind == SurfaceKind::Polar);
        p.ApplyLook();
        p.Attach();
        p.shown = true;
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    }
    return true;
}

void SurfaceScene::Clear() {
    m_parts->Detach();
    m_parts->grid->Initialize();
    m_parts->fineSurface->Initialize();
    m_parts->coarseSurface->Initialize();
    m_parts->shown = false;
}

void SurfaceScene::SetLook(const SceneLook& look) {
    m_parts->look = look;
    m_parts->ApplyLook();
}

void SurfaceScene::FitLegend(int width, int height) { m_parts->colouring.FitLegend(width, height); }

void SurfaceScene::SetInteractive(bool interactive) {
    m_parts->interactive = interactive;
    m_parts->ChooseMapper();
}

bool SurfaceScene::ShowsCoarseSurface() const {
    return m_parts->shown && m_parts->surface->GetMapper() == m_parts->coarseMapper.Get();
}

bool SurfaceScene::IsEmpty() const { return !m_parts->shown; }

bool SurfaceScene::LegendShown() const { return m_parts->shown && m_parts->colouring.Legend()->GetVisibility() != 0; }

int SurfaceScene::NodeCount() const { return m_parts->shown ? static_cast<int>(m_parts->grid->GetNumberOfPoints()) : 0; }

}  // namespace velor
