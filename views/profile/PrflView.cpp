#include "views/profile/PrflView.h"

#include <QFontMetrics>

#include "views/chart/ChartRecordCheck.h"
#include "views/chart/RectChart.h"

namespace velor {

CPrflView::CPrflView(ViewHost& host, QWidget* parent) : CChartView(kProfileViewTag, host, parent) {}

QPoint CPrflView::Margins(const QFontMetrics& axisFont) const {
    return {static_cast<int>(2.5 * axisFont.maxWidth()), axisFont.height() * 15 / 10};
}

DisplayList CPrflView::RenderChart(const ChartData& data, const ChartSettings& settings,
                                   const ChartGeometry& geometry, int axis, AmplitudeScale* scale) const {
    return RenderRectChart(data, settings, geometry, axis, scale);
}

bool CPrflView::WriteRecord(Archive& archive) {
    return CDataCrc16::WriteBlock(archive, static_cast<CProfileData*>(this), sizeof(CProfileData)) != 0;
}

bool CPrflView::ReadRecord(Archive& archive) {
    CProfileData copy = *this;
    if (CDataCrc16::ReadBlock(archive, &copy, sizeof copy) == 0) return false;
    if (!IsValidChartRecord(copy)) return false;
    static_cast<CProfileData&>(*this) = copy;
    return true;
}

}  // namespace velor
