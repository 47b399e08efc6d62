#pragma once
// The render area of a 3D view: a VTK render window in a Qt widget with an examiner's mouse
// (left button turns the scene about its centre, the wheel and a right-button drag zoom, the
// middle button pans; a right click without a drag asks for the view's menu), an orthographic
// camera with a light that follows it, and redraws collapsed to one per pass of the event
// loop. The header names no VTK type.

#include <QImage>
#include <QWidget>
#include <memory>

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

class ExaminerViewer : public QWidget {
    Q_OBJECT

public:
    explicit ExaminerViewer(QWidget* parent = nullptr);
    ~ExaminerViewer() override;

    SurfaceScene& Scene();

    CameraState Camera() const;
    void SetCamera(const CameraState& camera);
    // Turns the camera about the point it looks at, as a drag with the left button does.
    void Turn(double azimuthDeg, double elevationDeg);

    // Every request of one pass of the event loop gives one render.
    void RequestRender();
    // Renders now if a render was asked for.
    void FlushRender();
    int RenderCount() const;

    // The rendered scene as an image, for Copy, Save Image and Print.
    QImage Grab();

signals:
    // A right click without a drag, at a global position.
    void MenuRequested(const QPoint& globalPos);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void RenderNow();

    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

}  // namespace velor
