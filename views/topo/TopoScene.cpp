#include "views/topo/TopoScene.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>
#include <numbers>
#include <vector>
#include <vtkActor.h>
#include <vtkCoordinate.h>
#include <vtkDataSetSurfaceFilter.h>
#include <vtkFloatArray.h>
#include <vtkNew.h>
#include <vtkPointData.h>
#include <vtkPoints.h>
#include <vtkPolarAxesActor.h>
#include <vtkPolyDataMapper.h>
#include <vtkProperty.h>
#include <vtkRegularPolygonSource.h>
#include <vtkRenderer.h>
#include <vtkScalarBarActor.h>
#include <vtkStructuredGrid.h>
#include <vtkTextActor.h>
#include <vtkTextProperty.h>

#include "views/scene/ClipColouring.h"

namespace velor {
namespace {

// The rim: theta 90°, where the disc's radius is 90 units.
constexpr double kRim = 90.0;
// Axes and rim lie this far above the map, so that the map never hides them.
constexpr double kAbove = 0.2;
constexpr double kAxisGrey = 0.6;
constexpr double kEdgeGrey = 0.15;
// The radial axis: a label every 30°; the angular axis: a tick every 10° with a longer one
// and a label every 30°, the labels just outside the rim.
constexpr int kRadialTicks = 4;
// The widest label ("330°") and the room kept between two, in pixels.
constexpr double kLabelWidth = 34.0;
constexpr double kLabelGap = 6.0;
constexpr int kAngleLabelStepDeg = 30;
constexpr double kArcMajorTickDeg = 30.0;
constexpr double kArcMinorTickDeg = 10.0;
constexpr double kArcTickSize = 4.0;
constexpr double kAxisTextScreenSize = 12.0;
constexpr int kAngleLabelSize = 12;
// The angular axis's name stands between its 0° and 30° labels.
constexpr double kPhiNameDeg = 15.0;
constexpr int kRimSides = 360;

// Greek letters for the axes' names: the toolkit's own fonts have none, so a symbol-capable
// font of the system is used where there is one, and the names are spelled out otherwise.
constexpr const char* kSymbolFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

bool UseSymbolFont(vtkTextProperty* text) {
    if (!QFile::exists(QString::fromLatin1(kSymbolFont))) return false;
    text->SetFontFamily(VTK_FONT_FILE);
    text->SetFontFile(kSymbolFont);
    return true;
}

void Grey(vtkTextProperty* text, int size = 0) {
    text->SetColor(kAxisGrey, kAxisGrey, kAxisGrey);
    text->ShadowOff();
    text->ItalicOff();
    text->BoldOff();
    if (size > 0) text->SetFontSize(size);
}

}  // namespace

struct TopoScene::Parts {
    vtkRenderer* renderer;
    vtkNew<vtkStructuredGrid> grid;
    vtkNew<vtkDataSetSurfaceFilter> surfaceFilter;
    vtkNew<vtkPolyDataMapper> mapper;
    vtkNew<vtkActor> map;
    ClipColouring colouring;
    vtkNew<vtkRegularPolygonSource> rimCircle;
    vtkNew<vtkPolyDataMapper> rimMapper;
    vtkNew<vtkActor> rim;
    vtkNew<vtkPolarAxesActor> axes;
    std::vector<vtkNew<vtkTextActor>> angleLabels;
    vtkNew<vtkTextActor> phiName;
    bool shown = false;
    TopoLook look;

    explicit Parts(vtkRenderer* r) : renderer(r), angleLabels(360 / kAngleLabelStepDeg) {
        surfaceFilter->SetInputData(grid);
        mapper->SetInputConnection(surfaceFilter->GetOutputPort());
        colouring.ColourThrough(mapper);
        map->SetMapper(mapper);
        map->GetProperty()->SetEdgeColor(kEdgeGrey, kEdgeGrey, kEdgeGrey);

        rimCircle->SetCenter(0.0, 0.0, kAbove);
        rimCircle->SetRadius(kRim);
        rimCircle->SetNumberOfSides(kRimSides);
        rimCircle->GeneratePolygonOff();
        rimCircle->GeneratePolylineOn();
        rimMapper->SetInputConnection(rimCircle->GetOutputPort());
        rim->SetMapper(rimMapper);
        rim->GetProperty()->SetColor(kAxisGrey, kAxisGrey, kAxisGrey);
        rim->GetProperty()->SetRepresentationToWireframe();
        rim->GetProperty()->LightingOff();

        BuildAxes();
        BuildAngleLabels();
    }

