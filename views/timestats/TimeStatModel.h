#pragma once
// The points of a time statistics run and their running statistics: up to two series of
// `capacity` values with a shared X scale, the data sets the chart draws (each series, then
// its statistics lines), and the sums every statistic is taken from. A value that a scan could
// not give is a hole (NaN): it takes no part in the statistics and breaks the line.

#include <cstdint>
#include <optional>
#include <vector>

#include "views/timestats/TimeStatUnits.h"

namespace velor {

// Running sums of one series, over the values it took.
struct SeriesStats {
    int n = 0;
    double sum = 0.0;
    double min = 0.0;
    double max = 0.0;
    double sumSq = 0.0;

    void Add(double value);
    // The mean; with fewer than two values the sum itself.
    double Mean() const;
    // The sample standard deviation; 0 with fewer than two values or no positive variance.
    double Sigma() const;
};

enum class StatLine : uint8_t { None, Mean, Min, Max, PlusSigma, Plus2Sigma, MinusSigma, Minus2Sigma };

// One data set of the chart: a series' values, or one of its statistics lines.
struct DataSet {
    int series = 0;
    StatLine line = StatLine::None;
};

// The data sets of `seriesCount` series with the statistics lines `lines` on: the series
// first, then each series' lines in the order mean, minimum, maximum, mean + σ, mean + 2σ,
// mean − σ, mean − 2σ.
std::vector<DataSet> DataSetsFor(int seriesCount, uint32_t lines);

class TimeStatModel {
public:
    static constexpr int kMaxSeries = 2;

    // Room for `capacity` points of `seriesCount` series (1 or 2); every point is dropped.
    void Recreate(int capacity, int seriesCount);
    // Drops every point and zeroes the statistics; the capacity stays.
    void Clear();

    int Capacity() const { return m_capacity; }
    int Count() const { return m_count; }
    int SeriesCount() const { return m_seriesCount; }

    // Adds point number Count(): one value (or none) per series. Counted, and true, when at
    // least one series took a value and there was room.
    bool AddPoint(const std::vector<std::optional<double>>& values);
    // Takes loaded values of one series as its first `values.size()` points (NaN: no value)
    // and recomputes its statistics; the count becomes the longest series loaded.
    void LoadSeries(int series, const std::vector<float>& values);

    // Value of point i of a series; NaN for a hole.
    double Value(int series, int i) const { return m_values[series][i]; }
    const SeriesStats& Stats(int series) const { return m_stats[series]; }
    // The value a statistics line of a series stands at.
    double LineValue(int series, StatLine line) const;

    const XScale& X() const { return m_x; }
    void SetX(const XScale& x) { m_x = x; }

private:
    int m_capacity = 0;
    int m_count = 0;
    int m_seriesCount = 1;
    std::vector<double> m_values[kMaxSeries];
    SeriesStats m_stats[kMaxSeries];
    XScale m_x;
};

}  // namespace velor
