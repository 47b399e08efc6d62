#include "views/timestats/TimeStatUnits.h"

#include <cmath>

#include "views/timestats/TimeStatData.h"

namespace velor {
namespace {

// Seconds per unit; points count as 1.
double UnitFactor(uint16_t unit) {
    switch (unit) {
        case kUnitMinutes: return 60.0;
        case kUnitHours: return 3600.0;
        default: return 1.0;
    }
}

}  // namespace

QString RateUnitText(int unit) {
    switch (unit) {
        case kUnitMinutes: return QStringLiteral("Updates/Min");
        case kUnitHours: return QStringLiteral("Updates/Hour");
        default: return QStringLiteral("Updates/Sec");
    }
}

QString UnitText(int unit) {
    switch (unit) {
        case kUnitSeconds: return QStringLiteral("Seconds");
        case kUnitMinutes: return QStringLiteral("Minutes");
        case kUnitHours: return QStringLiteral("Hours");
        default: return QStringLiteral("Points");
    }
}

double Rate::Points(double x, uint16_t unit) const {
    if (unit == kUnitPoints) return x;
    return std::floor(rate * x * UnitFactor(unit) / UnitFactor(rateUnit) + 0.5);
}

double Rate::Value(double n, uint16_t unit) const {
    if (unit == kUnitPoints) return n;
    return UnitFactor(rateUnit) * n / (rate * UnitFactor(unit));
}

Rate RateOf(const CTimeStatData& r) { return {static_cast<double>(r.m_nRate), r.m_nRateUnit}; }

double DurationPoints(const CTimeStatData& r) { return RateOf(r).Points(r.m_nDuration, r.m_nDurationUnit); }

std::optional<int> CapacityFor(double points) {
    if (!(points <= kMaxCapacity)) return std::nullopt;
    return points < kMinCapacity ? kMinCapacity : static_cast<int>(points);
}

int CollectionPeriodMs(const CTimeStatData& r) {
    static const int kUnitMs[] = {1000, 60000, 3600000};
    const int unitMs = r.m_nRateUnit < kRateUnitCount ? kUnitMs[r.m_nRateUnit] : kUnitMs[0];
    return r.m_nRate > 0 ? unitMs / r.m_nRate : unitMs;
}

int MaxRateFor(int rateUnit, int maxPerSecond) {
    switch (rateUnit) {
        case kUnitMinutes: return 60 * maxPerSecond;
        case kUnitHours: return 3600 * maxPerSecond;
        default: return maxPerSecond;
    }
}

XScale XScaleOf(const CTimeStatData& r) {
    if (r.m_nXUnit == kUnitPoints || r.m_nRate == 0) return {1.0, 1.0};
    // The exact time per point at the nominal rate: rounding the points per X unit first
    // would stretch or squeeze the axis whenever the rate is not a whole number per unit, and
    // leave no step at all when a point takes longer than one X unit.
    return {0.0, RateOf(r).Value(1.0, r.m_nXUnit)};
}

}  // namespace velor
