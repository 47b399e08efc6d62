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

#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <numbers>
#include <string>
#include <vector>

#include "views/scene/ClipColouring.h"
#include "views/view3d/GridSurface.h"

namespace velor {
namespace {

// The axes: the two angle axes through the middle from −125 to 125, the intensity axis from
// 0 to 125, a tick every 30 units; the rectangular surface's angle axes carry their ticks
// where the polar angle theta is a multiple of 20° instead (theta lies 90 units a radian
// from the middle).
constexpr double kAxisFrom = -125.0;
constexpr double kAxisTo = 125.0;
constexpr double kTickStep = 30.0;
constexpr double kTickHalf = 2.5;
constexpr double kAxisGrey = 0.6;
constexpr int kAxisLabelSize = 16;
constexpr double kUnitsPerRadian = 90.0;
constexpr int kRectThetaStepDeg = 20;

// The theta scale. Rectangular: its labels above the angle axis at phi 270°, where no other
// label stands. Polar: an arc about the middle from the optical axis to 90°, beyond the
// surface (which reaches 100), with a tick and a label every 30°, in the half-plane that
// faces a new window's camera, to the right of the beam.
constexpr double kThetaArcRadius = 112.0;
constexpr double kThetaTickLength = 5.0;
constexpr double kThetaLabelRadius = 126.0;
constexpr int kPolarThetaStepDeg = 30;
constexpr int kThetaArcSegments = 45;
// The scale's name stands between the optical axis and the first label (polar), or past
// the axis's end (rectangular).
constexpr double kThetaNameDeg = 12.0;
constexpr double kThetaNameGap = 22.0;
constexpr int kThetaLabelSize = 14;
constexpr int kThetaLabels = 4;  // three angles and the name

// Greek letters for the scale's name: the toolkit's own fonts have none, so a symbol-capable
// font of the system is used where there is one, and the name is spelled out otherwise.
constexpr const char* kSymbolFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

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
void BuildAxes(vtkPolyData* axes, bool rectangular) {
    vtkNew<vtkPoints> points;
    vtkNew<vtkCellArray> lines;
    const double thetaStep = kUnitsPerRadian * Radians(kRectThetaStepDeg);
    for (int axis = 0; axis < 3; ++axis) {
        const double from = axis == 2 ? 0.0 : kAxisFrom;
        const double step = rectangular && axis != 2 ? thetaStep : kTickStep;
        double a[3] = {0, 0, 0}, b[3] = {0, 0, 0};
        a[axis] = from;
        b[axis] = kAxisTo;
        AddLine(points, lines, a, b);
        const int across = axis == 2 ? 0 : 2;  // ticks stand up from the angle axes
        for (double t = std::ceil(from / step) * step; t < kAxisTo; t += step) {
            if (std::abs(t) < 1e-9) continue;
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

// The point at a distance from the middle in the direction (theta, phi), as the polar
// surface places its values.
void PolarPoint(double radius, double thetaDeg, double phiDeg, double (&p)[3]) {
    p[0] = -radius * std::sin(Radians(thetaDeg)) * std::cos(Radians(phiDeg));
    p[1] = radius * std::sin(Radians(thetaDeg)) * std::sin(Radians(phiDeg));
    p[2] = radius * std::cos(Radians(thetaDeg));
}

// The polar surface's theta scale in the half-plane of `phiDeg`: the arc and its ticks (the
// rectangular one has its ticks on the axes).
void BuildThetaArc(vtkPolyData* arc, bool polar, double phiDeg) {
    vtkNew<vtkPoints> points;
    vtkNew<vtkCellArray> lines;
    if (polar) {
        const auto at = [phiDeg](double radius, double degrees, double(&p)[3]) {
            PolarPoint(radius, degrees, phiDeg, p);
        };
        for (int i = 0; i < kThetaArcSegments; ++i) {
            double a[3], b[3];
            at(kThetaArcRadius, 90.0 * i / kThetaArcSegments, a);
            at(kThetaArcRadius, 90.0 * (i + 1) / kThetaArcSegments, b);
            AddLine(points, lines, a, b);
        }
        for (int degrees = 0; degrees <= 90; degrees += kPolarThetaStepDeg) {
            double a[3], b[3];
            at(kThetaArcRadius, degrees, a);
            at(kThetaArcRadius + kThetaTickLength, degrees, b);
            AddLine(points, lines, a, b);
        }
    }
    arc->SetPoints(points);
    arc->SetLines(lines);
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
    vtkNew<vtkPolyData> thetaArcLines;
    vtkNew<vtkPolyDataMapper> thetaArcMapper;
    vtkNew<vtkActor> thetaArc;
    vtkNew<vtkTextActor> thetaLabels[kThetaLabels];
    bool thetaWanted[kThetaLabels] = {true, true, true, true};
    std::string thetaName = "theta";
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

        BuildAxes(axesLines, false);
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
        thetaArcMapper->SetInputData(thetaArcLines);
        thetaArc->SetMapper(thetaArcMapper);
        thetaArc->GetProperty()->SetColor(kAxisGrey, kAxisGrey, kAxisGrey);
        thetaArc->GetProperty()->LightingOff();
        for (vtkNew<vtkTextActor>& label : thetaLabels) {
            label->GetPositionCoordinate()->SetCoordinateSystemToWorld();
            vtkTextProperty* text = label->GetTextProperty();
            text->SetFontFamilyToArial();
            text->SetFontSize(kThetaLabelSize);
            text->SetColor(kAxisGrey, kAxisGrey, kAxisGrey);
            text->SetJustificationToCentered();
            text->SetVerticalJustificationToCentered();
        }
        vtkTextProperty* name = thetaLabels[kThetaLabels - 1]->GetTextProperty();
        if (QFile::exists(QString::fromLatin1(kSymbolFont))) {
            name->SetFontFamily(VTK_FONT_FILE);
            name->SetFontFile(kSymbolFont);
            thetaName = "\u03B8";
        }
        polarTurn->RotateX(kPolarTipDeg);
        polarTurn->RotateZ(kPolarTurnDeg);
    }

    // The theta scale's labels for the kind: the angles and the name, in the scene's
    // coordinates before the polar turn. The polar arc's end at 90° lies where the phi axis
    // ends: its tick goes unlabelled.
    void PlaceThetaScale(bool polar, vtkTransform* turn) {
        // The half-plane to the right of the beam as a new polar window's camera sees it
        // (looking along (1, −1, −1), the beam pointing up): the scene's right is (1, 0, 1).
        double phiDeg = 270.0;
        if (turn) {
            double right[3] = {std::sqrt(0.5), 0.0, std::sqrt(0.5)};
            turn->GetLinearInverse()->TransformVector(right, right);
            phiDeg = std::atan2(right[1], -right[0]) * 180.0 / std::numbers::pi;
        }
        BuildAxes(axesLines, !polar);
        BuildThetaArc(thetaArcLines, polar, phiDeg);
        const auto put = [&](vtkTextActor* label, const std::string& text, double x, double y,
                             double z) {
            double at[3] = {x, y, z};
            if (turn) turn->TransformPoint(at, at);
            label->SetInput(text.c_str());
            label->GetPositionCoordinate()->SetValue(at);
        };
        const int step = polar ? kPolarThetaStepDeg : kRectThetaStepDeg;
        for (int i = 0; i < kThetaLabels - 1; ++i) {
            const int degrees = step * (i + 1);
            thetaWanted[i] = !polar || degrees < 90;
            thetaLabels[i]->SetVisibility(thetaWanted[i]);
            const std::string text = std::to_string(degrees) + "\u00B0";
            if (polar) {
                double p[3];
                PolarPoint(kThetaLabelRadius, degrees, phiDeg, p);
                put(thetaLabels[i], text, p[0], p[1], p[2]);
            } else {
                // Just above the axis, over its tick.
                put(thetaLabels[i], text, 0.0, -kUnitsPerRadian * Radians(degrees),
                    4.0 * kTickHalf);
            }
            thetaLabels[i]->GetTextProperty()->SetVerticalJustification(polar ? VTK_TEXT_CENTERED
                                                                              : VTK_TEXT_BOTTOM);
        }
        vtkTextActor* name = thetaLabels[kThetaLabels - 1];
        if (polar) {
            double p[3];
            PolarPoint(kThetaLabelRadius, kThetaNameDeg, phiDeg, p);
            put(name, thetaName, p[0], p[1], p[2]);
        } else {
            put(name, thetaName, 0.0, kAxisFrom - kThetaNameGap, 0.0);
        }
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
        thetaArc->SetUserTransform(turn);
        PlaceThetaScale(polar, turn);
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
        std::vector<vtkProp*> props = {surface.Get(),   axes.Get(),      labels[0].Get(),
                                       labels[1].Get(), labels[2].Get(), thetaArc.Get()};
        for (vtkProp* prop : colouring.LegendProps()) props.push_back(prop);
        for (vtkNew<vtkTextActor>& label : thetaLabels) props.push_back(label.Get());
        return props;
    }

    void ApplyLook() {
        vtkProperty* property = surface->GetProperty();
        if (look.solid) {
            property->SetRepresentationToSurface();
        } else {
            property->SetRepresentationToWireframe();
        }
        property->SetEdgeVisibility(look.meshLines);
        colouring.ShowLegend(rectangular && look.legend);
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

void SurfaceScene::FitLegend(int width, int height) {
    // The legend may cover the surface, which can be turned from under it, but not most of
    // the view.
    constexpr double kLegendShare = 0.4;
    m_parts->colouring.FitLegend(width, height, static_cast<int>(width * kLegendShare));
}

const LegendFit& SurfaceScene::Legend() const {
    return m_parts->colouring.Fit();
}

void SurfaceScene::KeepLabelsApart() {
    Parts& p = *m_parts;
    if (!p.shown) return;
    std::vector<ScreenBox> kept;
    const auto place = [&](vtkTextActor* label, bool wanted) {
        bool shown = wanted && !p.colouring.Covers(label, p.renderer);
        const ScreenBox box = ScreenBoxOf(label, p.renderer);
        shown = shown && std::none_of(kept.begin(), kept.end(),
                                      [&](const ScreenBox& k) { return k.Meets(box); });
        if (shown) kept.push_back(box);
        label->SetVisibility(shown);
    };
    for (vtkNew<vtkTextActor>& label : p.labels) place(label, true);
    place(p.thetaLabels[kThetaLabels - 1], true);
    for (int i = 0; i < kThetaLabels - 1; ++i) place(p.thetaLabels[i], p.thetaWanted[i]);
}

std::vector<std::string> SurfaceScene::ThetaLabels() const {
    std::vector<std::string> texts;
    if (!m_parts->shown) return texts;
    for (const vtkNew<vtkTextActor>& label : m_parts->thetaLabels) {
        if (label->GetVisibility() && m_parts->renderer->HasViewProp(label.Get()))
            texts.emplace_back(label->GetInput());
    }
    return texts;
}

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
