#include "views/polar/PolarView.h"

#include <QFontMetrics>

#include "views/chart/ChartRecordCheck.h"
#include "views/polar/PolarChart.h"

namespace velor {

CPolarView::CPolarView(ViewHost& host, QWidget* parent) : CChartView(kPolarViewTag, host, parent) {}

QPoint CPolarView::Margins(const QFontMetrics& axisFont) const {
    return {2 * axisFont.maxWidth(), axisFont.height() * 25 / 10};
}

DisplayList CPolarView::RenderChart(const ChartData& data, const ChartSettings& settings,
                                    const ChartGeometry& geometry, int axis, AmplitudeScale* scale) const {
    return RenderPolarChart(data, settings, geometry, axis, scale);
}

bool CPolarView::OnCommand(int id) {
    // The pens are made anew, one pixel wide, when the colours are chosen.
    if (id == ID_COLORS) m_widePen = false;
    return CChartView::OnCommand(id);
}

bool CPolarView::WriteRecord(Archive& archive) {
    return CDataCrc16::WriteBlock(archive, static_cast<CPolarData*>(this), sizeof(CPolarData)) != 0;
}

bool CPolarView::ReadRecord(Archive& archive) {
    CPolarData copy = *this;
    if (CDataCrc16::ReadBlock(archive, &copy, sizeof copy) == 0) return false;
    if (!IsValidChartRecord(copy)) return false;
    static_cast<CPolarData&>(*this) = copy;
    m_widePen = false;  // loading the settings makes the pens anew
    return true;
}

}  // namespace velor
