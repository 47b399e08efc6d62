#pragma once
// The statistics table under the chart: a header and one line per series with its mean,
// minimum, maximum (in the variable's format) and standard deviation.

#include <QStringList>

namespace velor {

struct CTimeStatData;
class TimeStatModel;

QStringList StatisticsTable(const CTimeStatData& record, const TimeStatModel& model);

}  // namespace velor
