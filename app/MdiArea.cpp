#include "app/MdiArea.h"

#include <QMdiSubWindow>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "views/framework/ViewFrame.h"

namespace velor {

QPixmap MakeLogo() {
    // A source sending its beam into a half circle of measurement arcs, with the name below.
    QPixmap pixmap(320, 200);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF source(160, 130);
    for (int i = 0; i < 4; ++i) {
        const double r = 40 + 22 * i;
        p.setPen(QPen(QColor(0, 70 + 40 * i, 140 + 25 * i), 5 - i));
        p.drawArc(QRectF(source.x() - r, source.y() - r, 2 * r, 2 * r), 20 * 16, 140 * 16);
    }
    QPainterPath beam;
    beam.moveTo(source);
    beam.lineTo(source + QPointF(-38, -100));
    beam.lineTo(source + QPointF(38, -100));
    beam.closeSubpath();
    p.fillPath(beam, QColor(255, 170, 0, 140));
    p.setBrush(QColor(200, 30, 30));
    p.setPen(Qt::NoPen);
    p.drawEllipse(source, 7, 7);
    QFont font(QStringLiteral("Sans Serif"), 20, QFont::Bold);
    p.setFont(font);
    p.setPen(QColor(20, 40, 90));
    p.drawText(QRect(0, 145, 320, 50), Qt::AlignCenter, QStringLiteral("Orbiscan"));
    return pixmap;
}

CMyMdi::CMyMdi(QWidget* parent) : QMdiArea(parent), m_pixmap(MakeLogo()) {}

void CMyMdi::ArrangeIcons() {
    int x = 0;
    int rowTop = viewport()->height();
    for (QMdiSubWindow* window : subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized()) continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > viewport()->width()) {
            x = 0;
            rowTop -= size.height();  // the next row up
        }
        window->move(x, rowTop - size.height());
        x += size.width();
    }
}

void CMyMdi::SetLogo(bool on) {
    m_logo = on;
    viewport()->update();
}

void CMyMdi::CascadeInOneSize() {
    QMdiSubWindow* active = activeSubWindow();
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : subWindowList(QMdiArea::CreationOrder)) {
        if (window->isVisible() && !window->isMinimized() && window != active)
            windows.append(window);
    }
    // The active window stays active, in front.
    if (active && active->isVisible() && !active->isMinimized()) windows.append(active);
    if (windows.isEmpty()) return;
    // Each window shows its title bar below the one before; together they take the area, but
    // never less than two thirds of it each.
    const QRect area = viewport()->rect();
    const int step =
        std::max(8, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.front()) + 2);
    const int count = static_cast<int>(windows.size());
    QSize size(std::max(area.width() * 2 / 3, area.width() - (count - 1) * step),
               std::max(area.height() * 2 / 3, area.height() - (count - 1) * step));
    int x = 0, y = 0;
    for (QMdiSubWindow* window : windows) {
        if (window->isMaximized()) window->showNormal();
        const QSize own = size.expandedTo(window->minimumSize()).boundedTo(window->maximumSize());
        if (x + own.width() > area.width() || y + own.height() > area.height()) x = y = 0;
        window->setGeometry(QRect(QPoint(x, y), own));
        window->raise();
        x += step;
        y += step;
    }
    if (active) setActiveSubWindow(active);
}

void CMyMdi::showEvent(QShowEvent* event) {
    QMdiArea::showEvent(event);
    // Windows placed from a file before the main window showed (a file given at start-up)
    // come inside once the area has its size.
    QTimer::singleShot(0, this, [this] {
        for (QMdiSubWindow* window : subWindowList()) {
            if (auto* frame = qobject_cast<CViewFrame*>(window);
                frame && !frame->isMaximized() && !frame->isMinimized()) {
                frame->KeepInsideArea();
            }
        }
    });
}

void CMyMdi::paintEvent(QPaintEvent* event) {
    if (!m_logo) {
        QMdiArea::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    const QRect client = viewport()->rect();
    painter.fillRect(client, QColor(0xC0, 0xC0, 0xC0));
    painter.drawPixmap((client.width() - m_pixmap.width()) / 2, (client.height() - m_pixmap.height()) / 2,
                       m_pixmap);
}

void CMyMdi::resizeEvent(QResizeEvent* event) {
    QMdiArea::resizeEvent(event);
    // The logo is drawn relative to the whole area: repaint all of it on every size change.
    if (m_logo && event->oldSize().isValid() && event->oldSize() != event->size()) viewport()->update();
}

}  // namespace velor
