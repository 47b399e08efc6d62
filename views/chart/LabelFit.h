#pragma once
// Keeping a chart readable at any size: labels of a row (the angles along an axis, the
// amplitude levels) that would run into each other are thinned evenly — every second, third,
// … label stays, always 0 and, where they fit, the two ends — and the title is cut short with
// an ellipsis before it reaches the label beside it. A chart on which nothing overlaps keeps
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

void FitLabels(DisplayList& list, const TextMetrics& metrics);

}  // namespace velor
