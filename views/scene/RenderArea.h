#pragma once
// The render area the 3D and topographic views draw in: a VTK render window in a Qt widget, a
// directional light along the line of sight, the mouse of an examiner (the left button turns
// the scene) or of a plane viewer (the left button pans, nothing turns), the wheel and a
// right-button drag zooming, the middle button panning, a right click without a drag asking
// for the view's menu, and redraws collapsed to one per pass of the event loop and held while
// the view is hidden. The header
// names no VTK type beyond the renderer that scenes are put into.

#include <QImage>
#include <QWidget>
#include <memory>

class vtkRenderer;

namespace velor {

class RenderArea : public QWidget {
    Q_OBJECT

public:
    enum class Mouse { Examiner, Plane };

    explicit RenderArea(Mouse mouse, QWidget* parent = nullptr);
    ~RenderArea() override;

    vtkRenderer* Renderer() const;
    // The widget the scene shows in, which the mouse events reach.
    QWidget* Surface() const;

    // A perspective camera is kept between these distances from the point it looks at, so
    // that zooming can neither pass through the scene nor lose it in the distance.
    void SetDistanceLimits(double nearest, double farthest);

    // Every request of one pass of the event loop gives one render. A camera render moves the
    // view alone; any other may change the scene's texts and legend.
    void RequestRender();
    void RequestCameraRender();
    // Renders now if a render was asked for.
    void FlushRender();
    int RenderCount() const;

    // The rendered scene as an image, for Copy, Save Image and Print.
    QImage Grab();

signals:
    // A right click without a drag, at a global position.
    void MenuRequested(const QPoint& globalPos);
    // A turn, zoom or pan starts (true) or ends (false).
    void InteractionChanged(bool moving);

protected:
    // Runs just before each render the area asks for, with the camera as it will be drawn.
    virtual void PrepareRender() {}

public:
    struct Parts;

private:
    void Schedule();
    void RenderNow();

    std::unique_ptr<Parts> m_parts;
};

}  // namespace velor
