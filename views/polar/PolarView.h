#pragma once
// The polar view: the profile as a half-disc polar chart, one chart or two stacked charts.

#include "views/chart/ChartView.h"
#include "views/polar/PolarData.h"

namespace velor {

class CPolarView : public CChartView, public CPolarData {
    Q_OBJECT

public:
    explicit CPolarView(ViewHost& host, QWidget* parent = nullptr);

    ChartRecord Record() override { return RecordOf(static_cast<CPolarData&>(*this)); }
    QString FrameTitle() const override { return QStringLiteral("Polar View - Lumora Inc."); }
    QPoint Margins(const QFontMetrics& axisFont) const override;
    DisplayList RenderChart(const ChartData& data, const ChartSettings& settings, const ChartGeometry& geometry,
                            int axis, AmplitudeScale* scale) const override;
    // Two pixels wide until the colours are first set again.
    int TextPenWidth() const override { return m_widePen ? 2 : 1; }

protected:
    bool WriteRecord(Archive& archive) override;
    bool ReadRecord(Archive& archive) override;
    bool OnCommand(int id) override;

private:
    bool m_widePen = true;
};

}  // namespace velor
