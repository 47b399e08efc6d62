#pragma once
// The MDI child frame of a view: it keeps the view within its size hook, asks it before
// closing, remembers its normal geometry and carries the view's local tool bar.

#include <QMdiSubWindow>
#include <QRect>

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
    QToolBar* LocalToolBar() const { return m_toolBar; }
    void SetLocalToolBarVisible(bool visible);

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
    QRect m_normal;
};

}  // namespace velor
