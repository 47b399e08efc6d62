#pragma once
// Keeping a chart readable at any size: labels of a row (the angles along an axis, the
// amplitude levels) that would run into each other are thinned evenly — every second, third,
// … label stays, always 0 and, where they fit, the two ends — a row's label that would run
// into a text of no row (an axis name, a marked level, a result) gives way to it, and the
// title is cut short with an ellipsis before it reaches the label beside it or the chart's
// edge. Whatever then still overlaps another text or leaves the chart is left out, so that no
// text is ever drawn over another or cut by the edge. A chart on which nothing overlaps keeps
// its list exactly as drawn.

#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

#include "views/chart/DisplayList.h"

namespace velor {

struct TextMetrics {
    std::function<QSize(const QString& text, FontRole font)> size;
    // The text cut to at most `width` pixels, with an ellipsis where it was cut.
    std::function<QString(const QString& text, FontRole font, int width)> elide;
};

// The rectangle a text item covers.
QRect LabelRect(const DrawText& text, QSize size);

// The number of texts left out beyond the thinning of the rows: 0 when the chart holds
// everything it has to say.
int FitLabels(DisplayList& list, const TextMetrics& metrics);

}  // namespace velor
