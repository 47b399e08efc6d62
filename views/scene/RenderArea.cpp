#include "views/scene/RenderArea.h"

#include <QCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <QVTKOpenGLNativeWidget.h>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <vtkCamera.h>
#include <vtkGenericOpenGLRenderWindow.h>
#include <vtkInteractorStyleTrackballCamera.h>
#include <vtkLight.h>
#include <vtkNew.h>
#include <vtkObjectFactory.h>
#include <vtkRenderWindowInteractor.h>
#include <vtkRenderer.h>

namespace velor {
namespace {

// A right button released within this many pixels of where it went down was a click, not a
// drag to zoom.
constexpr int kClickSlop = 3;

// The trackball camera's buttons, the left one panning instead of turning in a plane viewer;
// a right click asks for the menu.
class ViewerStyle : public vtkInteractorStyleTrackballCamera {
public:
    static ViewerStyle* New();
    vtkTypeMacro(ViewerStyle, vtkInteractorStyleTrackballCamera)

    std::function<void()> onRightClick;
    std::function<void(bool)> onInteraction;  // a turn, zoom or pan starts (true) or ends
    bool leftPans = false;
    double nearest = 0.0;
    double farthest = std::numeric_limits<double>::max();

    // The last render of an interaction, which follows, shows the scene at rest.
    void StartState(int state) override {
        if (onInteraction) onInteraction(true);
        Superclass::StartState(state);
    }
    void StopState() override {
        if (onInteraction) onInteraction(false);
        Superclass::StopState();
    }

    void OnLeftButtonDown() override {
        if (!leftPans) {
            Superclass::OnLeftButtonDown();
            return;
        }
        const int* at = GetInteractor()->GetEventPosition();
        FindPokedRenderer(at[0], at[1]);
        if (CurrentRenderer) StartPan();
    }
    void OnLeftButtonUp() override {
        if (leftPans && State == VTKIS_PAN) {
            EndPan();
            return;
        }
        Superclass::OnLeftButtonUp();
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

    // Keys belong to the program's menus: the toolkit's own (wireframe, reset, quit …) would
    // change the scene behind the commands' backs.
    void OnChar() override {}

protected:
    void Dolly(double factor) override {
        vtkCamera* camera = CurrentRenderer ? CurrentRenderer->GetActiveCamera() : nullptr;
        if (camera && !camera->GetParallelProjection() && factor > 0.0) {
            const double distance = camera->GetDistance();
            factor = distance / std::clamp(distance / factor, nearest, farthest);
        }
        Superclass::Dolly(factor);
    }

private:
    int m_down[2] = {0, 0};
};
vtkStandardNewMacro(ViewerStyle)

}  // namespace

struct RenderArea::Parts {
    QVTKOpenGLNativeWidget* widget = nullptr;
    vtkNew<vtkGenericOpenGLRenderWindow> window;
    vtkNew<vtkRenderer> renderer;
    vtkNew<vtkLight> headlight;
    vtkNew<ViewerStyle> style;
    bool renderPending = false;
    int renders = 0;
};

RenderArea::RenderArea(Mouse mouse, QWidget* parent) : QWidget(parent), m_parts(std::make_unique<Parts>()) {
    Parts& p = *m_parts;
    p.widget = new QVTKOpenGLNativeWidget(this);
    // Right clicks belong to the interactor: a press starts a zoom, a click without a drag
    // asks for the menu.
    p.widget->setContextMenuPolicy(Qt::PreventContextMenu);
    p.widget->setRenderWindow(p.window);
    // No multisampling: software OpenGL renders every sample, which would cost the rotation
    // most of its frames; the fine grids hardly need it.
    p.window->SetMultiSamples(0);
    p.window->AddRenderer(p.renderer);
    p.renderer->SetBackground(0.0, 0.0, 0.0);
    p.renderer->AutomaticLightCreationOff();
    p.headlight->SetLightTypeToHeadlight();  // directional, along the line of sight
    p.renderer->AddLight(p.headlight);

    p.style->leftPans = mouse == Mouse::Plane;
    p.style->onRightClick = [this] {
        // Out of the interactor's event first: the menu runs an event loop of its own.
        QTimer::singleShot(0, this, [this] { emit MenuRequested(QCursor::pos()); });
    };
    p.style->onInteraction = [this](bool moving) { emit InteractionChanged(moving); };
    p.widget->interactor()->SetInteractorStyle(p.style);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(p.widget);
}

RenderArea::~RenderArea() = default;

vtkRenderer* RenderArea::Renderer() const { return m_parts->renderer; }

QWidget* RenderArea::Surface() const { return m_parts->widget; }

void RenderArea::SetDistanceLimits(double nearest, double farthest) {
    m_parts->style->nearest = nearest;
    m_parts->style->farthest = farthest;
}

void RenderArea::RequestRender() {
    if (m_parts->renderPending) return;
    m_parts->renderPending = true;
    QTimer::singleShot(0, this, [this] { FlushRender(); });
}

void RenderArea::FlushRender() {
    if (!m_parts->renderPending) return;
    m_parts->renderPending = false;
    RenderNow();
}

void RenderArea::RenderNow() {
    PrepareRender();
    m_parts->renderer->ResetCameraClippingRange();
    m_parts->window->Render();
    ++m_parts->renders;
}

int RenderArea::RenderCount() const { return m_parts->renders; }

QImage RenderArea::Grab() {
    // The widget's paint shows the last render: render what is there now first.
    m_parts->renderPending = false;
    RenderNow();
    return m_parts->widget->grabFramebuffer();
}

}  // namespace velor
