#pragma once
// The MDI child frame of a view: it keeps the view within its size hook, asks it before
// closing, remembers its normal geometry and carries the view's local tool bar.

#include <QKeySequence>
#include <QList>
#include <QMdiSubWindow>
#include <QRect>
#include <vector>

class QAction;
class QMainWindow;
class QToolBar;

namespace velor {

class CDormView;

class CViewFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    explicit CViewFrame(CDormView* view, QWidget* parent = nullptr);

    CDormView* View() const { return m_view; }
    // Geometry in the MDI area when neither minimised nor maximised.
    QRect NormalGeometry() const;
    void RememberNormalGeometry() { m_normal = geometry(); }
    // Pulls the frame back inside the area that shows it (shrinking it to the area where it is
    // larger), so that a place remembered from a larger screen never leaves it out of reach.
    void KeepInsideArea();
    QToolBar* LocalToolBar() const { return m_toolBar; }
    void SetLocalToolBarVisible(bool visible);
    // The view's commands as actions, shared by the local tool bar and, while the view is
    // active, the main window's Options menu: both always show the same state.
    const QList<QAction*>& CommandActions() const { return m_actions; }
    // Reads every command's enabled and checked state from the view; only the actions whose
    // state changed are touched (an action set to what it is still tells its buttons so).
    void UpdateCommandStates();
    // Keys belong to the active view's commands only.
    void SetShortcutsActive(bool active);

signals:
    void CommandTriggered(int id);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void TrackNormalGeometry();

    CDormView* m_view;
    QMainWindow* m_inner;
    QToolBar* m_toolBar = nullptr;
    QList<QAction*> m_actions;
    std::vector<int> m_ids;                          // the command of each action
    QList<QKeySequence> m_shortcuts;
    QRect m_normal;
};

}  // namespace velor
