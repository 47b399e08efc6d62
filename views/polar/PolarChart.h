#pragma once
// The polar profile chart: the zoom window spread over a half disc, radius the amplitude.

#include "views/chart/AmplitudeScale.h"
#include "views/chart/ChartModel.h"
#include "views/chart/DisplayList.h"

namespace velor {

struct HalfDisc {
    int diameter;
    int radius;
    QPoint centre;
};

HalfDisc HalfDiscOf(const ChartGeometry& geometry);

DisplayList RenderPolarChart(const ChartData& data, const ChartSettings& settings,
                             const ChartGeometry& geometry, int axis, AmplitudeScale* scale = nullptr);

}  // namespace velor
