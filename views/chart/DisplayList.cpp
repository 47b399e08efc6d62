#include "views/chart/DisplayList.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace velor {
namespace {

QPen PenFor(PenRole role, const ChartStyle& style) {
    switch (role) {
        case PenRole::Text: return QPen(style.text, style.textPenWidth);
        case PenRole::Grid: return QPen(style.grid, 0);
        case PenRole::Data: return QPen(style.data, 0);
        case PenRole::GridDotted: return QPen(style.grid, 0, Qt::DotLine);
        case PenRole::DataDashed: return QPen(style.data, 0, Qt::DashLine);
    }
    return QPen();
}

struct Painter {
    QPainter& p;
    const ChartStyle& style;

    void operator()(const DrawLine& line) const {
        p.setPen(PenFor(line.pen, style));
        p.drawLine(line.from, line.to);
    }
    void operator()(const DrawPolyline& poly) const {
        p.setPen(PenFor(poly.pen, style));
        if (poly.points.size() == 1) {
            p.drawPoint(poly.points.front());
        } else {
            p.drawPolyline(poly.points.data(), static_cast<int>(poly.points.size()));
        }
    }
    void operator()(const DrawArc& arc) const {
        p.setPen(PenFor(arc.pen, style));
        const QRect box(arc.centre.x() - arc.radius, arc.centre.y() - arc.radius, 2 * arc.radius, 2 * arc.radius);
        p.drawArc(box, 0, 180 * 16);
    }
    void operator()(const DrawText& text) const {
        const QFont* font = text.font == FontRole::Title ? style.titleFont : style.axisFont;
        if (font) p.setFont(*font);
        const QFontMetrics metrics(p.font());
        const int width = metrics.horizontalAdvance(text.text);
        int left = text.anchor.x();
        if (text.h == HAlign::Center) left -= width / 2;
        if (text.h == HAlign::Right) left -= width;
        const int top = text.v == VAlign::Top ? text.anchor.y() : text.anchor.y() - metrics.height();
        const QRect box(left, top, width, metrics.height());
        p.fillRect(box, style.background);
        p.setPen(style.text);
        p.drawText(box, Qt::AlignLeft | Qt::AlignTop, text.text);
    }
};

}  // namespace

void PaintDisplayList(QPainter& painter, const DisplayList& list, const ChartStyle& style) {
    painter.fillRect(QRect(QPoint(0, 0), list.size), style.background);
    const Painter draw{painter, style};
    for (const DisplayItem& item : list.items) std::visit(draw, item);
}

}  // namespace velor
