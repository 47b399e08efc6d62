#include "views/timestats/TimeStatModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velor {

void SeriesStats::Add(double value) {
    if (n == 0) {
        sum = min = max = value;
        sumSq = value * value;
    } else {
        sum += value;
        sumSq += value * value;
        min = std::min(min, value);
        max = std::max(max, value);
    }
    ++n;
}

double SeriesStats::Mean() const { return n < 2 ? sum : sum / n; }

double SeriesStats::Sigma() const {
    if (n < 2) return 0.0;
    const double variance = (sumSq - sum * sum / n) / (n - 1);
    return variance > 0.0 ? std::sqrt(variance) : 0.0;
}

std::vector<DataSet> DataSetsFor(int seriesCount, uint32_t lines) {
    std::vector<DataSet> sets;
    for (int s = 0; s < seriesCount; ++s) sets.push_back({s, StatLine::None});
    for (int s = 0; s < seriesCount; ++s) {
        if (lines & 1u) sets.push_back({s, StatLine::Mean});
        if (lines & 2u) sets.push_back({s, StatLine::Min});
        if (lines & 4u) sets.push_back({s, StatLine::Max});
        if (lines & 8u) {
            for (StatLine line : {StatLine::PlusSigma, StatLine::Plus2Sigma, StatLine::MinusSigma,
                                  StatLine::Minus2Sigma}) {
                sets.push_back({s, line});
            }
        }
    }
    return sets;
}

void TimeStatModel::Recreate(int capacity, int seriesCount) {
    m_capacity = std::max(0, capacity);
    m_seriesCount = std::clamp(seriesCount, 1, kMaxSeries);
    for (auto& values : m_values) {
        values.assign(static_cast<size_t>(m_capacity), std::numeric_limits<double>::quiet_NaN());
    }
    Clear();
}

void TimeStatModel::Clear() {
    m_count = 0;
    for (auto& values : m_values) std::fill(values.begin(), values.end(), std::numeric_limits<double>::quiet_NaN());
    for (auto& stats : m_stats) stats = SeriesStats{};
}

bool TimeStatModel::AddPoint(const std::vector<std::optional<double>>& values) {
    if (m_count >= m_capacity) return false;
    bool taken = false;
    for (int s = 0; s < m_seriesCount && s < static_cast<int>(values.size()); ++s) {
        if (!values[s] || !std::isfinite(*values[s])) continue;
        m_values[s][m_count] = *values[s];
        m_stats[s].Add(*values[s]);
        taken = true;
    }
    if (taken) ++m_count;
    return taken;
}

void TimeStatModel::LoadSeries(int series, const std::vector<float>& values) {
    const int n = std::min(static_cast<int>(values.size()), m_capacity);
    m_stats[series] = SeriesStats{};
    for (int i = 0; i < n; ++i) {
        const double value = values[i];
        m_values[series][i] = value;
        if (!std::isnan(value)) m_stats[series].Add(value);
    }
    m_count = std::max(m_count, n);
}

double TimeStatModel::LineValue(int series, StatLine line) const {
    const SeriesStats& s = m_stats[series];
    switch (line) {
        case StatLine::Mean: return s.Mean();
        case StatLine::Min: return s.min;
        case StatLine::Max: return s.max;
        case StatLine::PlusSigma: return s.Mean() + s.Sigma();
        case StatLine::Plus2Sigma: return s.Mean() + 2.0 * s.Sigma();
        case StatLine::MinusSigma: return s.Mean() - s.Sigma();
        case StatLine::Minus2Sigma: return s.Mean() - 2.0 * s.Sigma();
        case StatLine::None: break;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace velor
