#include "views/beamstats/StateIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "views/beamstats/BeamStatistics.h"

namespace velor {
namespace {

QPixmap Draw(int state, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const qreal pen = std::max<qreal>(1.0, s / 12.0);
    const QRectF box(pen, pen, s - 2 * pen, s - 2 * pen);
    switch (state) {
        case kWithinLimits: {
            p.setPen(QPen(QColor(0x1B, 0x7A, 0x2E), pen));
            p.setBrush(QColor(0x3C, 0xB3, 0x4A));
            p.drawEllipse(box);
            QPainterPath tick;
            tick.moveTo(s * 0.28, s * 0.52);
            tick.lineTo(s * 0.44, s * 0.68);
            tick.lineTo(s * 0.72, s * 0.34);
            p.setPen(QPen(Qt::white, pen * 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(tick);
            break;
        }
        case kBelowMinimum:
        case kAboveMaximum: {
            const bool above = state == kAboveMaximum;
            QPainterPath arrow;
            const qreal tip = above ? box.top() : box.bottom();
            const qreal base = above ? box.bottom() : box.top();
            arrow.moveTo(box.center().x(), tip);
            arrow.lineTo(box.right(), base);
            arrow.lineTo(box.left(), base);
            arrow.closeSubpath();
            p.setPen(QPen(above ? QColor(0x9E, 0x1B, 0x1B) : QColor(0x1B, 0x3F, 0x9E), pen));
            p.setBrush(above ? QColor(0xE0, 0x3A, 0x3A) : QColor(0x3A, 0x6E, 0xE0));
            p.drawPath(arrow);
            break;
        }
        default:
            p.setPen(QPen(QColor(0x9A, 0x9A, 0x9A), pen));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(box);
            break;
    }
    return pixmap;
}

}  // namespace

int StateIconSize(int rowHeight) {
    if (rowHeight > 40) return 48;
    if (rowHeight > 20) return 32;
    return 16;
}

QIcon StateIcon(int state, int size) { return QIcon(Draw(state, size)); }

}  // namespace velor
