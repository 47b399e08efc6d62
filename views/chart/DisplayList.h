#pragma once
// A chart as a list of drawing items computed from the document and the view's settings:
// lines, broken polylines, half-circle arcs and aligned texts in chart pixel coordinates.
// Computing it needs no window; painting it is one pass over the list.

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>
#include <variant>
#include <vector>

class QFont;
class QPainter;

namespace velor {

// GridDotted: a dotted line in the grid colour, marking a level rather than a division.
// DataDashed: a dashed line in the data colour, for a second curve on the same chart.
enum class PenRole { Text, Grid, Data, GridDotted, DataDashed };
enum class FontRole { Axis, Title };
enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Bottom };
// Labels of one group stand in a row along an axis; when they would run into each other the
// row is thinned (see LabelFit). A title gives way to the label beside it.
enum class LabelGroup { Other, Angle, Amplitude, Title, Phi };

struct DrawLine {
    QPoint from;
    QPoint to;
    PenRole pen;
};

// One unbroken stretch of a curve.
struct DrawPolyline {
    std::vector<QPoint> points;
    PenRole pen;
};

// The upper half of the circle of `radius` about `centre`, from its right end to its left.
struct DrawArc {
    QPoint centre;
    int radius;
    PenRole pen;
};

// Text placed by an anchor point and an alignment, on an opaque background.
struct DrawText {
    QPoint anchor;
    QString text;
    HAlign h;
    VAlign v;
    FontRole font;
    LabelGroup group = LabelGroup::Other;
};

using DisplayItem = std::variant<DrawLine, DrawPolyline, DrawArc, DrawText>;

struct DisplayList {
    QSize size;
    std::vector<DisplayItem> items;

    void Line(QPoint from, QPoint to, PenRole pen) { items.emplace_back(DrawLine{from, to, pen}); }
    void Text(QPoint at, QString text, HAlign h, VAlign v, FontRole font = FontRole::Axis,
              LabelGroup group = LabelGroup::Other) {
        items.emplace_back(DrawText{at, std::move(text), h, v, font, group});
    }
    void Arc(QPoint centre, int radius, PenRole pen) { items.emplace_back(DrawArc{centre, radius, pen}); }

    // The items of one kind, in drawing order (for tests and inspection).
    template <typename Item>
    std::vector<Item> All() const {
        std::vector<Item> out;
        for (const DisplayItem& item : items) {
            if (const auto* it = std::get_if<Item>(&item)) out.push_back(*it);
        }
        return out;
    }
};

// How a chart's roles look.
struct ChartStyle {
    QColor text;
    QColor grid;
    QColor data;
    QColor background;
    int textPenWidth = 1;
    QFont* axisFont = nullptr;
    QFont* titleFont = nullptr;
};

// Fills the chart with the background and draws every item.
void PaintDisplayList(QPainter& painter, const DisplayList& list, const ChartStyle& style);

}  // namespace velor
