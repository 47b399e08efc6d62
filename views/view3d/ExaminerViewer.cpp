#include "views/view3d/ExaminerViewer.h"

#include <QCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <QVTKOpenGLNativeWidget.h>
#include <cstdlib>
#include <functional>
#include <vtkCamera.h>
#include <vtkGenericOpenGLRenderWindow.h>
#include <vtkInteractorStyleTrackballCamera.h>
#include <vtkLight.h>
#include <vtkNew.h>
#include <vtkObjectFactory.h>
#include <vtkRenderWindowInteractor.h>
#include <vtkRenderer.h>

#include "views/view3d/SurfaceScene.h"

namespace velor {
namespace {

// A right button released within this many pixels of where it went down was a click, not a
// drag to zoom.
constexpr int kClickSlop = 3;

// The trackball camera's buttons are the examiner's; a right click asks for the menu.
class ExaminerStyle : public vtkInteractorStyleTrackballCamera {
public:
    static ExaminerStyle* New();
    vtkTypeMacro(ExaminerStyle, vtkInteractorStyleTrackballCamera)

    std::function<void()> onRightClick;
    std::function<void(bool)> onInteraction;  // a turn, zoom or pan starts (true) or ends

    // The last render of an interaction, which follows, shows the scene at rest.
    void StartState(int state) override {
        if (onInteraction) onInteraction(true);
        Superclass::StartState(state);
    }
    void StopState() override {
        if (onInteraction) onInteraction(false);
        Superclass::StopState();
    }

    void OnRightButtonDown() override {
        const int* at = GetInteractor()->GetEventPosition();
        m_down[0] = at[0];
        m_down[1] = at[1];
        Superclass::OnRightButtonDown();
    }

    void OnRightButtonUp() override {
        Superclass::OnRightButtonUp();
        const int* at = GetInteractor()->GetEventPosition();
        if (std::abs(at[0] - m_down[0]) <= kClickSlop && std::abs(at[1] - m_down[1]) <= kClickSlop && onRightClick) {
            onRightClick();
        }
    }

private:
    int m_down[2] = {0, 0};
};
vtkStandardNewMacro(ExaminerStyle)

}  // namespace

struct ExaminerViewer::Parts {
    QVTKOpenGLNativeWidget* widget = nullptr;
    vtkNew<vtkGenericOpenGLRenderWindow> window;
    vtkNew<vtkRenderer> renderer;
    vtkNew<vtkLight> headlight;
    vtkNew<ExaminerStyle> style;
    std::unique_ptr<SurfaceScene> scene;
    bool renderPending = false;
    int renders = 0;
};

ExaminerViewer::ExaminerViewer(QWidget* parent) : QWidget(parent), m_parts(std::make_unique<Parts>()) {
    Parts& p = *m_parts;
    p.widget = new QVTKOpenGLNativeWidget(this);
    // Right clicks belong to the interactor: a press starts a zoom, a click without a drag
    // asks for the menu.
    p.widget->setContextMenuPolicy(Qt::PreventContextMenu);
    p.widget->setRenderWindow(p.window);
    // No multisampling: software OpenGL renders every sample, which would cost the rotation
    // most of its frames; the surface's fine grid hardly needs it.
    p.window->SetMultiSamples(0);
    p.window->AddRenderer(p.renderer);
    p.renderer->SetBackground(0.0, 0.0, 0.0);
    p.renderer->AutomaticLightCreationOff();
    p.headlight->SetLightTypeToHeadlight();  // directional, along the line of sight
    p.renderer->AddLight(p.headlight);
    p.renderer->GetActiveCamera()->ParallelProjectionOn();
    p.scene = std::make_unique<SurfaceScene>(p.renderer);

    p.style->onRightClick = [this] {
        // Out of the interactor's event first: the menu runs an event loop of its own.
        QTimer::singleShot(0, this, [this] { emit MenuRequested(QCursor::pos()); });
    };
    p.style->onInteraction = [this](bool moving) { m_parts->scene->SetInteractive(moving); };
    p.widget->interactor()->SetInteractorStyle(p.style);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(p.widget);
}

ExaminerViewer::~ExaminerViewer() {
    // The scene's parts leave the renderer before the renderer goes.
    m_parts->scene.reset();
}

SurfaceScene& ExaminerViewer::Scene() { return *m_parts->scene; }

CameraState ExaminerViewer::Camera() const {
    vtkCamera* camera = m_parts->renderer->GetActiveCamera();
    CameraState state;
    camera->GetPosition(state.position.data());
    Vector3 direction, up;
    camera->GetDirectionOfProjection(direction.data());
    camera->GetViewUp(up.data());
    state.orientation = OrientationOf(direction, up);
    state.focalDistance = camera->GetDistance();
    state.orthographic = camera->GetParallelProjection() != 0;
    state.height = state.orthographic ? 2.0 * camera->GetParallelScale() : 0.0;
    return state;
}

void ExaminerViewer::SetCamera(const CameraState& state) {
    vtkCamera* camera = m_parts->renderer->GetActiveCamera();
    const CameraFrame frame = FrameOf(state.orientation.axis, state.orientation.angle);
    const Vector3& at = state.position;
    camera->SetPosition(at.data());
    camera->SetFocalPoint(at[0] + frame.direction[0] * state.focalDistance,
                          at[1] + frame.direction[1] * state.focalDistance,
                          at[2] + frame.direction[2] * state.focalDistance);
    camera->SetViewUp(frame.up.data());
    camera->SetParallelProjection(state.orthographic);
    if (state.orthographic) camera->SetParallelScale(state.height / 2.0);
    RequestRender();
}

void ExaminerViewer::Turn(double azimuthDeg, double elevationDeg) {
    vtkCamera* camera = m_parts->renderer->GetActiveCamera();
    camera->Azimuth(azimuthDeg);
    camera->Elevation(elevationDeg);
    camera->OrthogonalizeViewUp();
    RequestRender();
}

void ExaminerViewer::RequestRender() {
    if (m_parts->renderPending) return;
    m_parts->renderPending = true;
    QTimer::singleShot(0, this, [this] { FlushRender(); });
}

void ExaminerViewer::FlushRender() {
    if (!m_parts->renderPending) return;
    m_parts->renderPending = false;
    RenderNow();
}

void ExaminerViewer::RenderNow() {
    m_parts->renderer->ResetCameraClippingRange();
    m_parts->window->Render();
    ++m_parts->renders;
}

void ExaminerViewer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_parts->scene->FitLegend(width(), height());
}

int ExaminerViewer::RenderCount() const { return m_parts->renders; }

QImage ExaminerViewer::Grab() {
    // The widget's paint shows the last render: render what is there now first.
    m_parts->renderPending = false;
    RenderNow();
    return m_parts->widget->grabFramebuffer();
}

}  // namespace velor
