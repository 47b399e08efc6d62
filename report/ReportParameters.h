#pragma once
// The parameter table of one measurement in a report: the rows the beam statistics view has
// selected when the file carries one (with its limits), else the standard parameters
// (StandardParameters.h) without limits; each value with the viewer's decimals and a verdict
// against its limits.

#include <QString>
#include <vector>

#include "views/ViewContents.h"

namespace velor {

class CVelor32Doc;

enum class Verdict { NoLimits, Pass, Fail };

// What a row belongs to besides one axis.
inline constexpr int kWholeMeasurement = -1;

struct ReportRow {
    QString name;
    int axis = 0;        // 0, 1, or kWholeMeasurement (ratios, 3D data set)
    QString value;       // the viewer's decimals; "no fit" where a fit failed
    QString minLimit;    // empty when not set
    QString maxLimit;
    Verdict verdict = Verdict::NoLimits;
};

struct ParameterTable {
    bool fromBeamStatistics = false;
    std::vector<ReportRow> rows;
};

ParameterTable BuildParameterTable(const CVelor32Doc& document, const ViewContents& views);

// PASS when every limit holds, FAIL when a value lies beyond one or has no value to be
// checked, — without limits.
Verdict JudgeValue(double value, bool minSet, double minLimit, bool maxSet, double maxLimit);

QString VerdictText(Verdict verdict);

}  // namespace velor
