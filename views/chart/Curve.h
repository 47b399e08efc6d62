#pragma once
// The curve of a profile chart: polylines through the samples inside the zoom window, the pen
// lifted at samples the scale cannot show (below 1 count on a log scale).

#include <QPoint>
#include <optional>

#include "views/chart/AmplitudeScale.h"
#include "views/chart/ChartModel.h"
#include "views/chart/DisplayList.h"

namespace velor {

// Pixel coordinates are truncated toward zero, as the charts' integer drawing always did.
inline int Pixel(double value) { return static_cast<int>(value); }

// Where a sample at `degrees` of `height` (in scale units, 0…scale.span) lies in the chart, or
// nothing when it falls outside it (skipped without lifting the pen).
template <typename Place>
void TraceCurve(DisplayList& list, const AmplitudeScale& scale, const ChartData& data,
                const ChartSettings& settings, int axis, Place place) {
    if (!scale.usable) return;
    const AxisData& a = data.axes[axis];
    const float zmin = settings.ZoomMinimum();
    const float zmax = settings.ZoomMaximum();
    constexpr double kDegreesPerRadian = 57.295779513082320876798154814105;
    DrawPolyline stretch{{}, PenRole::Data};
    const auto lift = [&] {
        if (!stretch.points.empty()) list.items.emplace_back(std::move(stretch));
        stretch = DrawPolyline{{}, PenRole::Data};
    };
    for (int i = 0; i < a.count; ++i) {
        double height = 0.0;
        if (!SampleHeight(scale, data, settings, a.samples[i], &height)) {
            lift();
            continue;
        }
        const double t = a.angles[i] * kDegreesPerRadian;
        if (t < zmin || t > zmax) continue;
        if (const std::optional<QPoint> p = place(t, height)) stretch.points.push_back(*p);
    }
    lift();
}

}  // namespace velor
