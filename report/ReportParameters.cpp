#include "report/ReportParameters.h"

#include <cmath>

#include "common/FixedText.h"
#include "document/Velor32Doc.h"
#include "document/parameters/StandardParameters.h"
#include "views/beamstats/BeamMetricKinds.h"
#include "views/beamstats/BeamRows.h"
#include "views/beamstats/BeamStatistics.h"

namespace velor {
namespace {

QString ValueText(double value, int decimals) {
    return std::isnan(value) ? QStringLiteral("no fit") : FixedText(value, decimals);
}

// The table's rows as the view builds them after loading: the selection, the classic rows'
// limits by row, the metric rows' limits by their kind.
std::vector<ReportRow> SelectedRows(const CVelor32Doc& doc, const BeamSelection& selection) {
    CBeamDataData settings = selection.settings;
    BeamRowArrays arrays = selection.arrays;
    const uint32_t kinds = selection.metrics.m_nKinds;
    BeamStatistics table(settings, arrays, &kinds);
    table.BuildRows(RowContextOf(doc));
    table.PlaceMetricData(selection.metrics);
    std::vector<ReportRow> rows;
    const std::vector<BeamRow>& built = table.Rows();
    for (size_t i = 0; i < built.size(); ++i) {
        const BeamRow& row = built[i];
        const double value = BeamRowValue(row, doc);
        const bool minSet = arrays.minLimitSet[i] != 0;
        const bool maxSet = arrays.maxLimitSet[i] != 0;
        const bool wholeMeasurement =
            row.kind == BeamRowKind::Ratio || (row.kind == BeamRowKind::Metric && row.metric && !row.metric->perAxis);
        rows.push_back({row.name, wholeMeasurement ? kWholeMeasurement : row.axis, ValueText(value, row.decimals),
                        minSet ? FixedText(arrays.minLimit[i], row.decimals) : QString(),
                        maxSet ? FixedText(arrays.maxLimit[i], row.decimals) : QString(),
                        JudgeValue(value, minSet, arrays.minLimit[i], maxSet, arrays.maxLimit[i])});
    }
    return rows;
}

std::vector<ReportRow> StandardRows(const CVelor32Doc& doc) {
    std::vector<ReportRow> rows;
    const int axes = doc.IsPerpendicular() ? 2 : 1;
    for (const ParameterEntry& entry : StandardParameters()) {
        if (!ParameterApplies(entry, doc)) continue;
        const bool perAxis = entry.scope == ParameterScope::Axis;
        for (int axis = 0; axis < (perAxis ? axes : 1); ++axis) {
            rows.push_back({ParameterName(entry, doc, axis), perAxis ? axis : kWholeMeasurement,
                            ValueText(entry.value(doc, axis), entry.decimals), QString(), QString(),
                            Verdict::NoLimits});
        }
    }
    return rows;
}

}  // namespace

Verdict JudgeValue(double value, bool minSet, double minLimit, bool maxSet, double maxLimit) {
    if (!minSet && !maxSet) return Verdict::NoLimits;
    // A figure that could not be computed cannot be shown to hold.
    if (std::isnan(value)) return Verdict::Fail;
    if (minSet && value < minLimit) return Verdict::Fail;
    if (maxSet && value > maxLimit) return Verdict::Fail;
    return Verdict::Pass;
}

QString VerdictText(Verdict verdict) {
    switch (verdict) {
        case Verdict::Pass: return QStringLiteral("PASS");
        case Verdict::Fail: return QStringLiteral("FAIL");
        case Verdict::NoLimits: break;
    }
    return QStringLiteral("\u2014");
}

ParameterTable BuildParameterTable(const CVelor32Doc& document, const ViewContents& views) {
    if (views.beam) return {true, SelectedRows(document, *views.beam)};
    return {false, StandardRows(document)};
}

}  // namespace velor
