#pragma once
// The beam statistics table without its window: the rows the settings select, each row's
// statistics over the samples taken (continuous, rolling or finite), its limits and their
// state, and the text of every cell. The view shows it; the log writes the same texts.

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "views/beamstats/BeamDataData.h"
#include "views/beamstats/BeamRows.h"
#include "views/beamstats/RollingWindow.h"

namespace velor {

class BeamLog;

// Limit states, which the row's icon shows.
enum BeamLimitState : int { kNoLimits = 0, kWithinLimits, kBelowMinimum, kAboveMaximum };

struct BeamCells {
    std::array<QString, kColumnCount> text;  // by column kind; hidden columns stay empty
    int state = kNoLimits;
};

class BeamStatistics {
public:
    // The statistics live in the view's record (N) and arrays, which the data file carries;
    // metricKinds, when given, selects the metric rows (BeamMetricKinds.h).
    BeamStatistics(CBeamDataData& settings, BeamRowArrays& arrays, const uint32_t* metricKinds = nullptr);
    ~BeamStatistics();

    const std::vector<BeamRow>& Rows() const { return m_rows; }
    const std::vector<BeamCells>& Cells() const { return m_cells; }
    // The shown columns' kinds, in order, the parameter column first.
    std::vector<int> ShownColumns() const;
    static QString Heading(int column);

    // The rows afresh from the settings; limits follow their parameter by key (each old row
    // given to the first new row of its key), all others are cleared.
    void RebuildRows(const BeamRowContext& context);
    // The rows from the settings with the limits as they stand, row by row (after loading).
    void BuildRows(const BeamRowContext& context);
    // The additional block of the metric rows as they stand (their kinds, keys, statistics and
    // limits), and the way back after loading: each metric row takes the entry of its key (each
    // entry used once, in order), every other row counts N samples.
    CBeamMetricData MetricData(uint32_t kinds) const;
    void PlaceMetricData(const CBeamMetricData& metrics);
    // One window per row of the rolling size; none when the size is 0.
    void RecreateWindows();
    // N := 0, the statistics cleared, the windows emptied.
    void Reset();

    // A row's value, NaN when it has none: the row then shows "no fit" and its statistics
    // leave that sample out.
    using ValueSource = std::function<double(const BeamRow&)>;
    // One sample: N counted, every row updated and, when a log is given, written to it.
    void TakeSample(const ValueSource& value, BeamLog* log);
    // The cells shown anew without a sample: the statistics stay as they are.
    void Recompute(const ValueSource& value);

    // Row by row: its name, then "heading:cell" for each shown column after the first.
    QString CopyText() const;

private:
    void Update(const ValueSource& value, bool sample, BeamLog* log);
    void UpdateRow(int i, const ValueSource& value, bool sample, BeamLog* log);
    int LimitState(int i, double value) const;
    bool Sampled(int i) const;

    CBeamDataData& m_settings;
    BeamRowArrays& m_arrays;
    const uint32_t* m_metricKinds;
    std::vector<BeamRow> m_rows;
    std::vector<BeamCells> m_cells;
    std::array<std::unique_ptr<RollingWindow>, kBeamTableRows> m_windows;
};

}  // namespace velor
