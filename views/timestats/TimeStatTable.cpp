#include "views/timestats/TimeStatTable.h"

#include "common/FixedText.h"
#include "views/timestats/TimeStatData.h"
#include "views/timestats/TimeStatModel.h"
#include "views/timestats/TimeStatVariables.h"

namespace velor {

QStringList StatisticsTable(const CTimeStatData& r, const TimeStatModel& m) {
    QStringList lines{QStringLiteral("    Variable                      Mean       Min         Max         StdDev     ")};
    const VariableInfo& variable = VariableOf(RecordVariable(r));
    for (int s = 0; s < m.SeriesCount(); ++s) {
        const SeriesStats& st = m.Stats(s);
        QString line = (QString::fromLatin1(r.m_szName[s]) + QString(20, QLatin1Char(' '))).left(21);
        for (double value : {st.Mean(), st.min, st.max}) {
            line += QStringLiteral("  ") + FixedText(value, variable.decimals, variable.width);
        }
        line += QStringLiteral("  ") + FixedText(st.Sigma(), 4, 10);
        lines << line;
    }
    return lines;
}

}  // namespace velor
