#include "views/power/PowerChart.h"

#include <algorithm>
#include <cmath>

#include "common/FixedText.h"
#include "views/chart/Curve.h"
#include "views/power/PowerData.h"

namespace velor {
namespace {

QString Fixed3(double value) { return QString::asprintf("%.3f", value); }

void DrawFrameAndGrid(DisplayList& list, const PowerLayout& g, double largestAngle) {
    const int l = g.Left(), r = g.Right(), t = g.Top(), b = g.Bottom();
    list.Line({l, t}, {r, t}, PenRole::Grid);
    list.Line({r, t}, {r, b}, PenRole::Grid);
    list.Line({r, b}, {l, b}, PenRole::Grid);
    list.Line({l, b}, {l, t}, PenRole::Grid);
    const int last = largestAngle > 0.0 ? static_cast<int>(std::trunc(std::min(largestAngle, 180.0))) : 0;
    for (int angle = 0; angle < last; angle += 10) {
        const int x = Pixel(l + angle * static_cast<double>(r - l) / largestAngle);
        list.Line({x, t}, {x, b}, PenRole::Grid);
        list.Text({x, b}, QString::number(angle) + QChar(0x00B0), HAlign::Center, VAlign::Top,
                  FontRole::Axis, LabelGroup::Angle);
    }
    const int h = b - t;
    for (int q = 1; q <= 3; ++q) list.Line({l, t + q * h / 4}, {r, t + q * h / 4}, PenRole::Grid);
}

// The full scale with its labels and the reference power's dotted level.
void DrawScale(DisplayList& list, const PowerLayout& g, double fullScale, double highest, double refPower) {
    const int l = g.Left(), r = g.Right(), t = g.Top(), b = g.Bottom();
    const int h = b - t;
    const int y = Pixel(b - h * refPower / fullScale);
    list.Line({l, y}, {r, y}, PenRole::GridDotted);
    // The reference level is the one the user set: the scale's labels give way to it.
    list.Text({l, y}, Fixed3(refPower), HAlign::Right, VAlign::Top);
    if (fullScale != highest) {
        list.Text({l, t}, Fixed3(fullScale), HAlign::Right, VAlign::Top, FontRole::Axis,
                  LabelGroup::Amplitude);
    }
    for (int q = 1; q <= 3; ++q) {
        list.Text({l, t + q * h / 4}, Fixed3((4 - q) * fullScale / 4.0), HAlign::Right, VAlign::Top,
                  FontRole::Axis, LabelGroup::Amplitude);
    }
}

// The results beside (or below) the chart: one line per row, a line and a quarter per heading.
void DrawPanel(DisplayList& list, const PowerLayout& g, const std::vector<PanelRow>& rows) {
    double y = g.panel.top();
    const int line = g.LineHeight();
    for (const PanelRow& row : rows) {
        if (row.heading) {
            list.Text({g.panelCentre, Pixel(y + 0.25 * line)}, row.label, HAlign::Center,
                      VAlign::Top);
            y += 1.25 * line;
        } else {
            list.Text({g.panelLeft, Pixel(y)}, row.label, HAlign::Left, VAlign::Top);
            list.Text({g.panelRight, Pixel(y)}, row.value, HAlign::Right, VAlign::Top);
            y += line;
        }
    }
}

void DrawCurve(DisplayList& list, const PowerLayout& g, const PowerCurve& curve, const Calibration& calibration,
               double fullScale) {
    const int l = g.Left(), r = g.Right(), b = g.Bottom();
    const int h = b - g.Top();
    DrawPolyline line{{QPoint(l, b)}, PenRole::Data};
    const double largest = curve.AboutOpticalAxis() && curve.count > 0 ? -curve.grid[0] : 0.0;
    for (int k = 0; k < curve.count; ++k) {
        int x;
        if (curve.AboutOpticalAxis()) {
            x = Pixel(l + (r - l) * curve.HalfAngle(k) / largest);
        } else {
            x = l + k * (r - l) / std::max(1, curve.count - 1);
        }
        const double y = b - h * calibration.Power(curve.values[k]) / fullScale;
        if (!std::isfinite(y)) continue;  // a damaged value has no place on the chart
        line.points.emplace_back(x, Pixel(std::clamp(y, -1.0e6, 1.0e6)));
    }
    list.items.emplace_back(std::move(line));
}

struct Scale {
    double fullScale = 0.0;
    double highest = 0.0;
};

// The full scale and the top it is drawn for; nothing to draw without a calibration.
std::optional<Scale> ScaleOf(const CPowerData& s, const PowerCurve& curve) {
    const Calibration calibration{s.m_fRefPower, s.m_fCalCounts};
    if (!calibration.Valid()) return std::nullopt;
    Scale scale;
    scale.highest = calibration.Power(std::max(curve.Last(), static_cast<double>(s.m_fCalCounts)));
    scale.fullScale = FullScale(1.15 * scale.highest);
    if (scale.fullScale <= 0.0) return std::nullopt;
    return scale;
}

// The widest text of the scale: the room the chart needs left of its box.
int ScaleLabelWidth(const CPowerData& s, const PowerCurve& curve, const TextMetrics& metrics) {
    const auto width = [&](const QString& text) {
        return metrics.size(text, FontRole::Axis).width();
    };
    int widest = 0;
    if (const std::optional<Scale> scale = ScaleOf(s, curve)) {
        widest = std::max(width(Fixed3(s.m_fRefPower)), width(Fixed3(scale->fullScale)));
    }
    return widest;
}

// The panel's height in lines: a line a row, a line and a quarter a heading.
double PanelLines(const std::vector<PanelRow>& rows) {
    double lines = 0.0;
    for (const PanelRow& row : rows) lines += row.heading ? 1.25 : 1.0;
    return lines;
}

// A chart box smaller than this shows no curve worth reading: so many axis text heights.
constexpr int kSmallestBoxWidthInTexts = 8;
constexpr int kSmallestBoxHeightInTexts = 4;
// Between the values' right edge and the area's.
constexpr int kPanelRightMargin = 3;

}  // namespace

PowerLayout PowerLayout::Specified(QSize size, int m, int v) {
    PowerLayout g;
    g.size = size;
    g.m = m;
    g.v = v;
    g.arrangement = PowerArrangement::Specified;
    const int w = size.width(), h = size.height();
    g.box = QRect(QPoint(m, v), QPoint(w - 4 * m, h - v));
    g.panel = QRect(QPoint(w - 4 * m, v), QPoint(w - 1, h - 1));
    g.line = (h - v) / 12;
    g.panelLeft = g.Right() + m / 2;
    g.panelCentre = g.Right() + 3 * m / 2;
    g.panelRight = w - kPanelRightMargin;
    return g;
}

std::vector<PanelRow> PowerPanelRows(const CPowerData& s, const PowerSnapshot& snapshot,
                                     const std::optional<PowerResults>& results) {
    std::vector<PanelRow> rows;
    if (!results) return rows;
    const bool na = s.m_bShowNA != 0;
    const QChar degree(0x00B0);
    rows.push_back({QStringLiteral("Total Power (%1)").arg(QString::fromLatin1(s.m_szRefUnits)),
                    FixedText(results->total, 3) + QLatin1Char(' ')});
    rows.push_back({QStringLiteral("POWER WITHIN CONE"), {}, true});
    for (int i = 0; i < 3; ++i) {
        if (!s.ConeShown(i)) continue;
        const QString angle = na ? QString::asprintf("%.3fNA", DegreesToNA(s.m_fConeAngle[i]))
                                 : QString::asprintf("%.1f", s.m_fConeAngle[i]) + degree;
        rows.push_back({angle, FixedText(results->conePower[i], 3) + QLatin1Char(' ')});
    }
    if (s.m_nPercentFlags & 7u) {
        rows.push_back({QStringLiteral("CONE WITH % POWER"), {}, true});
        for (int i = 0; i < 3; ++i) {
            if (!s.PercentShown(i)) continue;
            const QString angle =
                na ? FixedText(DegreesToNA(results->percentAngle[i]), 3) + QStringLiteral("NA")
                   : FixedText(results->percentAngle[i], 3) + degree + QLatin1Char(' ');
            rows.push_back({QString::asprintf("%.2f %%", s.m_fPercent[i]), angle});
        }
    }
    rows.push_back({QStringLiteral("3D CENTROID"), {}, true});
    rows.push_back({QStringLiteral("Theta"),
                    FixedText(snapshot.centroidTheta, 2) + QLatin1Char(' ') + degree});
    rows.push_back(
        {QStringLiteral("Phi"), FixedText(snapshot.centroidPhi, 2) + QLatin1Char(' ') + degree});
    return rows;
}

QString PowerPanelText(const std::vector<PanelRow>& rows) {
    QStringList lines;
    for (const PanelRow& row : rows) {
        lines << (row.heading ? row.label : row.label + QStringLiteral("  ") + row.value.trimmed());
    }
    return lines.join(QLatin1Char('\n'));
}

std::optional<PowerLayout> ArrangePower(PowerArrangement arrangement, QSize size, int m, int v,
                                        const std::vector<PanelRow>& rows, int scaleWidth,
                                        const TextMetrics& metrics) {
    const auto width = [&](const QString& text) {
        return metrics.size(text, FontRole::Axis).width();
    };
    const int text = metrics.size(QStringLiteral("0"), FontRole::Axis).height();
    const int w = size.width(), h = size.height();
    const int smallestWidth = kSmallestBoxWidthInTexts * text;
    const int smallestHeight = kSmallestBoxHeightInTexts * text;
    const bool withPanel = !rows.empty() && arrangement != PowerArrangement::ChartAlone;
    if (!withPanel && arrangement != PowerArrangement::Specified &&
        arrangement != PowerArrangement::ChartAlone) {
        return std::nullopt;  // nothing to place beside or below the chart
    }

    if (arrangement == PowerArrangement::Specified) {
        // It fits where the chart is no narrower than the results beside it.
        PowerLayout g = PowerLayout::Specified(size, m, v);
        const int chartWidth =
            rows.empty() ? smallestWidth : std::max(smallestWidth, w - g.box.right());
        if (g.box.width() < chartWidth || g.box.height() < smallestHeight) return std::nullopt;
        if (!rows.empty() && g.line < text) return std::nullopt;
        return g;
    }

    // Room for the scale's labels left of the box, half an angle label on either side, and the
    // panel's widest line.
    int panelWidth = 0;
    for (const PanelRow& row : rows) {
        panelWidth = std::max(panelWidth, row.heading ? width(row.label)
                                                      : width(row.label) + text + width(row.value));
    }
    const int halfAngle = width(QStringLiteral("80\u00B0")) / 2 + 1;
    PowerLayout g;
    g.size = size;
    g.m = m;
    g.v = v;
    g.arrangement = arrangement;
    const int lines = static_cast<int>(std::ceil(PanelLines(rows)));
    int left = std::max(halfAngle, scaleWidth + kPanelRightMargin);
    int right = w - std::max(halfAngle, text);
    int top = v;
    int bottom = h - v;
    switch (arrangement) {
        case PowerArrangement::SideBySide: {
            right = w - kPanelRightMargin - panelWidth - text;
            // As the specified panel: lines of (H − V) / 12 where they fit, closer where not.
            g.line = std::min((h - v) / 12, (h - 1 - top - text) / std::max(1, lines - 1));
            if (g.line < text) return std::nullopt;
            g.panel = QRect(QPoint(right, top), QPoint(w - 1, h - 1));
            g.panelLeft = right + text;
            g.panelRight = w - kPanelRightMargin;
            g.panelCentre = (g.panelLeft + g.panelRight) / 2;
            break;
        }
        case PowerArrangement::Stacked: {
            g.line = text + 1;
            const int panelHeight = (lines - 1) * g.line + text + text / 2;
            bottom = h - panelHeight - v;
            g.panel = QRect(QPoint(0, h - panelHeight), QPoint(w - 1, h - 1));
            g.panelLeft = kPanelRightMargin;
            g.panelRight = w - kPanelRightMargin;
            g.panelCentre = w / 2;
            break;
        }
        case PowerArrangement::ChartAlone: {
            // The last resort keeps a box of positive size in any area.
            left = std::min(left, w / 3);
            right = std::max({right, 2 * w / 3, left + 1});
            top = std::min(top, h / 3);
            bottom = std::max({bottom, 2 * h / 3, top + 1});
            g.box = QRect(QPoint(left, top), QPoint(right, bottom));
            return g;
        }
        case PowerArrangement::Specified:
            break;
    }
    g.box = QRect(QPoint(left, top), QPoint(right, bottom));
    // Beside the results the chart keeps a third of the width at least: a narrower window
    // shows them below it.
    const int chartWidth = arrangement == PowerArrangement::SideBySide
                               ? std::max(smallestWidth, w / 3)
                               : smallestWidth;
    if (g.box.width() < chartWidth || g.box.height() < smallestHeight) return std::nullopt;
    return g;
}

DisplayList RenderPowerChart(const CPowerData& s, const PowerSnapshot& snapshot, const PowerLayout& g,
                             std::optional<PowerResults>* resultsOut) {
    DisplayList list;
    list.size = g.size;
    const PowerCurve& curve = snapshot.curve;
    DrawFrameAndGrid(list, g, curve.LargestHalfAngle());

    const std::optional<PowerResults> results = ComputePowerResults(curve, s);
    if (resultsOut) *resultsOut = results;
    if (results) {
        const Calibration calibration{s.m_fRefPower, s.m_fCalCounts};
        const std::optional<Scale> scale = ScaleOf(s, curve);
        if (scale) DrawScale(list, g, scale->fullScale, scale->highest, s.m_fRefPower);
        if (g.ShowsPanel()) DrawPanel(list, g, PowerPanelRows(s, snapshot, results));
        if (scale) DrawCurve(list, g, curve, calibration, scale->fullScale);
    }

    const QString unit = QString::fromLatin1(s.m_szRefUnits);
    const bool axis = s.AboutOpticalAxis();
    list.Text({0, 0},
              (axis ? QStringLiteral("Power in cones around optical axis (%1)")
                    : QStringLiteral("Power in cones around centroid (%1)"))
                  .arg(unit),
              HAlign::Left, VAlign::Top, FontRole::Title, LabelGroup::Title);
    list.Text({g.Right(), g.Bottom()}, axis ? QStringLiteral("Theta") : QStringLiteral("Theta '"), HAlign::Right,
              VAlign::Top);
    return list;
}

FittedPowerChart FitPowerChart(const CPowerData& s, const PowerSnapshot& snapshot, QSize size,
                               int m, int v, const TextMetrics& metrics) {
    FittedPowerChart fitted;
    fitted.results = ComputePowerResults(snapshot.curve, s);
    fitted.rows = PowerPanelRows(s, snapshot, fitted.results);
    const int scaleWidth = ScaleLabelWidth(s, snapshot.curve, metrics);
    for (const PowerArrangement arrangement :
         {PowerArrangement::Specified, PowerArrangement::SideBySide, PowerArrangement::Stacked,
          PowerArrangement::ChartAlone}) {
        const std::optional<PowerLayout> layout =
            ArrangePower(arrangement, size, m, v, fitted.rows, scaleWidth, metrics);
        if (!layout) continue;
        DisplayList list = RenderPowerChart(s, snapshot, *layout);
        // Every text of this arrangement has its room, or the next one is tried; the chart
        // alone takes whatever room there is.
        if (FitLabels(list, metrics) == 0 || arrangement == PowerArrangement::ChartAlone) {
            fitted.layout = *layout;
            fitted.list = std::move(list);
            return fitted;
        }
    }
    return fitted;
}

}  // namespace velor
