// The topographic view in the program, rendered under Xvfb: Window > New Window opens it once,
// a picture of a simulated laser diode against its reference, the commands with their states,
// the settings and the camera through a saved file, the mouse, the pointer's readings in the
// status bar, and one render for a size change.

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <numbers>

#include "document/UpdateHints.h"
#include "tests/app/shell/ShellFixture.h"
#include "tests/support/FarFieldPictures.h"
#include "views/common/ColorClipDlg.h"
#include "views/topo/C2dView.h"
#include "views/topo/PlaneViewer.h"
#include "views/topo/TopoScene.h"

namespace velor::test {
namespace {

constexpr QSize kPictureSize(400, 300);

// The reference picture, made with this program on the sample and looked at (regenerate with
// VELOR_PRINT_SIGNATURES=1 after an intended change of the map).
const std::vector<int> kReference = {
#include "tests/views/topo/TopoSignature.inc"
};

class TopoShell : public Shell {
protected:
    CMainFrame& StartWithSample(uint16_t scans = 50) {
        CMainFrame& frame = Start();
        frame.resize(1000, 800);
        frame.show();
        EXPECT_TRUE(frame.OpenDocumentFile(WriteLaserDiodeSample(Path("s.vnq"), scans)));
        return frame;
    }

    // Window > New Window > Topographic View, its view at the picture size, built and drawn.
    C2dView* Open() {
        CMainFrame& frame = app->MainFrame();
        EXPECT_TRUE(frame.Execute(ID_NEW_TOPOGRAPHIC));
        auto* active = qobject_cast<CViewFrame*>(frame.MdiArea().activeSubWindow());
        auto* view = active ? qobject_cast<C2dView*>(active->View()) : nullptr;
        if (!view) return nullptr;
        view->Frame()->showNormal();
        view->Frame()->resize(view->Frame()->size() + kPictureSize - view->size());
        Pump();
        view->FlushRebuild();
        view->Viewer().FlushRender();
        Pump();
        frame.ActiveDocument()->SetModifiedFlag(false);
        return view;
    }
};

TEST_F(TopoShell, OpensOnceAndItsPictureMatchesTheReference) {
    CMainFrame& frame = StartWithSample();
    C2dView* view = Open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Frame()->windowTitle(), "Topographic View - Lumora inc.");
    frame.OpenView(kNoteViewTag);
    ASSERT_TRUE(frame.Execute(ID_NEW_TOPOGRAPHIC)) << "one topographic window at most";
    EXPECT_EQ(frame.MdiArea().activeSubWindow(), view->Frame())
        << "asked for again, the open one comes forward";
    EXPECT_EQ(prompt.Texts(), QStringList{"You may not open more than 5 3D windows"});
    EXPECT_EQ(view->Viewer().Scene().NodeCount(), 61 * 101) << "T/2 + 1 radii by 2N + 1 angles";

    ASSERT_EQ(view->size(), kPictureSize);
    const QImage picture = view->RenderImage();
    ASSERT_EQ(picture.size(), kPictureSize);
    const std::vector<int> now = Signature(picture);
    if (std::getenv("VELOR_PRINT_SIGNATURES")) {
        PrintSignature("topographic", now);
        picture.save(QStringLiteral("/tmp/topographic.png"));
    }
    // A tenth of the way from the reference to a black view is far enough for antialiasing and
    // text to move; a view without its map is further off.
    QImage black(kPictureSize, QImage::Format_RGB32);
    black.fill(Qt::black);
    const double tolerance = MeanDifference(Signature(black), kReference) / 10.0;
    EXPECT_GT(tolerance, 0.2) << "the reference itself shows something";
    EXPECT_LT(MeanDifference(now, kReference), tolerance);