    // The radial axis from the centre along phi 0 with its theta labels, and the angular
    // axis's ticks around the rim. The rim itself is the circle above: the actor's own arcs
    // stay off.
    void BuildAxes() {
        axes->SetCamera(renderer->GetActiveCamera());
        axes->SetUse2DMode(1);  // labels as flat text facing the viewer at a fixed size
        axes->SetPole(0.0, 0.0, kAbove);
        axes->SetMaximumRadius(kRim);
        axes->SetRange(0.0, kRim);
        axes->SetMinimumAngle(0.0);
        axes->SetMaximumAngle(360.0);
        axes->AutoSubdividePolarAxisOff();
        axes->SetNumberOfPolarAxisTicks(kRadialTicks);
        axes->SetExponentLocation(vtkPolarAxesActor::VTK_EXPONENT_LABELS);
        axes->SetPolarLabelFormat("%.0f\u00B0");
        axes->SetPolarAxisTitleLocation(vtkPolarAxesActor::VTK_TITLE_EXTERN);
        axes->SetPolarAxisTitle(UseSymbolFont(axes->GetPolarAxisTitleTextProperty()) ? "\u03B8" : "theta");
        axes->RadialAxesVisibilityOff();
        axes->PolarArcsVisibilityOff();
        axes->DrawPolarArcsGridlinesOff();
        axes->ArcTickVisibilityOn();
        axes->ArcMinorTickVisibilityOn();
        axes->SetDeltaAngleMajor(kArcMajorTickDeg);
        axes->SetDeltaAngleMinor(kArcMinorTickDeg);
        axes->SetArcMajorTickSize(kArcTickSize);
        axes->SetTickLocation(vtkAxisActor::VTK_TICKS_OUTSIDE);
        axes->SetScreenSize(kAxisTextScreenSize);
        for (vtkProperty* line : {axes->GetPolarAxisProperty(), axes->GetLastRadialAxisProperty(),
                                  axes->GetSecondaryRadialAxesProperty(), axes->GetPolarArcsProperty(),
                                  axes->GetSecondaryPolarArcsProperty()}) {
            line->SetColor(kAxisGrey, kAxisGrey, kAxisGrey);
        }
        Grey(axes->GetPolarAxisTitleTextProperty());
        Grey(axes->GetPolarAxisLabelTextProperty());
    }

    // "0°" … "330°" just outside the rim, upright whatever the camera does, and the axis's name.
    void BuildAngleLabels() {
        for (size_t i = 0; i < angleLabels.size(); ++i) {
            const int degrees = static_cast<int>(i) * kAngleLabelStepDeg;
            char text[16];
            std::snprintf(text, sizeof text, "%d\u00B0", degrees);
            Place(angleLabels[i], text, degrees);
            angleLabels[i]->GetTextProperty()->SetFontFamilyToArial();
        }
        // The radial axis's labels stand below its line, which runs out to the "0°" label: that
        // one stands just above the line, so that the axis's "90°" never runs into it.
        angleLabels[0]->GetTextProperty()->SetVerticalJustificationToBottom();
        Place(phiName, "phi", kPhiNameDeg);
        if (UseSymbolFont(phiName->GetTextProperty())) phiName->SetInput("\u03C6");
    }

    static void Place(vtkTextActor* label, const char* text, double degrees) {
        const double angle = degrees * std::numbers::pi / 180.0;
        label->SetInput(text);
        label->GetPositionCoordinate()->SetCoordinateSystemToWorld();
        label->GetPositionCoordinate()->SetValue(TopoScene::kLabelRadius * std::cos(angle),
                                                 TopoScene::kLabelRadius * std::sin(angle), kAbove);
        Grey(label->GetTextProperty(), kAngleLabelSize);
        label->GetTextProperty()->SetJustificationToCentered();
        label->GetTextProperty()->SetVerticalJustificationToCentered();
    }

    std::vector<vtkProp*> Props() {
        std::vector<vtkProp*> props = {map.Get(), rim.Get(), axes.Get(), phiName.Get()};
        for (vtkProp* prop : colouring.LegendProps()) props.push_back(prop);
        for (vtkNew<vtkTextActor>& label : angleLabels) props.push_back(label.Get());
        return props;
    }

    void Attach() {
        for (vtkProp* prop : Props()) {
            if (!renderer->HasViewProp(prop)) renderer->AddViewProp(prop);
        }
    }

    void Detach() {
        for (vtkProp* prop : Props()) renderer->RemoveViewProp(prop);
    }

    void ApplyLook() {
        map->GetProperty()->SetEdgeVisibility(look.meshLines);
        colouring.ShowLegend(look.legend);
    }

