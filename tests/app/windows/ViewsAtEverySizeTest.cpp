// Every kind of view in the program at the sizes users give it: no chart text over another or
// leaving its chart, the power chart's box never reversed, the time statistics legend and axis
// labels whole, the beam statistics columns as wide as their texts, the 3D and topographic
// legends readable or hidden and the 3D views' theta scales shown; then all nine tiled in a
// 1280 × 800 main window and each maximised in 1920 × 1080, the same checked in place. With
// VELOR_SCREENSHOT_DIR set, pictures of the tiled and maximised windows are saved there.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTreeView>
#include <cstdlib>

#include "document/HeadlessSession.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "tests/app/shell/ShellFixture.h"
#include "tests/support/FarFieldPictures.h"
#include "tests/views/chart/TextCheck.h"
#include "views/beamstats/BeamData.h"
#include "views/beamstats/BeamTableModel.h"
#include "views/polar/PolarView.h"
#include "views/power/PowerView.h"
#include "views/profile/PrflView.h"
#include "views/profile/ProfileSection.h"
#include "views/timestats/Chart2D.h"
#include "views/timestats/TimeStatView.h"
#include "views/topo/C2dView.h"
#include "views/topo/PlaneViewer.h"
#include "views/topo/TopoScene.h"
#include "views/view3d/C3dView.h"
#include "views/view3d/ExaminerViewer.h"
#include "views/view3d/SurfaceScene.h"

namespace velor::test {
namespace {

const int kAllKinds[] = {ID_NEW_RECTANGULAR,     ID_NEW_POLAR,       ID_NEW_3D_POLAR,
                         ID_NEW_3D_RECTANGULAR,  ID_NEW_TOPOGRAPHIC, ID_NEW_BEAM_STATISTICS,
                         ID_NEW_TIME_STATISTICS, ID_NEW_POWER,       ID_NEW_NOTES};

class EverySize : public Shell {
protected:
    // A laser diode measured on perpendicular axes (two charts, two series) with 3D data,
    // every kind of window open on it.
    CMainFrame& StartWithEveryView() {
        WritePerpendicularLaserDiode(Path("s.vnq"), 20);
        CMainFrame& frame = Start();
        frame.show();
        EXPECT_TRUE(frame.OpenDocumentFile(Path("s.vnq")));
        for (const int kind : kAllKinds) {
            if (kind != ID_NEW_RECTANGULAR) {
                EXPECT_TRUE(frame.Execute(kind)) << kind;
            }
        }
        Settle();
        return frame;
    }
    static void Settle() {
        for (int i = 0; i < 10; ++i) QApplication::processEvents();
    }
    template <typename View>
    std::vector<View*> All() const {
        std::vector<View*> views;
        for (CViewFrame* frame : app->MainFrame().ViewFrames()) {
            if (auto* view = qobject_cast<View*>(frame->View())) views.push_back(view);
        }
        return views;
    }
    void Picture(const QString& name, QWidget* widget = nullptr) {
        const char* folder = std::getenv("VELOR_SCREENSHOT_DIR");
        if (!folder) return;
        Settle();
        (widget ? widget : &app->MainFrame())
            ->grab()
            .save(QDir(QString::fromLocal8Bit(folder)).filePath(name + QStringLiteral(".png")));
    }

