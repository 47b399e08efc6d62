#include "views/timestats/TimeStatScaling.h"

#include <algorithm>
#include <cmath>

#include "views/timestats/TimeStatUnits.h"
#include "views/timestats/TimeStatVariables.h"

namespace velor {
namespace {

// An X maximum beyond what a 16-bit axis could hold is cut back to the largest capacity.
constexpr double kXMaxLimit = 32767.0;
constexpr double kXMaxCut = 30000.0;

}  // namespace

bool IsYScaleDue(int count) { return count > 1 && (count <= 9 ? count % 2 == 0 : count % 10 == 0); }

bool AutoScaleY(CTimeStatData& r, const TimeStatModel& m) {
    if (!r.m_bAutoY || !IsYScaleDue(m.Count())) return false;
    bool any = false;
    double lo = 0.0, hi = 0.0;
    const auto include = [&](double low, double high) {
        lo = any ? std::min(lo, low) : low;
        hi = any ? std::max(hi, high) : high;
        any = true;
    };
    for (int s = 0; s < m.SeriesCount(); ++s) {
        if (m.Stats(s).n > 0) include(m.Stats(s).min, m.Stats(s).max);
    }
    if (!any) return false;
    if (r.m_nStatLines & (kMeanLine | kMinLine)) {
        for (int s = 0; s < m.SeriesCount(); ++s) {
            const SeriesStats& st = m.Stats(s);
            if (st.n == 0) continue;
            include(st.Mean() - 2.0 * st.Sigma(), st.Mean() + 2.0 * st.Sigma());
        }
    }
    const double yMin = r.m_fYMin, yMax = r.m_fYMax;
    if (!(lo < yMin || hi > yMax || hi - lo < (yMax - yMin) * 0.5)) return false;
    const double step = VariableOf(RecordVariable(r)).yStep;
    const double margin = (hi - lo) * 0.2;
    // A decimal over a decimal step lands a hair off a whole number of steps (0.6 / 0.1 is
    // 5.999…): without the tolerance the axis would gain a step it does not need.
    constexpr double kTolerance = 1e-9;
    double newMin = std::floor((lo - margin) / step + kTolerance) * step;
    double newMax = std::ceil((hi + margin) / step - kTolerance) * step;
    // Values that are all the same, on a whole step, would leave an axis of no height.
    if (!(newMax > newMin)) {
        newMin -= step;
        newMax += step;
    }
    r.m_fYMin = static_cast<float>(newMin);
    r.m_fYMax = static_cast<float>(newMax);
    return true;
}

bool AutoScaleX(CTimeStatData& r, int count) {
    if (!r.m_bAutoX) return false;
    if (!(std::ceil(RateOf(r).Points(r.m_fXMax, r.m_nXUnit)) < count)) return false;
    double xMax = r.m_fXMax;
    xMax += std::max(0.5 * xMax, 1.0);
    if (xMax > kXMaxLimit) xMax = kXMaxCut;
    r.m_fXMax = static_cast<float>(xMax);
    return true;
}

void NormaliseXAxis(CTimeStatData& r) {
    double xMin, xMax;
    if (r.m_nXUnit == kUnitPoints) {
        xMin = std::max(1.0, std::floor(r.m_fXMin + 0.5));
        xMax = std::trunc(std::ceil(r.m_fXMax - 0.5));
        if (!(xMax > xMin)) xMax = xMin + 1.0;
    } else {
        const Rate rate = RateOf(r);
        xMin = rate.Value(std::floor(rate.Points(r.m_fXMin, r.m_nXUnit) + 0.5), r.m_nXUnit);
        xMax = rate.Value(std::trunc(std::ceil(rate.Points(r.m_fXMax, r.m_nXUnit) - 0.5)), r.m_nXUnit);
        // An axis shorter than one point would have no width.
        if (!(xMax > xMin)) xMax = xMin + rate.Value(1.0, r.m_nXUnit);
    }
    r.m_fXMin = static_cast<float>(xMin);
    r.m_fXMax = static_cast<float>(xMax);
}

void ResetXAxis(CTimeStatData& r) {
    if (!r.m_bAutoX) return;
    r.m_fXMin = 0.0f;
    r.m_fXMax = static_cast<float>(RateOf(r).Value(10.0, r.m_nXUnit));
}

}  // namespace velor