    // The nodes of the polar grid: one row of every angle per radius, as the disc holds its
    // values. False when the arrays cannot be had.
    bool FillGrid(const Disc& disc) {
        const int radii = disc.RadiusCount();
        const int angles = disc.AngleCount();
        const vtkIdType nodes = static_cast<vtkIdType>(radii) * angles;
        vtkNew<vtkFloatArray> xyz;
        xyz->SetNumberOfComponents(3);
        vtkNew<vtkFloatArray> values;
        values->SetName("level");
        if (!xyz->Allocate(nodes * 3) || !values->Allocate(nodes)) return false;
        xyz->SetNumberOfTuples(nodes);
        values->SetNumberOfTuples(nodes);
        std::vector<double> cosines(static_cast<size_t>(angles)), sines(static_cast<size_t>(angles));
        for (int a = 0; a < angles; ++a) {
            cosines[a] = std::cos(static_cast<double>(disc.angles[a]));
            sines[a] = std::sin(static_cast<double>(disc.angles[a]));
        }
        float* p = xyz->GetPointer(0);
        for (int r = 0; r < radii; ++r) {
            const double radius = disc.radii[r];
            for (int a = 0; a < angles; ++a) {
                *p++ = static_cast<float>(radius * cosines[a]);
                *p++ = static_cast<float>(radius * sines[a]);
                *p++ = 0.0f;
            }
        }
        std::copy(disc.values.begin(), disc.values.end(), values->GetPointer(0));
        vtkNew<vtkPoints> points;
        points->SetData(xyz);
        grid->Initialize();
        grid->SetDimensions(angles, radii, 1);
        grid->SetPoints(points);
        grid->GetPointData()->SetScalars(values);
        return true;
    }
};

TopoScene::TopoScene(vtkRenderer* renderer) : m_parts(std::make_unique<Parts>(renderer)) {}

TopoScene::~TopoScene() { m_parts->Detach(); }

bool TopoScene::Show(const TopoModel& model, const TopoLook& look) {
    Parts& p = *m_parts;
    p.look = look;
    if (model.IsEmpty()) {
        Clear();
        return true;
    }
    try {
        if (!p.FillGrid(model.disc)) {
            Clear();
            return false;
        }
        p.colouring.SetEntries(model.entries, model.logarithmic);
        p.ApplyLook();
        p.Attach();
        p.shown = true;
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    }
    return true;
}

void TopoScene::Clear() {
    m_parts->Detach();
    m_parts->grid->Initialize();
    m_parts->shown = false;
}

void TopoScene::SetLook(const TopoLook& look) {
    m_parts->look = look;
    m_parts->ApplyLook();
}

void TopoScene::FitLegend(int width, int height, int room) {
    m_parts->colouring.FitLegend(width, height, room);
}

const LegendFit& TopoScene::Legend() const {
    return m_parts->colouring.Fit();
}

void TopoScene::FitLabels(double pixelsPerUnit) {
    Parts& p = *m_parts;
    const double needed = kLabelWidth + kLabelGap;
    // Round the rim: neighbours a step apart stand a chord of 2 r sin(step / 2) apart.
    int step = kAngleLabelStepDeg;
    while (step < 180 &&
           2.0 * kLabelRadius * pixelsPerUnit * std::sin(step * std::numbers::pi / 360.0) <
               needed) {
        step += kAngleLabelStepDeg;
    }
    while (360 % step != 0) step += kAngleLabelStepDeg;
    for (size_t i = 0; i < p.angleLabels.size(); ++i) {
        p.angleLabels[i]->SetVisibility(static_cast<int>(i) * kAngleLabelStepDeg % step == 0);
    }
    // Along the radius: its labels 30° apart, or only at its ends.
    const bool apart = kRim / (kRadialTicks - 1) * pixelsPerUnit >= needed;
    p.axes->SetNumberOfPolarAxisTicks(apart ? kRadialTicks : 2);
}

std::vector<int> TopoScene::AngleLabelsShown() const {
    std::vector<int> shown;
    for (size_t i = 0; i < m_parts->angleLabels.size(); ++i) {
        if (m_parts->angleLabels[i]->GetVisibility())
            shown.push_back(static_cast<int>(i) * kAngleLabelStepDeg);
    }
    return shown;
}

bool TopoScene::IsEmpty() const { return !m_parts->shown; }

bool TopoScene::LegendShown() const { return m_parts->shown && m_parts->colouring.Legend()->GetVisibility() != 0; }

std::string TopoScene::LegendTitle() const {
    return m_parts->colouring.Title();
}

bool TopoScene::MeshLinesShown() const { return m_parts->shown && m_parts->map->GetProperty()->GetEdgeVisibility(); }

int TopoScene::NodeCount() const { return m_parts->shown ? static_cast<int>(m_parts->grid->GetNumberOfPoints()) : 0; }

}  // namespace velor