    // What every view shows as it stands.
    void CheckChartTexts(CDisplayListView& view) {
        for (const DisplayList& list : view.Charts()) {
            const std::vector<std::string> problems = TextProblems(list, view.Metrics());
            EXPECT_TRUE(problems.empty())
                << view.ViewName().toStdString() << ": " << problems.front();
        }
        if (auto* power = qobject_cast<CPowerView*>(&view)) {
            EXPECT_FALSE(power->Layout().box.isEmpty());
        }
    }
    static void CheckTimeStatistics(CTimeStatView& view) {
        const std::vector<CChart2D::ShownText> entries = view.Chart()->LegendEntries();
        EXPECT_EQ(entries.size(), 2u) << "a series an axis";
        for (const auto& entry : entries) EXPECT_TRUE(entry.whole) << entry.text.toStdString();
        const std::vector<CChart2D::ShownText> labels = view.Chart()->AxisLabels();
        EXPECT_GE(labels.size(), 4u);
        for (size_t i = 0; i < labels.size(); ++i) {
            EXPECT_TRUE(labels[i].whole) << labels[i].text.toStdString();
            for (size_t j = i + 1; j < labels.size(); ++j)
                EXPECT_FALSE(labels[i].rect.intersects(labels[j].rect));
        }
    }
    static void CheckLegend(const LegendFit& legend, bool shown) {
        EXPECT_EQ(shown, legend.fits);
        if (!shown) return;
        EXPECT_GE(legend.titleSize, kSmallestLegendText);
        EXPECT_GE(legend.labelSize, kSmallestLegendText);
        EXPECT_GE(legend.labels.size(), 3u);
    }
    static void CheckBeamColumns(CBeamData& view) {
        QHeaderView* header = view.List()->header();
        for (int position = 0; position < view.Model()->columnCount(); ++position) {
            const QAbstractItemView* list = view.List();
            EXPECT_GE(header->sectionSize(position), list->sizeHintForColumn(position)) << position;
        }
    }
};

TEST_F(EverySize, EachViewAtEachSizeShowsItsTextsWholeAndApart) {
    StartWithEveryView();
    for (const QSize size : kEverySize) {
        SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
        for (CDisplayListView* view : All<CDisplayListView>()) {
            view->resize(size);
            view->Redraw();
            CheckChartTexts(*view);
        }
        for (CTimeStatView* view : All<CTimeStatView>()) {
            view->resize(size);
            Settle();
            CheckTimeStatistics(*view);
        }
        for (C3dView* view : All<C3dView>()) {
            view->resize(size);
            view->FlushRebuild();
            Settle();
            const SurfaceScene& scene = view->Viewer().Scene();
            if (view->IsRectangular()) CheckLegend(scene.Legend(), scene.LegendShown());
            const std::vector<std::string> theta = scene.ThetaLabels();
            EXPECT_GE(theta.size(), 3u) << "two angles at least and the name";
            EXPECT_EQ(theta.size() - 1, static_cast<size_t>(std::count_if(
                                            theta.begin(), theta.end(), [](const std::string& t) {
                                                return t.find("\u00B0") != std::string::npos;
                                            })));
        }
        for (C2dView* view : All<C2dView>()) {
            view->resize(size);
            view->FlushRebuild();
            Settle();
            CheckLegend(view->Viewer().Scene().Legend(), view->Viewer().Scene().LegendShown());
            // Round the rim every 30° where there is room, else every 60° or 90°, 0° always.
            const std::vector<int> angles = view->Viewer().Scene().AngleLabelsShown();
            EXPECT_GE(angles.size(), 4u);
            EXPECT_EQ(angles.front(), 0);
            if (size.width() >= 640) {
                EXPECT_EQ(angles.size(), 12u);
            }
        }
    }
    // The legends go where there is no room for them, and are there where there is.
    auto* rectangular = All<C3dView>().back();
    ASSERT_TRUE(rectangular->IsRectangular());
    for (const auto& [size, shown] :
         {std::pair{kEverySize[0], false}, std::pair{kEverySize[4], true}}) {
        rectangular->resize(size);
        All<C2dView>().front()->resize(size);
        Settle();
        EXPECT_EQ(rectangular->Viewer().Scene().LegendShown(), shown);
        EXPECT_EQ(All<C2dView>().front()->Viewer().Scene().LegendShown(), shown);
    }
}

TEST_F(EverySize, TiledAndMaximisedEveryViewShowsItsTextsWholeAndApart) {
    CMainFrame& frame = StartWithEveryView();
    frame.resize(1280, 800);
    frame.MdiArea().tileSubWindows();
    Settle();
    EXPECT_EQ(frame.ViewFrames().size(), 9u);
    Picture(QStringLiteral("tiled-1280x800"));
    if (std::getenv("VELOR_SCREENSHOT_DIR")) {
        // The Window menu as it opens over the tiled windows.
        QMenu* menu = nullptr;
        for (QAction* action : frame.menuBar()->actions()) {
            if (action->text() == "&Window") menu = action->menu();
        }
        ASSERT_NE(menu, nullptr);
        menu->popup(frame.mapToGlobal(QPoint(200, 20)));
        Picture(QStringLiteral("window-menu"), menu);
        menu->close();
    }
    const auto checkAll = [&] {
        for (CDisplayListView* view : All<CDisplayListView>()) CheckChartTexts(*view);
        for (CTimeStatView* view : All<CTimeStatView>()) CheckTimeStatistics(*view);
        for (CBeamData* view : All<CBeamData>()) CheckBeamColumns(*view);
        for (C3dView* view : All<C3dView>()) {
            if (view->IsRectangular())
                CheckLegend(view->Viewer().Scene().Legend(), view->Viewer().Scene().LegendShown());
        }
        for (C2dView* view : All<C2dView>()) {
            CheckLegend(view->Viewer().Scene().Legend(), view->Viewer().Scene().LegendShown());
        }
    };
    checkAll();

    frame.resize(1920, 1080);
    int shown = 0;
    for (CViewFrame* window : frame.ViewFrames()) {
        SCOPED_TRACE(window->windowTitle().toStdString());
        window->showMaximized();
        Settle();
        checkAll();
        Picture(QStringLiteral("maximised-%1-%2").arg(++shown).arg(window->View()->SectionName()));
    }
}

// A window opened while another is maximised opens maximised itself: its legend shows.
TEST_F(EverySize, TimeStatisticsOpenedMaximisedShowsItsLegend) {
    CMainFrame& frame = StartWithEveryView();
    for (CTimeStatView* view : All<CTimeStatView>()) view->Frame()->close();
    Settle();
    frame.resize(1920, 1080);
    frame.ViewFrames().front()->showMaximized();
    Settle();
    ASSERT_TRUE(frame.Execute(ID_NEW_TIME_STATISTICS));
    Settle();
    ASSERT_EQ(All<CTimeStatView>().size(), 1u);
    EXPECT_TRUE(All<CTimeStatView>().front()->Frame()->isMaximized());
    CheckTimeStatistics(*All<CTimeStatView>().front());
}

}  // namespace
}  // namespace velor::test
