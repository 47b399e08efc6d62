#pragma once
// The render area of the topographic view: the shared render area with a plane viewer's mouse
// (the buttons pan, the wheel and a right-button drag zoom, nothing turns), a perspective
// camera looking straight down onto the disc, the map's scene, and the point of the disc
// under the mouse pointer. The header names no VTK type.

#include <QPointF>
#include <array>
#include <optional>

#include "views/scene/RenderArea.h"

namespace velor {

class TopoScene;

struct PlaneCamera {
    std::array<double, 3> position{0.0, 0.0, 255.0};
    double focalDistance = 255.0;  // the point looked at lies this far below
};

class PlaneViewer : public RenderArea {
    Q_OBJECT

public:
    explicit PlaneViewer(QWidget* parent = nullptr);
    ~PlaneViewer() override;

    TopoScene& Scene();

    PlaneCamera Camera() const;
    void SetCamera(const PlaneCamera& camera);

    // The point of the disc's plane (x, y) seen at a pixel of the viewer.
    std::optional<QPointF> DiscPointAt(QPoint pixel) const;

signals:
    // The mouse pointer moved over the map (a pixel of the viewer), or left it.
    void PointerMoved(QPoint pixel);
    void PointerLeft();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The map's labels to its scale and the legend in the room the map leaves at the left,
    // from the camera as it stands.
    void FitDecorations();

    std::unique_ptr<TopoScene> m_scene;
};

}  // namespace velor
