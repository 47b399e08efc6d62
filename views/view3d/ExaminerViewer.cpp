#include "views/view3d/ExaminerViewer.h"

#include <vtkCamera.h>
#include <vtkRenderer.h>

#include "views/view3d/SurfaceScene.h"

namespace velor {

ExaminerViewer::ExaminerViewer(QWidget* parent)
    : RenderArea(Mouse::Examiner, parent), m_scene(std::make_unique<SurfaceScene>(Renderer())) {
    Renderer()->GetActiveCamera()->ParallelProjectionOn();
    // The mouse's renders leave the labels as they were placed before the drag: placed again
    // for the camera at rest when it ends.
    connect(this, &RenderArea::InteractionChanged, this, [this](bool moving) {
        m_scene->SetInteractive(moving);
        if (!moving) RequestRender();
    });
}

// The scene's parts leave the renderer before the renderer goes.
ExaminerViewer::~ExaminerViewer() = default;

SurfaceScene& ExaminerViewer::Scene() { return *m_scene; }

CameraState ExaminerViewer::Camera() const {
    vtkCamera* camera = Renderer()->GetActiveCamera();
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
    vtkCamera* camera = Renderer()->GetActiveCamera();
    const CameraFrame frame = FrameOf(state.orientation.axis, state.orientation.angle);
    const Vector3& at = state.position;
    camera->SetPosition(at.data());
    camera->SetFocalPoint(at[0] + frame.direction[0] * state.focalDistance,
                          at[1] + frame.direction[1] * state.focalDistance,
                          at[2] + frame.direction[2] * state.focalDistance);
    camera->SetViewUp(frame.up.data());
    camera->SetParallelProjection(state.orthographic);
    if (state.orthographic) camera->SetParallelScale(state.height / 2.0);
    RequestCameraRender();
}

void ExaminerViewer::Turn(double azimuthDeg, double elevationDeg) {
    vtkCamera* camera = Renderer()->GetActiveCamera();
    camera->Azimuth(azimuthDeg);
    camera->Elevation(elevationDeg);
    camera->OrthogonalizeViewUp();
    RequestCameraRender();
}

void ExaminerViewer::PrepareRender() {
    m_scene->KeepLabelsApart();
}

void ExaminerViewer::resizeEvent(QResizeEvent* event) {
    RenderArea::resizeEvent(event);
    m_scene->FitLegend(width(), height());
    // The render area drew itself at its new size before the legend was fitted to it.
    RequestRender();
}

}  // namespace velor
