#pragma once
// The rectangular profile chart: amplitude against angle in a plot box.

#include "views/chart/AmplitudeScale.h"
#include "views/chart/ChartModel.h"
#include "views/chart/DisplayList.h"

namespace velor {

// The display list of chart `axis`. `scale`, when given, receives the scale it was drawn on.
DisplayList RenderRectChart(const ChartData& data, const ChartSettings& settings,
                            const ChartGeometry& geometry, int axis, AmplitudeScale* scale = nullptr);

}  // namespace velor
