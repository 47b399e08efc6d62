#include "views/framework/ViewFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QMainWindow>
#include <QToolBar>
#include <algorithm>

#include "document/CommandIds.h"
#include "views/framework/DormView.h"
#include "views/framework/ViewHost.h"

namespace velor {

CViewFrame::CViewFrame(CDormView* view, QWidget* parent) : QMdiSubWindow(parent), m_view(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    // An inner main window lets the local tool bar dock on any side of the view.
    m_inner = new QMainWindow(this);
    m_inner->setWindowFlags(Qt::Widget);
    m_inner->setCentralWidget(view);
    const QList<ViewCommand> commands = view->MenuCommands();
    if (!commands.isEmpty()) {
        m_toolBar = m_inner->addToolBar(QStringLiteral("Local Toolbar"));
        for (const ViewCommand& command : commands) {
            if (command.separatorBefore) m_toolBar->addSeparator();
            // The tool button shows the text without its mnemonic and its "...".
            auto* action = new QAction(command.text, this);
            action->setData(command.id);
            action->setProperty("separatorBefore", command.separatorBefore);
            const int id = command.id;
            connect(action, &QAction::triggered, this, [this, id] { emit CommandTriggered(id); });
            m_toolBar->addAction(action);
            m_actions << action;
            m_ids.push_back(id);
            m_shortcuts << command.shortcut;
        }
        UpdateCommandStates();
    }
    setWidget(m_inner);
    setMinimumSize(view->SizeHook(QSize(0, 0)));
    if (view->IsFixedSize()) setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
}

QRect CViewFrame::NormalGeometry() const {
    return (isMinimized() || isMaximized()) && m_normal.isValid() ? m_normal : geometry();
}

void CViewFrame::KeepInsideArea() {
    const QWidget* area = parentWidget();
    // Before the main window shows, its area has no size worth keeping to.
    if (!area || !area->isVisible()) return;
    const QRect room = area->rect();
    QRect place = geometry();
    place.setSize(place.size().boundedTo(room.size()).expandedTo(minimumSize()));
    place.moveLeft(std::clamp(place.left(), room.left(),
                              std::max(room.left(), room.right() + 1 - place.width())));
    place.moveTop(std::clamp(place.top(), room.top(),
                             std::max(room.top(), room.bottom() + 1 - place.height())));
    if (place != geometry()) setGeometry(place);
}

void CViewFrame::SetLocalToolBarVisible(bool visible) {
    if (m_toolBar) m_toolBar->setVisible(visible);
}

void CViewFrame::UpdateCommandStates() {
    for (int i = 0; i < m_actions.size(); ++i) {
        const CommandState state = m_view->GetCommandState(m_ids[static_cast<size_t>(i)]);
        QAction* action = m_actions[i];
        if (action->isEnabled() == state.enabled && action->isChecked() == state.checked &&
            (action->isCheckable() || !state.checked)) {
            continue;
        }
        action->setEnabled(state.enabled);
        // An action once checked stays checkable, so its button keeps its look when off.
        action->setCheckable(state.checked || action->isCheckable());
        action->setChecked(state.checked);
    }
}

void CViewFrame::SetShortcutsActive(bool active) {
    for (int i = 0; i < m_actions.size(); ++i) m_actions[i]->setShortcut(active ? m_shortcuts[i] : QKeySequence());
}

void CViewFrame::TrackNormalGeometry() {
    if (!isMinimized() && !isMaximized()) m_normal = geometry();
}

void CViewFrame::closeEvent(QCloseEvent* event) {
    if (!m_view->CanClose() || !m_view->Host().CanCloseView(*m_view)) {
        event->ignore();
        return;
    }
    m_view->StoreSettings();
    m_view->Host().ViewClosing(*m_view);
    QMdiSubWindow::closeEvent(event);
}

void CViewFrame::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    TrackNormalGeometry();
    m_view->RefreshPlacement();
    m_view->RequestRepaint();
}

void CViewFrame::moveEvent(QMoveEvent* event) {
    QMdiSubWindow::moveEvent(event);
    TrackNormalGeometry();
    m_view->RefreshPlacement();
}

}  // namespace velor