    // Print, Copy and Save Image take the same picture.
    QImage page(kPictureSize, QImage::Format_RGB32);
    QPainter painter(&page);
    view->Print(painter, page.rect());
    painter.end();
    EXPECT_LT(MeanDifference(Signature(page), kReference), tolerance);
    ASSERT_TRUE(frame.Execute(ID_EDIT_COPY));
    EXPECT_LT(MeanDifference(Signature(QApplication::clipboard()->image()), kReference), tolerance);
    frame.Prefs().imageType = 4;  // PNG
    prompt.fileChoices.push_back({Path("topo.png"), 0});
    ASSERT_TRUE(frame.Execute(ID_SAVE_IMAGE));
    EXPECT_LT(MeanDifference(Signature(QImage(Path("topo.png"))), kReference), tolerance);
}

TEST_F(TopoShell, CommandsFollowTheScale) {
    CMainFrame& frame = StartWithSample();
    C2dView* view = Open();
    ASSERT_NE(view, nullptr);
    CVelor32Doc* doc = frame.ActiveDocument();
    const TopoScene& scene = view->Viewer().Scene();
    EXPECT_TRUE(frame.State(ID_2D_CLIP_LEVEL).enabled);
    EXPECT_TRUE(frame.State(ID_2D_CLIP_LEGEND).checked);
    EXPECT_FALSE(scene.LegendShown()) << "no room left of the map at 400 × 300";
    view->Frame()->resize(view->Frame()->size() + QSize(300, 0));  // room for it at the left
    Pump();
    EXPECT_TRUE(scene.LegendShown());
    EXPECT_EQ(scene.LegendTitle(), "ClipLevels(%)");

    ASSERT_TRUE(frame.Execute(ID_2D_LOGARITHMIC));
    view->FlushRebuild();
    EXPECT_FALSE(frame.State(ID_2D_CLIP_LEVEL).enabled) << "the decibel levels are fixed";
    EXPECT_TRUE(frame.State(ID_2D_LOGARITHMIC).checked);
    EXPECT_FALSE(frame.State(ID_2D_LINEAR).checked);
    EXPECT_EQ(scene.LegendTitle(), "Level (dB)");
    EXPECT_TRUE(doc->IsModified());

    doc->SetModifiedFlag(false);
    ASSERT_TRUE(frame.Execute(ID_2D_HIGH));
    view->FlushRebuild();
    EXPECT_EQ(scene.NodeCount(), 271 * 101) << "radii 61 to 271, angles kept";
    EXPECT_TRUE(frame.State(ID_2D_HIGH).checked);
    EXPECT_TRUE(doc->IsModified());
    doc->SetModifiedFlag(false);
    frame.Execute(ID_2D_HIGH);
    EXPECT_FALSE(doc->IsModified()) << "nothing changed";

    ASSERT_TRUE(frame.Execute(ID_2D_CLIP_LEGEND));
    EXPECT_FALSE(scene.LegendShown());
    EXPECT_FALSE(frame.State(ID_2D_CLIP_LEGEND).checked);
    ASSERT_TRUE(frame.Execute(ID_2D_MESH_LINES));
    EXPECT_TRUE(scene.MeshLinesShown());
    EXPECT_TRUE(frame.State(ID_2D_MESH_LINES).checked);

    // Notifications 0x954 and 0x955 rebuild the map, once however many arrive in a pass.
    const int builds = view->BuildCount();
    doc->UpdateAllViews(UM_PARAMCHANGED);
    doc->UpdateAllViews(UM_3DDONE);
    doc->UpdateAllViews(UM_UNITS);
    Pump();
    EXPECT_EQ(view->BuildCount(), builds + 1);
}

TEST_F(TopoShell, SettingsAndCameraComeBackFromTheFile) {
    CMainFrame& frame = StartWithSample();
    C2dView* view = Open();
    ASSERT_NE(view, nullptr);
    // A level added through the dialog, in a colour of its own.
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CColorClipDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        seen = true;
        EXPECT_EQ(dialog->windowTitle(), "ClipLevels for 2D Plot");
        dialog->findChild<QLineEdit*>(CColorClipDlg::kEditName)->setText("42.5");
        dialog->findChild<QPushButton*>(CColorClipDlg::kAddName)->click();
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_TRUE(frame.Execute(ID_2D_CLIP_LEVEL));
    ASSERT_TRUE(seen);
    EXPECT_EQ(view->m_nClipCount, 10);
    for (int command : {ID_2D_MEDIUM, ID_2D_LOGARITHMIC, ID_2D_MESH_LINES, ID_2D_CLIP_LEGEND}) {
        ASSERT_TRUE(frame.Execute(command)) << command;
    }
    view->Viewer().SetCamera({{-14.0, 22.5, 120.0}, 120.0});  // panned and zoomed in
    const C2dData settings = *view;

    prompt.fileChoices.push_back({Path("topo"), 0});
    ASSERT_TRUE(frame.Execute(ID_FILE_SAVE_AS));
    ASSERT_TRUE(frame.OpenDocumentFile(Path("topo.vnq")));
    C2dView* back = Find<C2dView>();
    ASSERT_NE(back, nullptr);
    EXPECT_NE(back, view);
    EXPECT_EQ(back->Frame()->windowTitle(), "Topographic View - Lumora inc.");
    // Levels, colours, legend, mesh lines, resolution and scale byte for byte; the camera as
    // the viewer has it.
    const C2dData& reopened = *back;
    EXPECT_EQ(std::memcmp(&reopened, &settings, offsetof(C2dData, m_fCameraPosition)), 0);
    EXPECT_EQ(std::memcmp(&reopened.m_bLegend, &settings.m_bLegend, sizeof settings - offsetof(C2dData, m_bLegend)),
              0);
    EXPECT_EQ(reopened.m_nResolution, kTopoMedium);
    EXPECT_EQ(reopened.m_bLegend, 0u);
    const PlaneCamera camera = back->Viewer().Camera();
    EXPECT_NEAR(camera.position[0], -14.0, 1e-3);
    EXPECT_NEAR(camera.position[1], 22.5, 1e-3);
    EXPECT_NEAR(camera.position[2], 120.0, 1e-3);
    EXPECT_NEAR(camera.focalDistance, 120.0, 1e-3);
    back->FlushRebuild();
    EXPECT_EQ(back->Viewer().Scene().NodeCount(), 136 * 101);
    EXPECT_EQ(back->Viewer().Scene().LegendTitle(), "Level (dB)");
    EXPECT_FALSE(back->Viewer().Scene().LegendShown());
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

void Wheel(QWidget* target, QPoint at, int steps) {
    for (int i = 0; i < std::abs(steps); ++i) {
        QWheelEvent wheel(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, steps > 0 ? 120 : -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    }
}

TEST_F(TopoShell, MousePansAndZoomsWithoutTurning) {
    StartWithSample();
    C2dView* view = Open();
    ASSERT_NE(view, nullptr);
    QWidget* area = view->Viewer().Surface();
    const QPoint middle(200, 150);
    const auto camera = [&] { return view->Viewer().Camera(); };

    // Every button but the right one pans: the camera moves over the disc at its height.
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton}) {
        const PlaneCamera before = camera();
        Drag(area, button, middle, middle + QPoint(40, 30));
        EXPECT_GT(std::abs(camera().position[0] - before.position[0]), 1.0) << button;
        EXPECT_GT(std::abs(camera().position[1] - before.position[1]), 1.0) << button;
        EXPECT_NEAR(camera().position[2], before.position[2], 1e-6) << "no turn, no zoom";
        EXPECT_NEAR(camera().focalDistance, before.focalDistance, 1e-6);
    }

    // The wheel comes nearer or goes further, never past the viewer's limits.
    const double distance = camera().focalDistance;
    Wheel(area, middle, 3);
    EXPECT_LT(camera().focalDistance, distance) << "the wheel zooms in";
    Wheel(area, middle, 60);
    EXPECT_NEAR(camera().focalDistance, kTopoNearest, 1e-6);
    Wheel(area, middle, -60);
    EXPECT_NEAR(camera().focalDistance, kTopoFarthest, 1e-3);
    // Still looking straight down: the point looked at lies right below the camera.
    const PlaneCamera now = camera();
    EXPECT_NEAR(now.position[2], now.focalDistance, 1e-3);

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
    EXPECT_EQ(shown, QStringList({"Clip &Level ...", "Clip Legen&d", "&Mesh Lines", "&Low", "&Medium", "&High",
                                  "Li&near", "Lo&garithmic"}));
}

// The numbers of "Theta: t°  Phi: p°  Level: l %" or "… dB".
std::vector<double> Numbers(const QString& text) {
    std::vector<double> numbers;
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("-?\\d+\\.\\d")).globalMatch(text);
    while (it.hasNext()) numbers.push_back(it.next().captured().toDouble());
    return numbers;
}

