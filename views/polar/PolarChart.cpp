#include "views/polar/PolarChart.h"

#include "views/chart/Curve.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velor {
namespace {

constexpr double kPi = std::numbers::pi;

// Direction of an angle of the zoom window, from straight up, positive to the right: the
// window's ends lie on the base line whatever its width.
double Direction(double t, const ChartSettings& s) { return (t - s.zoomOffset) * kPi / s.zoomRange; }

QPoint OnCircle(const HalfDisc& disc, double radius, double phi) {
    return {Pixel(disc.centre.x() + radius * std::sin(phi)), Pixel(disc.centre.y() - radius * std::cos(phi))};
}

void DrawSpokes(DisplayList& list, const ChartSettings& s, const HalfDisc& disc) {
    const int grid = s.zoomGrid > 0 ? s.zoomGrid : 10;
    const float zmin = s.ZoomMinimum();
    const float zmax = s.ZoomMaximum();
    const int first = static_cast<int>(std::trunc(zmin / grid)) * grid;
    const int last = static_cast<int>(std::trunc(zmax / grid)) * grid;
    for (int t = first; t <= last; t += grid) {
        if (t < zmin || t > zmax) continue;
        const double phi = Direction(t, s);
        const QPoint rim = OnCircle(disc, disc.radius, phi);
        list.Line(disc.centre, rim, PenRole::Grid);
        // Labels on the left of the disc stand to the left of their point, and so on.
        const HAlign h = phi < 0.001 ? HAlign::Right : phi > 0.001 ? HAlign::Left : HAlign::Center;
        list.Text(rim, QString::number(t) + QChar(0x00B0), h, VAlign::Bottom, FontRole::Axis, LabelGroup::Angle);
    }
}

void DrawLevels(DisplayList& list, const AmplitudeScale& scale, const HalfDisc& disc) {
    const int rho = disc.radius;
    const auto level = [&](int r, const QString& label) {
        list.Arc(disc.centre, r, PenRole::Grid);
        if (label.isEmpty()) return;
        list.Text({disc.centre.x() + r, disc.centre.y() + 1}, label, HAlign::Center, VAlign::Top, FontRole::Axis,
                  LabelGroup::Amplitude);
        list.Text({disc.centre.x() - r, disc.centre.y() + 1}, label, HAlign::Center, VAlign::Top, FontRole::Axis,
                  LabelGroup::Amplitude);
    };
    if (scale.units == 0) {
        for (int k = 10; k >= 2; k -= 2) level(k * rho / 10, RelativeLabel(k / 10.0));
    } else if (scale.units == 1 && !scale.logarithmic) {
        for (int i = 0; i <= 7; ++i) {
            const int r = i == 7 ? rho : static_cast<int>(i * 10000LL * rho / 65535LL);
            level(r, i >= 1 && i <= 6 ? QString::asprintf("%3d", 10 * i) : QString());
        }
    } else if (scale.logarithmic) {
        const int first = scale.units == 2 ? scale.bottomDecade : 0;
        const int last = scale.units == 2 ? scale.topDecade : static_cast<int>(scale.span);
        for (int e = first; e <= last; ++e) {
            level(static_cast<int>(std::trunc((e - first) / scale.span * rho)), DecadeLabel(e));
        }
    } else {
        for (int j = 5; j >= 0; --j) {
            level(j * rho / 5, j >= 1 ? RelativeLabel(j * scale.roundedTop / 5.0) : QString());
        }
    }
}

}  // namespace

HalfDisc HalfDiscOf(const ChartGeometry& g) {
    const int diameter = std::min(g.right - g.left, 2 * (g.bottom - g.top));
    const int radius = diameter / 2;
    return {diameter, radius, QPoint(g.left + radius, g.top + radius)};
}

DisplayList RenderPolarChart(const ChartData& data, const ChartSettings& settings, const ChartGeometry& g,
                             int axis, AmplitudeScale* scaleOut) {
    DisplayList list;
    list.size = g.chartSize;
    const HalfDisc disc = HalfDiscOf(g);

    list.Line(disc.centre, {g.left + disc.diameter, disc.centre.y()}, PenRole::Text);
    list.Text({disc.centre.x(), disc.centre.y() + 1}, QStringLiteral("0"), HAlign::Center, VAlign::Top, FontRole::Axis,
              LabelGroup::Amplitude);
    DrawSpokes(list, settings, disc);

    const AmplitudeScale scale = ComputeScale(data, settings, axis);
    if (scaleOut) *scaleOut = scale;
    if (scale.usable) DrawLevels(list, scale, disc);

    const AxisData& a = data.axes[axis];
    if (a.count == 0 || !a.samples || !a.angles) return list;
    const float zmin = settings.ZoomMinimum();
    const float zmax = settings.ZoomMaximum();

    if (!data.crossSections) {
        const float v = data.fieldOfView;
        if (zmax > v) list.Line(disc.centre, OnCircle(disc, disc.radius, Direction(v, settings)), PenRole::Data);
        if (zmin < -v) list.Line(disc.centre, OnCircle(disc, disc.radius, Direction(-v, settings)), PenRole::Data);
    }

    TraceCurve(list, scale, data, settings, axis, [&](double t, double height) -> std::optional<QPoint> {
        const double phi = Direction(t, settings);
        const double s = std::sin(phi), c = std::cos(phi);
        int x = Pixel(disc.centre.x() + disc.radius * s * height / scale.span);
        int y = Pixel(disc.centre.y() - disc.radius * c * height / scale.span);
        // Beyond full scale: onto the rim in its own direction.
        if (y < disc.centre.y() - disc.radius * c) {
            y = Pixel(disc.centre.y() - disc.radius * c);
            x = Pixel(disc.centre.x() + disc.radius * s);
        }
        if (x < g.left || x > g.left + 2 * disc.radius || y < g.top || y > disc.centre.y()) return std::nullopt;
        return QPoint(x, y);
    });

    list.Text({0, 0}, ChartTitle(scale, settings, data.powerUnit), HAlign::Left, VAlign::Top, FontRole::Title,
              LabelGroup::Title);
    list.Text({disc.diameter + 2 * g.horizontalMargin, 0}, PhiLabel(data, axis), HAlign::Right, VAlign::Top,
              FontRole::Title, LabelGroup::Phi);
    return list;
}

}  // namespace velor
