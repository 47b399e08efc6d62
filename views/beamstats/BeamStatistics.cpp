#include "views/beamstats/BeamStatistics.h"

#include <algorithm>
#include <cmath>

#include "common/FixedText.h"
#include "views/beamstats/BeamLog.h"

namespace velor {
namespace {

// What a row shows for a sample without a value: only a fit can fail that way.
const QString kNoValue = QStringLiteral("no fit");

}  // namespace

BeamStatistics::BeamStatistics(CBeamDataData& settings, BeamRowArrays& arrays, const uint32_t* metricKinds)
    : m_settings(settings), m_arrays(arrays), m_metricKinds(metricKinds) {}

BeamStatistics::~BeamStatistics() = default;

std::vector<int> BeamStatistics::ShownColumns() const {
    std::vector<int> columns;
    for (int c = 0; c < kColumnCount; ++c) {
        if (m_settings.ColumnShown(c)) columns.push_back(c);
    }
    return columns;
}

QString BeamStatistics::Heading(int column) {
    switch (column) {
        case kColParameter: return QStringLiteral("Parameter         ");
        case kColValue: return QStringLiteral("Value");
        case kColMean: return QStringLiteral("Mean");
        case kColMin: return QStringLiteral("Min");
        case kColMax: return QStringLiteral("Max");
        case kColStdDev: return QStringLiteral("Std Dev");
        case kColMinLimit: return QStringLiteral("Min Limit");
        case kColMaxLimit: return QStringLiteral("Max Limit");
        default: return QString();
    }
}

void BeamStatistics::BuildRows(const BeamRowContext& context) {
    m_rows = BuildBeamRows(m_settings, context, m_metricKinds ? *m_metricKinds : 0u);
    m_cells.assign(m_rows.size(), BeamCells{});
    for (size_t i = 0; i < m_rows.size(); ++i) m_cells[i].text[kColParameter] = m_rows[i].name;
}

void BeamStatistics::RebuildRows(const BeamRowContext& context) {
    struct Aside {
        int key;
        uint32_t minSet, maxSet;
        double minLimit, maxLimit;
        bool used = false;
    };
    std::vector<Aside> aside;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        aside.push_back({m_rows[i].key, m_arrays.minLimitSet[i], m_arrays.maxLimitSet[i], m_arrays.minLimit[i],
                         m_arrays.maxLimit[i]});
    }
    BuildRows(context);
    m_arrays.minLimitSet.fill(0);
    m_arrays.maxLimitSet.fill(0);
    m_arrays.minLimit.fill(0.0);
    m_arrays.maxLimit.fill(0.0);
    for (size_t i = 0; i < m_rows.size(); ++i) {
        for (Aside& old : aside) {
            if (old.used || old.key != m_rows[i].key) continue;
            old.used = true;
            m_arrays.minLimitSet[i] = old.minSet;
            m_arrays.maxLimitSet[i] = old.maxSet;
            m_arrays.minLimit[i] = old.minLimit;
            m_arrays.maxLimit[i] = old.maxLimit;
            break;
        }
    }
}

CBeamMetricData BeamStatistics::MetricData(uint32_t kinds) const {
    CBeamMetricData m;
    m.m_nKinds = kinds;
    const BeamRowArrays& a = m_arrays;
    for (size_t i = 0; i < m_rows.size() && m.m_nRowCount < kBeamMetricRows; ++i) {
        if (m_rows[i].kind != BeamRowKind::Metric) continue;
        const uint32_t k = m.m_nRowCount++;
        m.m_nKey[k] = static_cast<uint32_t>(m_rows[i].key);
        m.m_fValue[k] = a.value[i];
        m.m_fSum[k] = a.sum[i];
        m.m_fMinimum[k] = a.minimum[i];
        m.m_fMaximum[k] = a.maximum[i];
        m.m_fSumSquares[k] = a.sumSquares[i];
        m.m_nCount[k] = a.count[i];
        m.m_fMinLimit[k] = a.minLimit[i];
        m.m_fMaxLimit[k] = a.maxLimit[i];
        m.m_nMinLimitSet[k] = a.minLimitSet[i];
        m.m_nMaxLimitSet[k] = a.maxLimitSet[i];
    }
    return m;
}

void BeamStatistics::PlaceMetricData(const CBeamMetricData& m) {
    BeamRowArrays& a = m_arrays;
    std::array<bool, kBeamMetricRows> used{};
    for (size_t i = 0; i < m_rows.size(); ++i) {
        a.count[i] = m_settings.m_nSamples;
        if (m_rows[i].kind != BeamRowKind::Metric) continue;
        a.count[i] = 0;
        a.value[i] = a.sum[i] = a.minimum[i] = a.maximum[i] = a.sumSquares[i] = 0.0;
        a.minLimit[i] = a.maxLimit[i] = 0.0;
        a.minLimitSet[i] = a.maxLimitSet[i] = 0;
        for (uint32_t k = 0; k < m.m_nRowCount && k < kBeamMetricRows; ++k) {
            if (used[k] || m.m_nKey[k] != static_cast<uint32_t>(m_rows[i].key)) continue;
            used[k] = true;
            a.value[i] = m.m_fValue[k];
            a.sum[i] = m.m_fSum[k];
            a.minimum[i] = m.m_fMinimum[k];
            a.maximum[i] = m.m_fMaximum[k];
            a.sumSquares[i] = m.m_fSumSquares[k];
            a.count[i] = std::min(m.m_nCount[k], m_settings.m_nSamples);
            a.minLimit[i] = m.m_fMinLimit[k];
            a.maxLimit[i] = m.m_fMaxLimit[k];
            a.minLimitSet[i] = m.m_nMinLimitSet[k];
            a.maxLimitSet[i] = m.m_nMaxLimitSet[k];
            break;
        }
    }
}

