// Finding the windows: the Window menu's list of them (numbered, the active one checked, a
// dialog of them all beyond nine), Cascade giving them one size, a remembered place off the
// area pulled back inside, and Ctrl+Tab stepping through every window, 3D ones included.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <set>

#include "app/WindowListDlg.h"
#include "tests/app/shell/ShellFixture.h"
#include "tests/support/FarFieldPictures.h"
#include "views/topo/C2dView.h"
#include "views/topo/PlaneViewer.h"
#include "views/view3d/C3dView.h"
#include "views/view3d/ExaminerViewer.h"

namespace velor::test {
namespace {

class WindowMenu : public Shell {
protected:
    CMainFrame& StartWithSample() {
        CMainFrame& frame = Start();
        frame.show();
        EXPECT_TRUE(frame.OpenDocumentFile(WriteLaserDiodeSample(Path("s.vnq"), 10)));
        frame.resize(1280, 800);
        Settle();
        return frame;
    }
    static void Settle() {
        for (int i = 0; i < 10; ++i) QApplication::processEvents();
    }
    // The Window menu as it opens: the items after its last separator are the window list.
    QList<QAction*> OpenWindowList() {
        QMenu* menu = nullptr;
        for (QAction* action : app->MainFrame().menuBar()->actions()) {
            if (action->text() == "&Window") menu = action->menu();
        }
        if (!menu) return {};
        emit menu->aboutToShow();
        const QList<QAction*> all = menu->actions();
        QList<QAction*> list;
        for (int i = static_cast<int>(all.size()) - 1; i >= 0 && !all[i]->isSeparator(); --i)
            list.prepend(all[i]);
        return list;
    }
};

TEST_F(WindowMenu, ListsTheOpenWindowsAndActivatesTheOneChosen) {
    CMainFrame& frame = StartWithSample();
    ASSERT_TRUE(frame.Execute(ID_NEW_POWER));
    ASSERT_TRUE(frame.Execute(ID_NEW_BEAM_STATISTICS));
    QList<QAction*> list = OpenWindowList();
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0]->text(), "&1 Rectangular View - Lumora inc.");
    EXPECT_EQ(list[1]->text(), "&2 Power - Lumora Inc.");
    EXPECT_EQ(list[2]->text(), "&3 Beam Statistics 0 samples - Lumora Inc.");
    EXPECT_FALSE(list[0]->isChecked());
    EXPECT_TRUE(list[2]->isChecked()) << "the active window";
    list[1]->trigger();
    EXPECT_EQ(frame.MdiArea().activeSubWindow(), frame.ViewFrames()[1]);
    EXPECT_TRUE(OpenWindowList()[1]->isChecked());

    // Beyond nine the list stops, and a dialog offers them all.
    for (int i = 0; i < 8; ++i) ASSERT_TRUE(frame.Execute(ID_NEW_NOTES));
    list = OpenWindowList();
    ASSERT_EQ(list.size(), 10);
    EXPECT_TRUE(list[8]->text().startsWith("&9 Notes"));
    EXPECT_EQ(list[9]->text(), "&More Windows...");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CWindowListDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        seen = true;
        auto* windows = dialog->findChild<QListWidget*>(CWindowListDlg::kListName);
        EXPECT_EQ(windows->count(), 11);
        EXPECT_EQ(windows->currentRow(), 10) << "the active window, opened last";
        windows->setCurrentRow(1);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    list[9]->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(frame.MdiArea().activeSubWindow(), frame.ViewFrames()[1]);
}

