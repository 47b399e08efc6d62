#include "views/chart/RectChart.h"

#include "views/chart/Curve.h"

#include <cmath>
#include <numbers>

namespace velor {
namespace {

void DrawAngleGrid(DisplayList& list, const ChartSettings& s, const ChartGeometry& g) {
    const int grid = s.zoomGrid > 0 ? s.zoomGrid : 10;
    const float zmin = s.ZoomMinimum();
    const float zmax = s.ZoomMaximum();
    const int first = static_cast<int>(std::trunc(zmin / grid)) * grid;
    const int last = static_cast<int>(std::trunc(zmax / grid)) * grid;
    for (int t = first; t <= last; t += grid) {
        const int x = Pixel((t - zmin) * static_cast<float>(g.right - g.left) / s.zoomRange + g.left);
        list.Line({x, g.top}, {x, g.bottom}, PenRole::Grid);
        list.Text({x, g.bottom}, QString::number(t) + QChar(0x00B0), HAlign::Center, VAlign::Top, FontRole::Axis,
                  LabelGroup::Angle);
    }
}

void DrawScale(DisplayList& list, const AmplitudeScale& scale, const ChartGeometry& g) {
    const int h = g.bottom - g.top;
    const auto line = [&](int y, const QString& label) {
        list.Line({g.left, y}, {g.right, y}, PenRole::Grid);
        if (!label.isEmpty()) {
            list.Text({g.left, y}, label, HAlign::Right, VAlign::Top, FontRole::Axis, LabelGroup::Amplitude);
        }
    };
    if (scale.units == 0) {
        for (int k = 0; k <= 10; k += 2) {
            line(g.top + ((10 - k) * h) / 10, k >= 2 ? RelativeLabel(k / 10.0) : QString());
        }
    } else if (scale.units == 1 && !scale.logarithmic) {
        for (int i = 0; i <= 7; ++i) {
            const int y = i == 7 ? g.top : g.top + static_cast<int>((65535LL - 10000LL * i) * h / 65535LL);
            line(y, i >= 1 && i <= 6 ? QString::asprintf("%3d", 10 * i) : QString());
        }
    } else if (scale.logarithmic) {
        const int first = scale.units == 2 ? scale.bottomDecade : 0;
        const int last = scale.units == 2 ? scale.topDecade : static_cast<int>(scale.span);
        for (int e = first; e <= last; ++e) {
            const int y = Pixel((1.0 - (e - first) / scale.span) * h + g.top);
            line(y, y == g.bottom ? QString() : DecadeLabel(e));
        }
    } else {
        for (int j = 0; j <= 5; ++j) {
            line(g.top + ((5 - j) * h) / 5, j >= 1 ? RelativeLabel(j * scale.roundedTop / 5.0) : QString());
        }
    }
}

}  // namespace

DisplayList RenderRectChart(const ChartData& data, const ChartSettings& settings,
                            const ChartGeometry& g, int axis, AmplitudeScale* scaleOut) {
    DisplayList list;
    list.size = g.chartSize;
    list.Line({g.left, g.top}, {g.left, g.bottom}, PenRole::Grid);
    list.Line({g.right, g.top}, {g.right, g.bottom}, PenRole::Grid);
    DrawAngleGrid(list, settings, g);

    const AmplitudeScale scale = ComputeScale(data, settings, axis);
    if (scaleOut) *scaleOut = scale;
    if (scale.usable) DrawScale(list, scale, g);

    const AxisData& a = data.axes[axis];
    if (a.count == 0 || !a.samples || !a.angles) return list;

    const float zmin = settings.ZoomMinimum();
    const float zmax = settings.ZoomMaximum();
    const auto xOf = [&](double t) {
        return Pixel((t - zmin) * static_cast<double>(g.right - g.left) / settings.zoomRange + g.left);
    };
    if (!data.crossSections) {
        const float v = data.fieldOfView;
        if (zmax > v) list.Line({xOf(v), g.top}, {xOf(v), g.bottom}, PenRole::Data);
        if (zmin < -v) list.Line({xOf(-v), g.top}, {xOf(-v), g.bottom}, PenRole::Data);
    }

    const int h = g.bottom - g.top;
    TraceCurve(list, scale, data, settings, axis, [&](double t, double height) -> std::optional<QPoint> {
        const int x = xOf(t);
        int y = Pixel(g.bottom - h * height / scale.span);
        if (y < g.top) y = g.top;  // above full scale: on the top edge
        if (x < g.left || x > g.right) return std::nullopt;
        return QPoint(x, y);
    });

    list.Text({0, 0}, ChartTitle(scale, settings, data.powerUnit), HAlign::Left, VAlign::Top, FontRole::Title,
              LabelGroup::Title);
    list.Text({g.clientWidth - g.horizontalMargin, 0}, PhiLabel(data, axis), HAlign::Right, VAlign::Top,
              FontRole::Title, LabelGroup::Phi);
    return list;
}

}  // namespace velor
