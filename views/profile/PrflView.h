#pragma once
// The rectangular profile view: amplitude against angle, one chart or two stacked charts.

#include "views/chart/ChartView.h"
#include "views/profile/ProfileData.h"

namespace velor {

class CPrflView : public CChartView, public CProfileData {
    Q_OBJECT

public:
    explicit CPrflView(ViewHost& host, QWidget* parent = nullptr);

    ChartRecord Record() override { return RecordOf(static_cast<CProfileData&>(*this)); }
    QString FrameTitle() const override { return QStringLiteral("Rectangular View - Lumora inc."); }
    QPoint Margins(const QFontMetrics& axisFont) const override;
    DisplayList RenderChart(const ChartData& data, const ChartSettings& settings, const ChartGeometry& geometry,
                            int axis, AmplitudeScale* scale) const override;

protected:
    bool WriteRecord(Archive& archive) override;
    bool ReadRecord(Archive& archive) override;
};

}  // namespace velor