TEST_F(TopoShell, StatusBarReadsTheMapUnderThePointer) {
    CMainFrame& frame = StartWithSample();
    C2dView* view = Open();
    ASSERT_NE(view, nullptr);
    QWidget* area = view->Viewer().Surface();
    // The first camera stands 255 above the centre with a 45° opening: a pixel is
    // 2 · 255 · tan(22.5°) / 300 degrees of theta on the disc, counted from the middle of the
    // view (200, 150) to the pixel's own middle.
    const double perPixel = 2.0 * 255.0 * std::tan(std::numbers::pi / 8.0) / kPictureSize.height();
    const auto expected = [&](QPoint pixel) {
        const double x = (pixel.x() + 0.5 - 200.0) * perPixel;
        const double y = (150.0 - pixel.y() - 0.5) * perPixel;
        double phi = std::atan2(y, x) * 180.0 / std::numbers::pi;
        if (phi < 0) phi += 360.0;
        return std::pair{std::hypot(x, y), phi};
    };
    // Where the beam's axis points (theta 5°, phi 40°) the level is near the maximum; 40° out
    // at phi 90° and 225° it is low; the centre reads theta 0.
    const struct {
        QPoint pixel;
        double minLevel, maxLevel;
    } cases[] = {
        {{205, 145}, 90.0, 100.0},
        {{199, 92}, 0.0, 30.0},
        {{159, 190}, 0.0, 30.0},
        {{200, 149}, 50.0, 100.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pixel.x() << ", " << c.pixel.y());
        Send(area, QEvent::MouseMove, c.pixel, Qt::NoButton, Qt::NoButton);
        const QString text = frame.StatusPaneText(0);
        ASSERT_TRUE(text.startsWith("Theta: ")) << text.toStdString();
        ASSERT_TRUE(text.endsWith(" %")) << text.toStdString();
        const std::vector<double> numbers = Numbers(text);
        ASSERT_EQ(numbers.size(), 3u) << text.toStdString();
        const auto [theta, phi] = expected(c.pixel);
        EXPECT_NEAR(numbers[0], theta, 0.051);
        EXPECT_NEAR(numbers[1], phi, 0.051);
        EXPECT_GE(numbers[2], c.minLevel);
        EXPECT_LE(numbers[2], c.maxLevel);
    }

    // Off the measured disc, and once the pointer has left the view, the line goes.
    Send(area, QEvent::MouseMove, {2, 2}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(frame.StatusPaneText(0), "");
    Send(area, QEvent::MouseMove, {205, 145}, Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(frame.StatusPaneText(0).isEmpty());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(area, &leave);
    EXPECT_EQ(frame.StatusPaneText(0), "");

    // On the logarithmic scale the level is in decibels below the maximum.
    ASSERT_TRUE(frame.Execute(ID_2D_LOGARITHMIC));
    view->FlushRebuild();
    Send(area, QEvent::MouseMove, {205, 145}, Qt::NoButton, Qt::NoButton);
    const QString decibels = frame.StatusPaneText(0);
    ASSERT_TRUE(decibels.endsWith(" dB")) << decibels.toStdString();
    EXPECT_LE(Numbers(decibels).at(2), 0.0);
    EXPECT_GE(Numbers(decibels).at(2), -1.0);
}

// The frame on screen after the legend is switched on and after the window grows, without any
// later render: the legend box holds its coloured bar and its labels, not an empty box.
TEST_F(TopoShell, TheLegendIsDrawnWholeInTheFirstFrameAfterAChange) {
    StartWithSample();
    C2dView* view = Open();
    ASSERT_NE(view, nullptr);
    const auto expectWholeLegend = [&](const char* after) {
        SCOPED_TRACE(after);
        PlaneViewer& viewer = view->Viewer();
        const LegendFit& fit = viewer.Scene().Legend();
        ASSERT_TRUE(viewer.Scene().LegendShown());
        const QImage shown = viewer.grab().toImage();
        const int left = static_cast<int>(0.01 * viewer.width());
        const int top = viewer.height() - static_cast<int>(0.99 * viewer.height());
        const int barEnd = left + fit.width * 3 / 10;
        int barColours = 0, labelPixels = 0;
        for (int y = top; y < top + fit.height; ++y) {
            for (int x = left; x < left + fit.width - 2; ++x) {
                const QColor c = shown.pixelColor(x, y);
                if (x < barEnd && c.green() > 150 && c.red() < 100 && c.blue() < 100) ++barColours;
                if (x >= barEnd && c.red() > 180 && c.green() > 180 && c.blue() > 180) ++labelPixels;
            }
        }
        EXPECT_GT(barColours, 20) << "the bar's green band";
        EXPECT_GT(labelPixels, 20) << "the labels' white text";
    };
    view->Frame()->resize(view->Frame()->size() + QSize(300, 150));  // room for the legend
    Pump();
    ASSERT_TRUE(app->MainFrame().Execute(ID_2D_CLIP_LEGEND));  // off
    Pump();
    ASSERT_TRUE(app->MainFrame().Execute(ID_2D_CLIP_LEGEND));  // on again
    Pump();
    expectWholeLegend("switched on");
    view->Frame()->resize(view->Frame()->size() + QSize(200, 200));
    Pump();
    expectWholeLegend("the window enlarged");
}

TEST_F(TopoShell, ASizeChangeRendersOnce) {
    StartWithSample();
    C2dView* view = Open();
    ASSERT_NE(view, nullptr);
    const int renders = view->Viewer().RenderCount();
    const QSize size = view->Frame()->size();
    view->Frame()->resize(size - QSize(20, 10));
    view->Frame()->resize(size - QSize(40, 20));
    ASSERT_EQ(view->Viewer().size(), kPictureSize - QSize(40, 20));
    Pump();
    EXPECT_EQ(view->Viewer().RenderCount(), renders + 1);
}

}  // namespace
}  // namespace velor::test
