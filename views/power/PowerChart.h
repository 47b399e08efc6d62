#pragma once
// The power chart: the power within a cone against the cone's half-angle, with the full
// scale, the reference power's level and a panel of results beside or below the chart.

#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

#include "views/chart/DisplayList.h"
#include "views/chart/LabelFit.h"
#include "views/power/PowerMath.h"
#include "views/power/PowerModel.h"

namespace velor {

struct CPowerData;

// How the chart and the results share the drawing area. The chart box runs from M to W − 4·M
// with the results in the 4·M to its right wherever that fits their texts and leaves the chart
// no narrower than they are; a narrower area keeps the results beside the chart in the room
// their texts need, then below it, and the smallest one shows the chart alone (its results on
// demand).
enum class PowerArrangement { Specified, SideBySide, Stacked, ChartAlone };

// One line of the result panel: a label and its value, or a heading (no value).
struct PanelRow {
    QString label;
    QString value;
    bool heading = false;
};

// The chart box and the panel within the drawing area (the client less the strips).
struct PowerLayout {
    QSize size;  // W × H
    int m = 0;   // 5 × the axis font's widest character
    int v = 0;   // the axis font's height × 15 / 10
    PowerArrangement arrangement = PowerArrangement::Specified;
    QRect box;            // the chart box, its edges at left(), top(), right(), bottom()
    QRect panel;          // where the results stand; empty without them
    int line = 0;         // the panel's line height
    int panelLeft = 0;    // the labels' left edge
    int panelCentre = 0;  // the headings' centre
    int panelRight = 0;   // the values' right edge

    int Left() const { return box.left(); }
    int Right() const { return box.right(); }
    int Top() const { return box.top(); }
    int Bottom() const { return box.bottom(); }
    int LineHeight() const { return line; }
    bool ShowsPanel() const { return !panel.isEmpty(); }

    // The layout as it has always been: the box from M to W − 4·M and V to H − V, the panel
    // in the 4·M to its right with lines of (H − V) / 12.
    static PowerLayout Specified(QSize size, int m, int v);
};

// The panel's lines for the settings and results; none without results.
std::vector<PanelRow> PowerPanelRows(const CPowerData& settings, const PowerSnapshot& snapshot,
                                     const std::optional<PowerResults>& results);
// The panel as plain text, one line a row (for the results on demand).
QString PowerPanelText(const std::vector<PanelRow>& rows);

// The layout of an arrangement for the panel's rows and the scale's widest label, measured in
// the chart's fonts; nothing where the chart box would come out smaller than a readable chart
// (the chart alone always has a box).
std::optional<PowerLayout> ArrangePower(PowerArrangement arrangement, QSize size, int m, int v,
                                        const std::vector<PanelRow>& rows, int scaleWidth,
                                        const TextMetrics& metrics);

// The display list of one redraw from the record (with its refreshed copies of the
// calibration) and the document's curve. `results`, when given, receives what the panel
// shows: nothing without a calibration.
DisplayList RenderPowerChart(const CPowerData& settings, const PowerSnapshot& snapshot, const PowerLayout& layout,
                             std::optional<PowerResults>* results = nullptr);

// The first arrangement whose chart and panel fit the area, fitted (FitLabels): the specified
// one wherever its texts all have room, the chart alone where nothing else does.
struct FittedPowerChart {
    PowerLayout layout;
    DisplayList list;
    std::optional<PowerResults> results;
    std::vector<PanelRow> rows;
};
FittedPowerChart FitPowerChart(const CPowerData& settings, const PowerSnapshot& snapshot,
                               QSize size, int m, int v, const TextMetrics& metrics);

}  // namespace velor
