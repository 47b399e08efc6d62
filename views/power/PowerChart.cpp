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
        list.Text({x, b}, QString::number(angle) + QChar(0x00B0), HAlign::Center, VAlign::Top);
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
    list.Text({l, y}, Fixed3(refPower), HAlign::Right, VAlign::Top);
    if (fullScale != highest) list.Text({l, t}, Fixed3(fullScale), HAlign::Right, VAlign::Top);
    for (int q = 1; q <= 3; ++q) {
        list.Text({l, t + q * h / 4}, Fixed3((4 - q) * fullScale / 4.0), HAlign::Right, VAlign::Top);
    }
}

// The results beside the chart: one line per row, a line and a quarter per heading.
class Panel {
public:
    Panel(DisplayList& list, const PowerLayout& g)
        : m_list(list),
          m_left(g.Right() + g.m / 2),
          m_centre(g.Right() + 3 * g.m / 2),
          m_right(g.size.width() - 3),
          m_line(g.LineHeight()),
          m_y(g.Top()) {}

    void Row(const QString& label, const QString& value) {
        m_list.Text({m_left, Pixel(m_y)}, label, HAlign::Left, VAlign::Top);
        m_list.Text({m_right, Pixel(m_y)}, value, HAlign::Right, VAlign::Top);
        m_y += m_line;
    }
    void Heading(const QString& text) {
        m_list.Text({m_centre, Pixel(m_y + 0.25 * m_line)}, text, HAlign::Center, VAlign::Top);
        m_y += 1.25 * m_line;
    }

private:
    DisplayList& m_list;
    int m_left;
    int m_centre;
    int m_right;
    int m_line;
    double m_y;
};

void DrawResults(DisplayList& list, const PowerLayout& g, const CPowerData& s, const PowerSnapshot& snapshot,
                 const PowerResults& results) {
    const bool na = s.m_bShowNA != 0;
    const QChar degree(0x00B0);
    Panel panel(list, g);
    panel.Row(QStringLiteral("Total Power (%1)").arg(QString::fromLatin1(s.m_szRefUnits)),
              FixedText(results.total, 3) + QLatin1Char(' '));
    panel.Heading(QStringLiteral("POWER WITHIN CONE"));
    for (int i = 0; i < 3; ++i) {
        if (!s.ConeShown(i)) continue;
        const QString angle = na ? QString::asprintf("%.3fNA", DegreesToNA(s.m_fConeAngle[i]))
                                 : QString::asprintf("%.1f", s.m_fConeAngle[i]) + degree;
        panel.Row(angle, FixedText(results.conePower[i], 3) + QLatin1Char(' '));
    }
    if (s.m_nPercentFlags & 7u) {
        panel.Heading(QStringLiteral("CONE WITH % POWER"));
        for (int i = 0; i < 3; ++i) {
            if (!s.PercentShown(i)) continue;
            const QString angle = na ? FixedText(DegreesToNA(results.percentAngle[i]), 3) + QStringLiteral("NA")
                                     : FixedText(results.percentAngle[i], 3) + degree + QLatin1Char(' ');
            panel.Row(QString::asprintf("%.2f %%", s.m_fPercent[i]), angle);
        }
    }
    panel.Heading(QStringLiteral("3D CENTROID"));
    panel.Row(QStringLiteral("Theta"), FixedText(snapshot.centroidTheta, 2) + QLatin1Char(' ') + degree);
    panel.Row(QStringLiteral("Phi"), FixedText(snapshot.centroidPhi, 2) + QLatin1Char(' ') + degree);
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

}  // namespace

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
        const double highest = calibration.Power(std::max(curve.Last(), static_cast<double>(s.m_fCalCounts)));
        const double fullScale = FullScale(1.15 * highest);
        if (fullScale > 0.0) DrawScale(list, g, fullScale, highest, s.m_fRefPower);
        DrawResults(list, g, s, snapshot, *results);
        if (fullScale > 0.0) DrawCurve(list, g, curve, calibration, fullScale);
    }

    const QString unit = QString::fromLatin1(s.m_szRefUnits);
    const bool axis = s.AboutOpticalAxis();
    list.Text({0, 0},
              (axis ? QStringLiteral("Power in cones around optical axis (%1)")
                    : QStringLiteral("Power in cones around centroid (%1)"))
                  .arg(unit),
              HAlign::Left, VAlign::Top, FontRole::Title);
    list.Text({g.Right(), g.Bottom()}, axis ? QStringLiteral("Theta") : QStringLiteral("Theta '"), HAlign::Right,
              VAlign::Top);
    return list;
}

}  // namespace velor
