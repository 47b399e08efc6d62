#include "views/scene/RenderArea.h"

#include <QCursor>
#include <QEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <QVTKInteractor.h>
#include <QVTKRenderWindowAdapter.h>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <utility>
#include <vtkCallbackCommand.h>
#include <vtkCamera.h>
#include <vtkCommand.h>
#include <vtkGenericOpenGLRenderWindow.h>
#include <vtkInteractorStyleTrackballCamera.h>
#include <vtkLight.h>
#include <vtkNew.h>
#include <vtkObjectFactory.h>
#include <vtkOpenGLState.h>
#include <vtkRect.h>
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

// The render window, with its frames read back in the byte order of the images the widgets
// paint: no conversion on the way, none when painted.
class FrameWindow : public vtkGenericOpenGLRenderWindow {
public:
    static FrameWindow* New();
    vtkTypeMacro(FrameWindow, vtkGenericOpenGLRenderWindow)

    bool ReadFrame(QImage& image) {
        constexpr int kBgra = 0x80E1;         // GL_BGRA
        constexpr int kUnsignedByte = 0x1401;  // GL_UNSIGNED_BYTE
        return ReadPixels(vtkRecti(0, 0, image.width(), image.height()), 1, kBgra, kUnsignedByte, image.bits(), 0) ==
               VTK_OK;
    }
};
vtkStandardNewMacro(FrameWindow)

}  // namespace

// The scene is rendered off screen, into a context of the area's own, and shown as an image
// read back once per new frame. No OpenGL widget sits in the main window, so the rest of the
// window is flushed to the screen as it always is, a changed chart by itself; with an OpenGL
// widget inside it, every repaint of any view would have the whole window composed anew by
// OpenGL (in software where there is no graphics card).
class FrameSurface : public QWidget {
public:
    explicit FrameSurface(RenderArea::Parts& parts, QWidget* parent) : QWidget(parent), m_parts(parts) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    RenderArea::Parts& m_parts;
};

struct RenderArea::Parts {
    RenderArea* area = nullptr;
    FrameSurface* surface = nullptr;
    QOffscreenSurface offscreen;
    QOpenGLContext context;
    std::unique_ptr<QVTKRenderWindowAdapter> adapter;
    vtkNew<FrameWindow> window;
    vtkNew<QVTKInteractor> interactor;
    vtkNew<vtkCallbackCommand> frameDone;
    vtkNew<vtkRenderer> renderer;
    vtkNew<vtkLight> headlight;
    vtkNew<ViewerStyle> style;
    QImage frame;           // the last frame read back, as shown
    bool frameNew = false;  // the window rendered since the last read-back
    bool renderPending = false;
    bool sceneChanged = true;  // more than the camera changed since the last render
    int renders = 0;

    bool MakeCurrent() { return context.isValid() && context.makeCurrent(&offscreen); }

    // The context and the adapter that lets VTK render into it, made on first need.
    bool Ready() {
        if (adapter) return MakeCurrent();
        offscreen.setFormat(QSurfaceFormat::defaultFormat());
        offscreen.create();
        context.setFormat(QSurfaceFormat::defaultFormat());
        if (!offscreen.isValid() || !context.create() || !MakeCurrent()) return false;
        adapter = std::make_unique<QVTKRenderWindowAdapter>(&context, window.Get(), surface);
        Resize();
        return true;
    }

    void Resize() {
        if (adapter) adapter->resize(surface->width(), surface->height());
    }

    // The last render, read back into the image the surface paints.
    void ReadBack() {
        if (!frameNew || !MakeCurrent()) return;
        frameNew = false;
        const int* size = window->GetSize();
        const int w = size[0], h = size[1];
        if (w <= 0 || h <= 0) return;
        // Rows of four bytes a pixel, as an image of 32-bit RGB lays them out (the scene is
        // opaque, whatever alpha the buffer holds); OpenGL's rows run bottom up.
        QImage image(w, h, QImage::Format_RGB32);
        if (image.isNull() || !window->ReadFrame(image)) return;
        frame = std::move(image).mirrored();
        frame.setDevicePixelRatio(surface->devicePixelRatioF());
    }
};

bool FrameSurface::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Enter:
        case QEvent::Leave:
            // The interactor turns, pans and zooms; it renders through the adapter.
            if (m_parts.Ready()) m_parts.adapter->handleEvent(event);
            return true;
        default:
            return QWidget::event(event);
    }
}

void FrameSurface::paintEvent(QPaintEvent*) {
    m_parts.ReadBack();
    QPainter painter(this);
    if (m_parts.frame.isNull()) {
        painter.fillRect(rect(), Qt::black);
    } else {
        painter.drawImage(rect(), m_parts.frame);
    }
}

