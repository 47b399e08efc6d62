#pragma once
// Rates, durations and the X axis: how many points a length of time holds at the view's rate
// and back, the capacity a run asks for, the period the document is asked to scan at, and the
// names the dialogs and the X axis show.

#include <QString>
#include <cstdint>
#include <optional>

namespace velor {

struct CTimeStatData;

// Duration and X units; rate units use the first three (per second, minute, hour). Manual
// collection stores its rate unit as kUnitPoints.
inline constexpr uint16_t kUnitSeconds = 0;
inline constexpr uint16_t kUnitMinutes = 1;
inline constexpr uint16_t kUnitHours = 2;
inline constexpr uint16_t kUnitPoints = 3;
inline constexpr int kRateUnitCount = 3;
inline constexpr int kUnitCount = 4;

// The most points a view holds, and the fewest a run is given.
inline constexpr int kMaxCapacity = 30000;
inline constexpr int kMinCapacity = 5;

// "Updates/Sec", "Updates/Min", "Updates/Hour".
QString RateUnitText(int unit);
// "Seconds", "Minutes", "Hours", "Points": the duration and X units, and the X axis title.
QString UnitText(int unit);

// A rate of `rate` updates per `rateUnit`.
struct Rate {
    double rate;
    uint16_t rateUnit;

    // Points that x in `unit` stands for: x itself in points, else the rounded count.
    double Points(double x, uint16_t unit) const;
    // The length in `unit` that n points take: n in points.
    double Value(double n, uint16_t unit) const;
};
Rate RateOf(const CTimeStatData& record);

// Points a run of the record's duration holds, before the view's limits apply.
double DurationPoints(const CTimeStatData& record);

// The capacity for a number of points: at least kMinCapacity; none above kMaxCapacity.
std::optional<int> CapacityFor(double points);

// The period in milliseconds at which automatic collection asks for scans.
int CollectionPeriodMs(const CTimeStatData& record);

// The largest rate the instrument allows in a rate unit, m being its updates per second.
int MaxRateFor(int rateUnit, int maxPerSecond);

// The X value of point i: i + 1 in points, else the time since the first point in the X unit.
struct XScale {
    double origin = 1.0;
    double step = 1.0;
    double At(int i) const { return origin + step * i; }
};
XScale XScaleOf(const CTimeStatData& record);

}  // namespace velor
