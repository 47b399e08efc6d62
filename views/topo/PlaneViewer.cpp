#include "views/topo/PlaneViewer.h"

#include <vtkCamera.h>
#include <vtkRenderer.h>

#include <QEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "views/topo/TopoData.h"
#include "views/topo/TopoScene.h"

namespace velor {
namespace {

// The view's opening from bottom to top: from the first camera, 255 units above the centre,
// the whole disc with its labels fills the height. A small or narrow view opens a little
// wider, so that the labels around the rim stay whole there too.
constexpr double kViewAngleDeg = 45.0;
constexpr double kFirstCameraHeight = 255.0;
// Half the widest angle label ("180°") and a little air, in pixels; and half a label's height.
constexpr int kLabelHalfWidth = 20;
constexpr int kLabelHalfHeight = 7;

double Degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}
double HalfAngleTangent(double degrees) {
    return std::tan(degrees * std::numbers::pi / 360.0);
}

// The opening at which the first camera sees the labelled rim whole in a view of this size.
double ViewAngleFor(int width, int height) {
    double tangent = HalfAngleTangent(kViewAngleDeg);
    const double r = TopoScene::kLabelRadius / kFirstCameraHeight;
    if (height > 2 * kLabelHalfHeight)
        tangent = std::max(tangent, r / (1.0 - 2.0 * kLabelHalfHeight / height));
    if (width > 2 * kLabelHalfWidth)
        tangent = std::max(tangent, r * height / (width - 2.0 * kLabelHalfWidth));
    return std::min(2.0 * Degrees(std::atan(tangent)), 170.0);
}

}  // namespace

PlaneViewer::PlaneViewer(QWidget* parent)
    : RenderArea(Mouse::Plane, parent), m_scene(std::make_unique<TopoScene>(Renderer())) {
    vtkCamera* camera = Renderer()->GetActiveCamera();
    camera->ParallelProjectionOff();
    camera->SetViewAngle(kViewAngleDeg);
    SetDistanceLimits(kTopoNearest, kTopoFarthest);
    Surface()->setMouseTracking(true);
    Surface()->installEventFilter(this);
    // A zoom or a pan moves the map under the legend: the room is measured again at its end.
    connect(this, &RenderArea::InteractionChanged, this, [this](bool moving) {
        if (moving) return;
        FitDecorations();
        RequestRender();
    });
}

// The scene's parts leave the renderer before the renderer goes.
PlaneViewer::~PlaneViewer() = default;

TopoScene& PlaneViewer::Scene() { return *m_scene; }

PlaneCamera PlaneViewer::Camera() const {
    vtkCamera* camera = Renderer()->GetActiveCamera();
    PlaneCamera state;
    camera->GetPosition(state.position.data());
    state.focalDistance = camera->GetDistance();
    return state;
}

void PlaneViewer::SetCamera(const PlaneCamera& state) {
    vtkCamera* camera = Renderer()->GetActiveCamera();
    const auto& at = state.position;
    camera->SetPosition(at.data());
    camera->SetFocalPoint(at[0], at[1], at[2] - state.focalDistance);
    camera->SetViewUp(0.0, 1.0, 0.0);
    FitDecorations();
    RequestRender();
}

void PlaneViewer::FitDecorations() {
    // The camera looks straight down from its height: a scene unit at the disc is so many
    // pixels, and the label at 180° stands that far left of the point looked at.
    const PlaneCamera camera = Camera();
    const double height = camera.position[2];
    int room = 0;
    if (height > 0.0 && this->height() > 0) {
        const double opening = Renderer()->GetActiveCamera()->GetViewAngle();
        const double pixelsPerUnit = this->height() / 2.0 / (height * HalfAngleTangent(opening));
        const double labelLeft =
            width() / 2.0 + (-TopoScene::kLabelRadius - camera.position[0]) * pixelsPerUnit;
        room = static_cast<int>(labelLeft) - kLabelHalfWidth;
        m_scene->FitLabels(pixelsPerUnit);
    }
    m_scene->FitLegend(width(), this->height(), room);
}

std::optional<QPointF> PlaneViewer::DiscPointAt(QPoint pixel) const {
    vtkRenderer* renderer = Renderer();
    const int* size = renderer->GetSize();
    if (size[0] <= 0 || size[1] <= 0 || width() <= 0 || height() <= 0) return std::nullopt;
    // Display coordinates count from the bottom, in the render window's pixels.
    const double x = (pixel.x() + 0.5) * size[0] / width();
    const double y = (height() - pixel.y() - 0.5) * size[1] / height();
    double ends[2][4];
    for (int i = 0; i < 2; ++i) {
        renderer->SetDisplayPoint(x, y, i);  // the near and the far end of the line of sight
        renderer->DisplayToWorld();
        renderer->GetWorldPoint(ends[i]);
        if (ends[i][3] == 0.0) return std::nullopt;
        for (int k = 0; k < 3; ++k) ends[i][k] /= ends[i][3];
    }
    const double dz = ends[1][2] - ends[0][2];
    if (std::abs(dz) < 1e-12) return std::nullopt;
    const double t = -ends[0][2] / dz;  // where the line meets z = 0
    if (t < 0.0) return std::nullopt;
    return QPointF(ends[0][0] + t * (ends[1][0] - ends[0][0]), ends[0][1] + t * (ends[1][1] - ends[0][1]));
}

void PlaneViewer::resizeEvent(QResizeEvent* event) {
    RenderArea::resizeEvent(event);
    Renderer()->GetActiveCamera()->SetViewAngle(ViewAngleFor(width(), height()));
    FitDecorations();
    // However many size changes one pass of the event loop brings, the map is drawn once.
    RequestRender();
}

bool PlaneViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Surface()) {
        if (event->type() == QEvent::MouseMove) {
            emit PointerMoved(static_cast<QMouseEvent*>(event)->pos());
        } else if (event->type() == QEvent::Leave) {
            emit PointerLeft();
        }
    }
    return RenderArea::eventFilter(watched, event);
}

}  // namespace velor