void FrameSurface::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_parts.Resize();
    m_parts.area->RequestRender();
}

void FrameSurface::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A render asked for while hidden happens now.
    if (m_parts.renderPending) QTimer::singleShot(0, m_parts.area, [area = m_parts.area] { area->FlushRender(); });
}

RenderArea::RenderArea(Mouse mouse, QWidget* parent) : QWidget(parent), m_parts(std::make_unique<Parts>()) {
    Parts& p = *m_parts;
    p.area = this;
    p.surface = new FrameSurface(p, this);
    // Right clicks belong to the interactor: a press starts a zoom, a click without a drag
    // asks for the menu.
    p.surface->setContextMenuPolicy(Qt::PreventContextMenu);
    // No multisampling: software OpenGL renders every sample, which would cost the rotation
    // most of its frames; the fine grids hardly need it.
    p.window->SetMultiSamples(0);
    p.window->AddRenderer(p.renderer);
    p.renderer->SetBackground(0.0, 0.0, 0.0);
    p.renderer->AutomaticLightCreationOff();
    p.headlight->SetLightTypeToHeadlight();  // directional, along the line of sight
    p.renderer->AddLight(p.headlight);
    p.interactor->SetRenderWindow(p.window);
    p.interactor->Initialize();

    // Every finished render, ours or the interactor's, is a frame to show.
    p.frameDone->SetClientData(&p);
    p.frameDone->SetCallback([](vtkObject*, unsigned long, void* data, void*) {
        auto* parts = static_cast<Parts*>(data);
        parts->frameNew = true;
        parts->surface->update();
    });
    p.window->AddObserver(vtkCommand::EndEvent, p.frameDone);

    p.style->leftPans = mouse == Mouse::Plane;
    p.style->onRightClick = [this] {
        // Out of the interactor's event first: the menu runs an event loop of its own.
        QTimer::singleShot(0, this, [this] { emit MenuRequested(QCursor::pos()); });
    };
    p.style->onInteraction = [this](bool moving) { emit InteractionChanged(moving); };
    p.interactor->SetInteractorStyle(p.style);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(p.surface);
}

RenderArea::~RenderArea() {
    // The adapter lets go of VTK's resources in its own context.
    Parts& p = *m_parts;
    p.window->RemoveObserver(p.frameDone);
    if (p.adapter && p.MakeCurrent()) {
        p.adapter.reset();
        p.context.doneCurrent();
    }
}

vtkRenderer* RenderArea::Renderer() const { return m_parts->renderer; }

QWidget* RenderArea::Surface() const { return m_parts->surface; }

void RenderArea::SetDistanceLimits(double nearest, double farthest) {
    m_parts->style->nearest = nearest;
    m_parts->style->farthest = farthest;
}

void RenderArea::RequestRender() {
    m_parts->sceneChanged = true;
    Schedule();
}

void RenderArea::RequestCameraRender() { Schedule(); }

void RenderArea::Schedule() {
    if (m_parts->renderPending) return;
    m_parts->renderPending = true;
    // A hidden or minimised view draws nothing: its render waits until it shows again.
    if (!m_parts->surface->isVisible()) return;
    QTimer::singleShot(0, this, [this] { FlushRender(); });
}

void RenderArea::FlushRender() {
    if (!m_parts->renderPending || !m_parts->surface->isVisible()) return;
    m_parts->renderPending = false;
    RenderNow();
}

void RenderArea::RenderNow() {
    if (!m_parts->Ready()) return;
    PrepareRender();
    m_parts->renderer->ResetCameraClippingRange();
    vtkOpenGLState* state = m_parts->window->GetState();
    state->Reset();
    state->Push();
    state->vtkglDepthFunc(GL_LEQUAL);
    m_parts->window->Render();
    // A text, a legend bar or a frame that the toolkit builds within a render is drawn only
    // by the next one: in the render that builds it, the first new text stops every overlay
    // drawn after it. A render that may have changed them is therefore drawn twice, so that
    // no frame shows a legend box without its bar and labels; a turn of the camera is drawn
    // once.
    if (std::exchange(m_parts->sceneChanged, false)) m_parts->window->Render();
    state->Pop();
    ++m_parts->renders;
}

int RenderArea::RenderCount() const { return m_parts->renders; }

QImage RenderArea::Grab() {
    // The picture shows the scene as it is now, hidden or not.
    m_parts->renderPending = false;
    m_parts->sceneChanged = true;
    RenderNow();
    m_parts->ReadBack();
    return m_parts->frame;
}

}  // namespace velor