TEST_F(WindowMenu, CascadeGivesTheWindowsOneSizeInsideTheArea) {
    CMainFrame& frame = StartWithSample();
    for (const int kind : {ID_NEW_POWER, ID_NEW_NOTES, ID_NEW_BEAM_STATISTICS})
        ASSERT_TRUE(frame.Execute(kind));
    frame.ViewFrames()[1]->resize(500, 220);
    frame.ViewFrames()[2]->showMaximized();
    Settle();
    QMdiSubWindow* active = frame.MdiArea().activeSubWindow();
    ASSERT_TRUE(frame.Execute(ID_WINDOW_CASCADE));
    Settle();
    const QRect area = frame.MdiArea().viewport()->rect();
    const std::vector<CViewFrame*> windows = frame.ViewFrames();
    for (size_t i = 0; i < windows.size(); ++i) {
        EXPECT_FALSE(windows[i]->isMaximized());
        EXPECT_EQ(windows[i]->size(), windows[0]->size()) << i;
        EXPECT_TRUE(area.contains(windows[i]->geometry())) << i;
    }
    EXPECT_GT(windows[0]->width(), area.width() / 2);
    EXPECT_EQ(frame.MdiArea().activeSubWindow(), active) << "the active window stays so, in front";
    EXPECT_GT(active->y(), windows[0]->y()) << "the windows stand stepped, the active one last";
}

TEST_F(WindowMenu, ARememberedPlaceOffTheAreaComesBackInside) {
    CMainFrame& frame = StartWithSample();
    // From the settings, where a larger screen left it (written once the program has named
    // its settings file, as a test run alone has no earlier test to do that).
    QSettings().setValue("POWERMETER/WNDRECT", "1500,900,1900,1300,1");
    ASSERT_TRUE(frame.Execute(ID_NEW_POWER));
    const QRect area = frame.MdiArea().viewport()->rect();
    EXPECT_TRUE(area.contains(frame.ViewFrames().back()->geometry())) << "from the settings";
    EXPECT_EQ(frame.ViewFrames().back()->size(), QSize(400, 400)) << "the size kept where it fits";

    // From a data file, where a larger screen left it.
    frame.ViewFrames().back()->setGeometry(1700, 1000, 300, 300);
    prompt.fileChoices.push_back({Path("far"), 0});
    ASSERT_TRUE(frame.Execute(ID_FILE_SAVE_AS));
    ASSERT_TRUE(frame.OpenDocumentFile(Path("far.vnq")));
    Settle();
    // The file brings the main window's own place too, so its area is measured anew.
    const QRect reopened = frame.MdiArea().viewport()->rect();
    for (CViewFrame* window : frame.ViewFrames())
        EXPECT_TRUE(reopened.contains(window->geometry())) << "from the file";
}

TEST_F(WindowMenu, CtrlTabStepsThroughEveryWindowFromA3dView) {
    CMainFrame& frame = StartWithSample();
    for (const int kind : {ID_NEW_POWER, ID_NEW_TOPOGRAPHIC, ID_NEW_3D_RECTANGULAR})
        ASSERT_TRUE(frame.Execute(kind));
    Settle();
    QApplication::setActiveWindow(&frame);
    std::set<QMdiSubWindow*> visited;
    for (int press = 0; press < 4; ++press) {
        QMdiSubWindow* active = frame.MdiArea().activeSubWindow();
        visited.insert(active);
        // A click into the view gives it the focus: a 3D view's render area takes it.
        CDormView* view = qobject_cast<CViewFrame*>(active)->View();
        QWidget* target = view;
        if (auto* view3d = qobject_cast<C3dView*>(view)) target = view3d->Viewer().Surface();
        if (auto* topo = qobject_cast<C2dView*>(view)) target = topo->Viewer().Surface();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        Settle();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        Settle();
        EXPECT_NE(frame.MdiArea().activeSubWindow(), active) << press;
    }
    EXPECT_EQ(visited.size(), 4u) << "every window in turn, not back and forth";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                    Qt::ControlModifier | Qt::ShiftModifier);
    Settle();
    EXPECT_EQ(qobject_cast<CViewFrame*>(frame.MdiArea().activeSubWindow())->View()->Tag(),
              kTopoViewTag)
        << "Ctrl+Shift+Tab steps back from the 3D view";
}

}  // namespace
}  // namespace velor::test
