#pragma once
// The power chart: the power within a cone against the cone's half-angle, with the full
// scale, the reference power's level and a panel of results to the right of the chart.

#include <QSize>
#include <optional>

#include "views/chart/DisplayList.h"
#include "views/power/PowerMath.h"
#include "views/power/PowerModel.h"

namespace velor {

struct CPowerData;

// The chart box and the panel within the drawing area (the client less the strips).
struct PowerLayout {
    QSize size;  // W × H
    int m = 0;   // 5 × the axis font's widest character
    int v = 0;   // the axis font's height × 15 / 10

    int Left() const { return m; }
    int Right() const { return size.width() - 4 * m; }
    int Top() const { return v; }
    int Bottom() const { return size.height() - v; }
    int LineHeight() const { return (size.height() - v) / 12; }

    // The layout as it has always been: the box from M to W − 4·M and V to H − V, the panel
    // in the 4·M to its right with lines of (H − V) / 12.
    static PowerLayout Specified(QSize size, int m, int v) { return {size, m, v}; }
};

// The display list of one redraw from the record (with its refreshed copies of the
// calibration) and the document's curve. `results`, when given, receives what the panel
// shows: nothing without a calibration.
DisplayList RenderPowerChart(const CPowerData& settings, const PowerSnapshot& snapshot, const PowerLayout& layout,
                             std::optional<PowerResults>* results = nullptr);

}  // namespace velor
