// The Window menu's list of the open windows and the commands on the windows themselves: the
// list is built from the MDI area's windows each time the menu opens (the area keeps none of
// its own), numbered in the order they were opened with the active one checked, and a dialog
// of them all beyond nine; Ctrl+Tab and Ctrl+Shift+Tab step through every window.

#include <QAction>
#include <QMenu>

#include "app/AppCommands.h"
#include "app/MainFrame.h"
#include "app/MdiArea.h"
#include "app/WindowListDlg.h"
#include "views/framework/DormView.h"
#include "views/framework/ViewFrame.h"

namespace velor {
namespace {

bool IsListedWindow(int id) {
    return id >= ID_WINDOW_FIRST_CHILD && id < ID_WINDOW_FIRST_CHILD + kListedWindowCount;
}

// A title as a menu item's text: its ampersands are no mnemonics.
QString MenuText(int number, const QString& title) {
    return QStringLiteral("&%1 %2").arg(number).arg(
        QString(title).replace(QLatin1Char('&'), QStringLiteral("&&")));
}

}  // namespace

bool CMainFrame::IsWindowCommand(int id) {
    return IsListedWindow(id) || id == ID_WINDOW_MORE || id == ID_WINDOW_NEXT ||
           id == ID_WINDOW_PREVIOUS;
}

void CMainFrame::AddWindowKeys() {
    const struct {
        int id;
        QList<QKeySequence> keys;
    } keys[] = {
        {ID_WINDOW_NEXT,
         {QKeySequence(QStringLiteral("Ctrl+Tab")), QKeySequence(QStringLiteral("Ctrl+F6"))}},
        {ID_WINDOW_PREVIOUS,
         {QKeySequence(QStringLiteral("Ctrl+Shift+Backtab")),
          QKeySequence(QStringLiteral("Ctrl+Shift+Tab")),
          QKeySequence(QStringLiteral("Ctrl+Shift+F6"))}},
    };
    for (const auto& key : keys) {
        // Keys of the main window, taken before the window with the focus sees them: a 3D
        // view's render area would keep them.
        auto* action = new QAction(this);
        action->setShortcuts(key.keys);
        const int id = key.id;
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
        addAction(action);
        m_actions[id] = action;
    }
}

void CMainFrame::RebuildWindowList() {
    for (QAction* action : m_windowListActions) {
        m_actions.erase(action->data().toInt());
        m_windowMenu->removeAction(action);
        delete action;
    }
    m_windowListActions.clear();
    const std::vector<CViewFrame*> frames = ViewFrames();
    if (frames.empty()) return;
    m_windowListActions.push_back(m_windowMenu->addSeparator());
    const int listed = std::min<int>(static_cast<int>(frames.size()), kListedWindowCount);
    for (int i = 0; i < listed; ++i) {
        QAction* action = AddCommand(m_windowMenu, ID_WINDOW_FIRST_CHILD + i,
                                     MenuText(i + 1, frames[i]->windowTitle()));
        action->setCheckable(true);
        m_windowListActions.push_back(action);
    }
    if (static_cast<int>(frames.size()) > kListedWindowCount) {
        m_windowListActions.push_back(
            AddCommand(m_windowMenu, ID_WINDOW_MORE, QStringLiteral("&More Windows...")));
    }
}

CommandState CMainFrame::WindowCommandState(int id) const {
    const std::vector<CViewFrame*> frames = ViewFrames();
    if (IsListedWindow(id)) {
        const size_t index = static_cast<size_t>(id - ID_WINDOW_FIRST_CHILD);
        return {index < frames.size(),
                index < frames.size() && frames[index] == m_mdi->activeSubWindow(), false};
    }
    if (id == ID_WINDOW_MORE)
        return {static_cast<int>(frames.size()) > kListedWindowCount, false, false};
    return {frames.size() > 1, false, false};  // next, previous
}

void CMainFrame::RunWindowCommand(int id) {
    const std::vector<CViewFrame*> frames = ViewFrames();
    if (IsListedWindow(id)) {
        ActivateFrame(frames.at(static_cast<size_t>(id - ID_WINDOW_FIRST_CHILD)));
    } else if (id == ID_WINDOW_MORE) {
        ChooseWindow();
    } else if (id == ID_WINDOW_NEXT) {
        m_mdi->activateNextSubWindow();
    } else if (id == ID_WINDOW_PREVIOUS) {
        m_mdi->activatePreviousSubWindow();
    }
}

void CMainFrame::ActivateFrame(CViewFrame* frame) {
    if (frame->isMinimized()) frame->showNormal();
    m_mdi->setActiveSubWindow(frame);
}

void CMainFrame::ChooseWindow() {
    const std::vector<CViewFrame*> frames = ViewFrames();
    QStringList titles;
    int current = 0;
    for (size_t i = 0; i < frames.size(); ++i) {
        titles << frames[i]->windowTitle();
        if (frames[i] == m_mdi->activeSubWindow()) current = static_cast<int>(i);
    }
    CWindowListDlg dialog(titles, current, this);
    if (dialog.exec() != QDialog::Accepted) return;
    // The windows may have changed while the dialog was up.
    const std::vector<CViewFrame*> now = ViewFrames();
    const int chosen = dialog.Chosen();
    if (chosen >= 0 && chosen < static_cast<int>(now.size()) && now == frames)
        ActivateFrame(now[static_cast<size_t>(chosen)]);
}

}  // namespace velor
