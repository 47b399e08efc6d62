#pragma once
// The render area of a 3D view: the shared render area with an examiner's mouse (the left
// button turns the scene about its centre), an orthographic camera, and the surface scene.
// The header names no VTK type.

#include "views/scene/RenderArea.h"
#include "views/view3d/CameraPose.h"

namespace velor {

class SurfaceScene;

struct CameraState {
    Vector3 position{0, 0, 1};
    Orientation orientation{{0, 0, 1}, 0.0};
    double focalDistance = 1.0;
    double height = 2.0;  // what an orthographic view spans from bottom to top
    bool orthographic = true;
};

class ExaminerViewer : public RenderArea {
    Q_OBJECT

public:
    explicit ExaminerViewer(QWidget* parent = nullptr);
    ~ExaminerViewer() override;

    SurfaceScene& Scene();

    CameraState Camera() const;
    void SetCamera(const CameraState& camera);
    // Turns the camera about the point it looks at, as a drag with the left button does.
    void Turn(double azimuthDeg, double elevationDeg);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void PrepareRender() override;

private:
    std::unique_ptr<SurfaceScene> m_scene;
};

}  // namespace velor
