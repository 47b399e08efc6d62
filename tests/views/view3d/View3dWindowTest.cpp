// The 3D views in the program, rendered under Xvfb: pictures of both kinds of a simulated
// laser diode against their references, the commands with their states, the camera, levels
// and scale through a saved file, the mouse, and a scene that cannot be allocated.

#include <algorithm>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QImageReader>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <new>

#include "document/UpdateHints.h"
#include "tests/app/shell/ShellFixture.h"
#include "tests/support/FarFieldPictures.h"
#include "views/common/ColorClipDlg.h"
#include "views/view3d/C3dView.h"
#include "views/view3d/ExaminerViewer.h"
#include "views/view3d/SurfaceScene.h"

// Allocations of at least this many bytes fail while it is not 0: the scene's arrays are the
// only ones of that size a rebuild asks for. Every plain form is replaced, so that memory is
// always given back the way it was taken (sanitizers check that).
static std::atomic<size_t> g_failFrom{0};

static void* Allocate(std::size_t size) {
    const size_t limit = g_failFrom.load(std::memory_order_relaxed);
    if (limit != 0 && size >= limit) return nullptr;
    return std::malloc(size ? size : 1);
}
void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace velor::test {
namespace {

constexpr QSize kPictureSize(400, 300);

// Reference pictures, made with this program on the sample above and looked at (regenerate
// with VELOR_PRINT_SIGNATURES=1 after an intended change of the scene).
const std::vector<int> kPolarReference = {
#include "tests/views/view3d/Polar3dSignature.inc"
};
const std::vector<int> kRectangularReference = {
#include "tests/views/view3d/Rectangular3dSignature.inc"
};

class View3dShell : public Shell {
protected:
    CMainFrame& StartWithSample(uint16_t scans = 50) {
        CMainFrame& frame = Start();
        frame.resize(1000, 800);
        frame.show();
        EXPECT_TRUE(frame.OpenDocumentFile(WriteLaserDiodeSample(Path("s.vnq"), scans)));
        return frame;
    }

    // The window a Window menu command opens, its view at the picture size, built and drawn.
    C3dView* Open(int command) {
        CMainFrame& frame = app->MainFrame();
        EXPECT_TRUE(frame.Execute(command));
        auto* active = qobject_cast<CViewFrame*>(frame.MdiArea().activeSubWindow());
        auto* view = active ? qobject_cast<C3dView*>(active->View()) : nullptr;
        if (!view) return nullptr;
        view->Frame()->showNormal();
        view->Frame()->resize(view->Frame()->size() + kPictureSize - view->size());
        Pump();
        view->FlushRebuild();
        Pump();
        frame.ActiveDocument()->SetModifiedFlag(false);
        return view;
    }
};

TEST_F(View3dShell, PicturesOfBothKindsMatchTheirReferences) {
    CMainFrame& frame = StartWithSample();
    C3dView* polar = Open(ID_NEW_3D_POLAR);
    C3dView* rectangular = Open(ID_NEW_3D_RECTANGULAR);
    ASSERT_NE(polar, nullptr);
    ASSERT_NE(rectangular, nullptr);
    EXPECT_EQ(polar->Frame()->windowTitle(), "3D Polar View - Lumora inc.");
    EXPECT_EQ(rectangular->Frame()->windowTitle(), "3D Rectangular View - Lumora inc.");

    const struct {
        const char* name;
        C3dView* view;
        const std::vector<int>& reference;
    } kinds[] = {{"polar", polar, kPolarReference}, {"rectangular", rectangular, kRectangularReference}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        ASSERT_EQ(kind.view->size(), kPictureSize);
        const QImage picture = kind.view->RenderImage();
        ASSERT_EQ(picture.size(), kPictureSize);
        const std::vector<int> now = Signature(picture);
        if (std::getenv("VELOR_PRINT_SIGNATURES")) {
            PrintSignature(kind.name, now);
            picture.save(QStringLiteral("/tmp/view3d-%1.png").arg(QLatin1String(kind.name)));
        }
        // The polar surface is a white lobe on black, the rectangular one fills a coloured
        // disc: a tenth of the way from the reference to a black view is far enough for
        // antialiasing and text to move, and a view without its surface is further off.
        QImage black(kPictureSize, QImage::Format_RGB32);
        black.fill(Qt::black);
        const double tolerance = MeanDifference(Signature(black), kind.reference) / 10.0;
        EXPECT_GT(tolerance, 0.2) << "the reference itself shows something";
        EXPECT_LT(MeanDifference(now, kind.reference), tolerance);

        // Print, Copy and Save Image take the same picture.
        QImage page(kPictureSize, QImage::Format_RGB32);
        QPainter painter(&page);
        kind.view->Print(painter, page.rect());
        painter.end();
        EXPECT_LT(MeanDifference(Signature(page), kind.reference), tolerance);
        frame.MdiArea().setActiveSubWindow(kind.view->Frame());
        ASSERT_TRUE(frame.Execute(ID_EDIT_COPY));
        EXPECT_LT(MeanDifference(Signature(QApplication::clipboard()->image()), kind.reference), tolerance);
        frame.Prefs().imageType = 4;  // PNG
        const QString file = Path(QStringLiteral("%1.png").arg(QLatin1String(kind.name)));
        prompt.fileChoices.push_back({file, 0});
        ASSERT_TRUE(frame.Execute(ID_SAVE_IMAGE));
        EXPECT_LT(MeanDifference(Signature(QImage(file)), kind.reference), tolerance);
    }
}

TEST_F(View3dShell, CommandsFollowTheKindAndTheScale) {
    CMainFrame& frame = StartWithSample();
    C3dView* polar = Open(ID_NEW_3D_POLAR);
    ASSERT_NE(polar, nullptr);
    EXPECT_FALSE(frame.State(ID_3D_CLIP_LEVEL).enabled) << "the polar surface is white";
    EXPECT_FALSE(frame.State(ID_3D_CLIP_LEGEND).enabled);
    EXPECT_FALSE(polar->Viewer().Scene().LegendShown());
    EXPECT_EQ(polar->Viewer().Scene().NodeCount(), 121 * 51);
    // Mesh Lines (33083) keeps a menu text, though the original menu gave it none: it has no
    // key and no other door, so without a text it could not be reached at all.
    const QList<ViewCommand> commands = polar->MenuCommands();
    EXPECT_TRUE(std::any_of(commands.begin(), commands.end(), [](const ViewCommand& c) {
        return c.id == ID_3D_MESH_LINES && c.text == QLatin1String("&Mesh Lines") && c.shortcut.isEmpty();
    }));

    C3dView* view = Open(ID_NEW_3D_RECTANGULAR);
    ASSERT_NE(view, nullptr);
    CVelor32Doc* doc = frame.ActiveDocument();
    EXPECT_TRUE(frame.State(ID_3D_CLIP_LEVEL).enabled);
    EXPECT_TRUE(frame.State(ID_3D_CLIP_LEGEND).checked);
    EXPECT_TRUE(frame.State(ID_3D_LINEAR).checked);
    EXPECT_TRUE(frame.State(ID_3D_LOW).checked);
    EXPECT_TRUE(view->Viewer().Scene().LegendShown());

    ASSERT_TRUE(frame.Execute(ID_3D_LOGARITHMIC));
    EXPECT_FALSE(frame.State(ID_3D_CLIP_LEVEL).enabled) << "the decibel levels are fixed";
    EXPECT_TRUE(frame.State(ID_3D_LOGARITHMIC).checked);
    EXPECT_FALSE(frame.State(ID_3D_LINEAR).checked);
    EXPECT_TRUE(doc->IsModified());

    doc->SetModifiedFlag(false);
    ASSERT_TRUE(frame.Execute(ID_3D_HIGH));
    Pump();
    EXPECT_EQ(view->Viewer().Scene().NodeCount(), 541 * 51) << "rows 121 to 541, columns kept";
    EXPECT_TRUE(frame.State(ID_3D_HIGH).checked);
    EXPECT_FALSE(frame.State(ID_3D_LOW).checked);
    EXPECT_TRUE(doc->IsModified());
    doc->SetModifiedFlag(false);
    frame.Execute(ID_3D_HIGH);
    EXPECT_FALSE(doc->IsModified()) << "nothing changed";

    ASSERT_TRUE(frame.Execute(ID_3D_CLIP_LEGEND));
    EXPECT_FALSE(view->Viewer().Scene().LegendShown());
    EXPECT_FALSE(frame.State(ID_3D_CLIP_LEGEND).checked);

    // Notifications 0x954 and 0x955 rebuild the scene, once however many arrive in a pass.
    const int builds = view->BuildCount();
    doc->UpdateAllViews(UM_PARAMCHANGED);
    doc->UpdateAllViews(UM_3DDONE);
    doc->UpdateAllViews(UM_UNITS);
    Pump();
    EXPECT_EQ(view->BuildCount(), builds + 1);
}

TEST_F(View3dShell, CameraLevelsAndScaleComeBackFromTheFile) {
    CMainFrame& frame = StartWithSample();
    C3dView* polar = Open(ID_NEW_3D_POLAR);
    C3dView* view = Open(ID_NEW_3D_RECTANGULAR);
    ASSERT_NE(polar, nullptr);
    ASSERT_NE(view, nullptr);
    // A level added through the dialog, in a colour of its own.
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CColorClipDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        seen = true;
        EXPECT_EQ(dialog->windowTitle(), "ClipLevels for 3D Plots");
        dialog->findChild<QLineEdit*>(CColorClipDlg::kEditName)->setText("42.5");
        dialog->findChild<QPushButton*>(CColorClipDlg::kAddName)->click();
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_TRUE(frame.Execute(ID_3D_CLIP_LEVEL));
    ASSERT_TRUE(seen);
    EXPECT_EQ(view->m_nClipCount, 10);
    for (int command : {ID_3D_MEDIUM, ID_3D_LOGARITHMIC, ID_3D_SOLID_SURFACE, ID_3D_MESH_LINES, ID_3D_CLIP_LEGEND}) {
        ASSERT_TRUE(frame.Execute(command)) << command;
    }
    view->Viewer().Turn(40, 15);
    polar->Viewer().Turn(-25, 30);
    CameraState zoomed = view->Viewer().Camera();
    zoomed.height = 120;
    view->Viewer().SetCamera(zoomed);
    const CameraState cameras[2] = {polar->Viewer().Camera(), view->Viewer().Camera()};
    const C3dData settings = *view;

    prompt.fileChoices.push_back({Path("views"), 0});
    ASSERT_TRUE(frame.Execute(ID_FILE_SAVE_AS));
    ASSERT_TRUE(frame.OpenDocumentFile(Path("views.vnq")));
    std::vector<C3dView*> back;
    for (CViewFrame* f : frame.ViewFrames()) {
        if (auto* v = qobject_cast<C3dView*>(f->View())) back.push_back(v);
    }
    ASSERT_EQ(back.size(), 2u);
    if (back[0]->IsRectangular()) std::swap(back[0], back[1]);
    EXPECT_EQ(back[0]->Frame()->windowTitle(), "3D Polar View - Lumora inc.");
    EXPECT_EQ(back[1]->Frame()->windowTitle(), "3D Rectangular View - Lumora inc.");
    // Levels, colours and flags before the camera, kind, resolution and scale after it.
    const C3dData& reopened = *back[1];
    EXPECT_EQ(std::memcmp(&reopened, &settings, offsetof(C3dData, m_fCameraPosition)), 0);
    EXPECT_EQ(std::memcmp(&reopened.m_bOrthographic, &settings.m_bOrthographic,
                          sizeof settings - offsetof(C3dData, m_bOrthographic)),
              0);
    EXPECT_EQ(reopened.m_nClipCount, 10);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i == 0 ? "polar" : "rectangular");
        const CameraState now = back[i]->Viewer().Camera();
        const CameraFrame was = FrameOf(cameras[i].orientation.axis, cameras[i].orientation.angle);
        const CameraFrame is = FrameOf(now.orientation.axis, now.orientation.angle);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(now.position[k], cameras[i].position[k], 1e-3);
            EXPECT_NEAR(is.direction[k], was.direction[k], 1e-5);
            EXPECT_NEAR(is.up[k], was.up[k], 1e-5);
        }
        EXPECT_NEAR(now.focalDistance, cameras[i].focalDistance, 1e-3);
        EXPECT_NEAR(now.height, cameras[i].height, 1e-3);
        EXPECT_TRUE(now.orthographic);
    }
    EXPECT_NEAR(back[1]->Viewer().Camera().height, 120.0, 1e-3);
}

