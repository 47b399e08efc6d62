#pragma once
// The axes of the time statistics chart follow the data: the Y axis is widened or narrowed to
// whole steps of the variable around the values (looked at on every second point up to nine,
// then on every tenth), the X axis grows by half as the points pass its end, and both are
// brought to whole points before they are shown.

#include "views/timestats/TimeStatData.h"
#include "views/timestats/TimeStatModel.h"

namespace velor {

// Whether the Y axis is looked at after `count` points.
bool IsYScaleDue(int count);

// With auto Y on and due: moves the record's Y range to the values (and their ±2σ band while
// the mean or the minimum line is on) when they leave it or fill less than half of it.
// True when the range changed.
bool AutoScaleY(CTimeStatData& record, const TimeStatModel& model);

// With auto X on: lengthens the X axis by half (at least one unit) when the points have passed
// its end. True when it changed.
bool AutoScaleX(CTimeStatData& record, int count);

// Brings the record's X range to whole points: from point 1 in the points unit, from the
// first point's time otherwise.
void NormaliseXAxis(CTimeStatData& record);

// The X range of a new run: ten points from the start.
void ResetXAxis(CTimeStatData& record);

}  // namespace velor