void BeamStatistics::RecreateWindows() {
    for (auto& window : m_windows) {
        window = m_settings.m_nRollingSize > 0 ? std::make_unique<RollingWindow>(m_settings.m_nRollingSize) : nullptr;
    }
}

void BeamStatistics::Reset() {
    m_settings.m_nSamples = 0;
    m_arrays.ClearStatistics();
    for (auto& window : m_windows) {
        if (window) window->Clear();
    }
}

void BeamStatistics::TakeSample(const ValueSource& value, BeamLog* log) {
    uint32_t& n = m_settings.m_nSamples;
    // Rolling statistics count only as far as the window reaches.
    if (m_settings.m_nStatMode != kStatRolling || n < m_settings.m_nRollingSize) ++n;
    Update(value, true, log && log->BeginRecord() ? log : nullptr);
}

void BeamStatistics::Recompute(const ValueSource& value) { Update(value, false, nullptr); }

void BeamStatistics::Update(const ValueSource& value, bool sample, BeamLog* log) {
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) UpdateRow(i, value, sample, log);
    if (log) log->EndRecord();
}

bool BeamStatistics::Sampled(int i) const {
    return m_settings.m_nStatMode == kStatRolling ? m_settings.m_nSamples > 0 : m_arrays.count[i] > 0;
}

void BeamStatistics::UpdateRow(int i, const ValueSource& source, bool sample, BeamLog* log) {
    const bool rolling = m_settings.m_nStatMode == kStatRolling;
    BeamRowArrays& a = m_arrays;
    RollingWindow* window = m_windows[static_cast<size_t>(i)].get();
    if (rolling && !window) return;

    // Before the first sample there are no statistics: the row shows the measurement as it is.
    const bool evaluate = sample || !Sampled(i);
    const double v = evaluate ? source(m_rows[static_cast<size_t>(i)]) : 0.0;
    // A sample without a value is shown as such and leaves the statistics as they were.
    const bool none = std::isnan(v);
    if (sample && none) {
        a.value[i] = v;
    } else if (sample && rolling) {
        window->Push(v);
        a.value[i] = v;
        a.sum[i] = window->Mean();
        a.minimum[i] = window->Minimum();
        a.maximum[i] = window->Maximum();
        a.sumSquares[i] = window->StdDev();
    } else if (sample) {
        const bool first = ++a.count[i] == 1;
        a.value[i] = v;
        a.sum[i] = first ? v : a.sum[i] + v;
        a.minimum[i] = first ? v : std::min(a.minimum[i], v);
        a.maximum[i] = first ? v : std::max(a.maximum[i], v);
        a.sumSquares[i] = first ? v * v : a.sumSquares[i] + v * v;
    }

    const int d = m_rows[static_cast<size_t>(i)].decimals;
    const bool sampled = Sampled(i);
    const double value = sample || sampled ? a.value[i] : v;
    const uint32_t n = a.count[i];
    double mean = 0.0;
    double stdDev = 0.0;
    if (rolling) {
        mean = a.sum[i];
        stdDev = a.sumSquares[i];
    } else if (sampled) {
        mean = a.sum[i] / n;
        const double radicand = n > 1 ? (a.sumSquares[i] - a.sum[i] * a.sum[i] / n) / (n - 1) : 0.0;
        stdDev = radicand > 0.0 ? std::sqrt(radicand) : 0.0;
    }

    BeamCells& cells = m_cells[static_cast<size_t>(i)];
    const auto show = [&](int column, const QString& text) {
        if (!m_settings.ColumnShown(column)) return;
        cells.text[column] = text;
        if (log) log->Field(text.toLatin1());
    };
    show(kColValue, std::isnan(value) ? kNoValue : FixedText(value, d));
    show(kColMean, sampled ? FixedText(mean, d + 1) : QString());
    show(kColMin, sampled ? FixedText(a.minimum[i], d) : QString());
    show(kColMax, sampled ? FixedText(a.maximum[i], d) : QString());
    show(kColStdDev, sampled ? FixedText(stdDev, d + 1) : QString());
    show(kColMinLimit, a.minLimitSet[i] ? FixedText(a.minLimit[i], d) : QString());
    show(kColMaxLimit, a.maxLimitSet[i] ? FixedText(a.maxLimit[i], d) : QString());
    cells.state = LimitState(i, value);
}

int BeamStatistics::LimitState(int i, double value) const {
    const bool minSet = m_arrays.minLimitSet[i] != 0;
    const bool maxSet = m_arrays.maxLimitSet[i] != 0;
    if (maxSet && value > m_arrays.maxLimit[i]) return kAboveMaximum;
    if (minSet && value < m_arrays.minLimit[i]) return kBelowMinimum;
    return minSet || maxSet ? kWithinLimits : kNoLimits;
}

QString BeamStatistics::CopyText() const {
    const std::vector<int> columns = ShownColumns();
    QString text;
    for (const BeamCells& row : m_cells) {
        text += row.text[kColParameter] + QStringLiteral("\r\n");
        for (size_t c = 1; c < columns.size(); ++c) {
            text += Heading(columns[c]) + QLatin1Char(':') + row.text[columns[c]] + QStringLiteral("\r\n");
        }
    }
    return text;
}

}  // namespace velor