// Mouse events as the window system delivers them to the render area.
void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void Drag(QWidget* target, Qt::MouseButton button, QPoint from, QPoint to) {
    Send(target, QEvent::MouseButtonPress, from, button, button);
    for (int step = 1; step <= 4; ++step) {
        Send(target, QEvent::MouseMove, from + (to - from) * step / 4, Qt::NoButton, button);
    }
    Send(target, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

// After a turn with the mouse, the θ-scale labels shown are those placed for the camera at
// rest (apart from each other and from the legend), not those of the camera before the turn.
TEST_F(View3dShell, LabelsArePlacedAgainWhenATurnEnds) {
    StartWithSample(100);
    for (const int kind : {ID_NEW_3D_RECTANGULAR, ID_NEW_3D_POLAR}) {
        C3dView* view = Open(kind);
        ASSERT_NE(view, nullptr);
        QWidget* area = view->Viewer().findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_NE(area, nullptr);
        for (const QPoint turn : {QPoint(120, 0), QPoint(0, 100), QPoint(-150, 40)}) {
            Drag(area, Qt::LeftButton, QPoint(200, 150), QPoint(200, 150) + turn);
            Pump();
            const std::vector<std::string> shown = view->Viewer().Scene().ThetaLabels();
            view->Viewer().RequestRender();
            view->Viewer().FlushRender();
            EXPECT_EQ(shown, view->Viewer().Scene().ThetaLabels()) << kind << " turned by " << turn.x() << ", " << turn.y();
        }
    }
}

TEST_F(View3dShell, MouseTurnsZoomsPansAndOpensTheMenu) {
    StartWithSample(100);
    C3dView* view = Open(ID_NEW_3D_RECTANGULAR);
    ASSERT_NE(view, nullptr);
    QWidget* area = view->Viewer().findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(area, nullptr);
    const QPoint middle(200, 150);
    const auto direction = [&] {
        const CameraState c = view->Viewer().Camera();
        return FrameOf(c.orientation.axis, c.orientation.angle).direction;
    };

    // At high resolution (541 × 101 nodes) the surface moves with every second row and
    // column, and comes back whole when the button is released.
    ASSERT_TRUE(app->MainFrame().Execute(ID_3D_HIGH));
    view->FlushRebuild();
    const Vector3 before = direction();
    Send(area, QEvent::MouseButtonPress, middle, Qt::LeftButton, Qt::LeftButton);
    Send(area, QEvent::MouseMove, middle + QPoint(60, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(view->Viewer().Scene().ShowsCoarseSurface());
    Send(area, QEvent::MouseButtonRelease, middle + QPoint(60, 0), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(view->Viewer().Scene().ShowsCoarseSurface());
    EXPECT_GT(std::abs(direction()[0] - before[0]) + std::abs(direction()[1] - before[1]), 0.1) << "turned";

    const double height = view->Viewer().Camera().height;
    QWheelEvent wheel(QPointF(middle), QPointF(area->mapToGlobal(middle)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(area, &wheel);
    EXPECT_LT(view->Viewer().Camera().height, height) << "the wheel zooms in";
    const double wheeled = view->Viewer().Camera().height;
    Drag(area, Qt::RightButton, middle, middle + QPoint(0, -60));
    EXPECT_NE(view->Viewer().Camera().height, wheeled) << "a right drag zooms";

    const Vector3 turned = direction();
    const Vector3 position = view->Viewer().Camera().position;
    Drag(area, Qt::MiddleButton, middle, middle + QPoint(40, 30));
    EXPECT_NE(view->Viewer().Camera().position, position) << "panned";
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(direction()[k], turned[k], 1e-9) << "without turning";

    // A right click without a drag opens the Options menu.
    QStringList shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator()) shown << action->text();
            }
            menu->close();
        }
    });
    closer.start(20);
    Send(area, QEvent::MouseButtonPress, middle, Qt::RightButton, Qt::RightButton);
    Send(area, QEvent::MouseButtonRelease, middle, Qt::RightButton, Qt::NoButton);
    for (int i = 0; i < 50 && shown.isEmpty(); ++i) {
        QApplication::processEvents();
        QThread::msleep(5);
    }
    EXPECT_EQ(shown, QStringList({"&Solid Surface", "Clip &Level ...", "Clip Legen&d", "&Mesh Lines", "&Low",
                                  "&Medium", "&High", "Li&near", "Lo&garithmic"}));
}

// The surface changes with the 3D data and the view's settings, not with live scans; a
// minimised view renders nothing until it shows again.
TEST_F(View3dShell, RendersOnlyWhatChangedAndOnlyInSight) {
    CMainFrame& frame = StartWithSample();
    C3dView* view = Open(ID_NEW_3D_RECTANGULAR);
    ASSERT_NE(view, nullptr);
    CVelor32Doc* doc = frame.ActiveDocument();
    const int builds = view->BuildCount();
    const int renders = view->Viewer().RenderCount();
    for (const uint32_t hint : {uint32_t{UM_SCANDONE}, UM_ACQSTATE(true), UM_ACQSTATE(false), UM_UNITS}) {
        doc->UpdateAllViews(hint);
    }
    Pump();
    EXPECT_EQ(view->BuildCount(), builds);
    EXPECT_EQ(view->Viewer().RenderCount(), renders);

    view->Frame()->showMinimized();
    Pump();
    doc->UpdateAllViews(UM_3DDONE);
    Pump();
    EXPECT_EQ(view->BuildCount(), builds + 1) << "the new data are built";
    EXPECT_EQ(view->Viewer().RenderCount(), renders) << "but not drawn while minimised";
    view->Frame()->showNormal();
    Pump();
    EXPECT_EQ(view->Viewer().RenderCount(), renders + 1);
}

TEST_F(View3dShell, AFailedAllocationTellsTheUserAndEmptiesTheScene) {
    CMainFrame& frame = StartWithSample();
    C3dView* view = Open(ID_NEW_3D_RECTANGULAR);
    ASSERT_NE(view, nullptr);
    ASSERT_GT(view->Viewer().Scene().NodeCount(), 0);
    frame.Execute(ID_3D_MEDIUM);
    g_failFrom = 64 * 1024;  // the node coordinates of 271 × 51 nodes need about 166 kB
    view->FlushRebuild();
    g_failFrom = 0;
    EXPECT_EQ(prompt.Texts(), QStringList{"Not enoough memory on your system"});
    EXPECT_TRUE(view->Viewer().Scene().IsEmpty());
    frame.Execute(ID_3D_HIGH);
    view->FlushRebuild();
    EXPECT_EQ(view->Viewer().Scene().NodeCount(), 541 * 51) << "the next rebuild has its memory";
}

}  // namespace
}  // namespace velor::test
