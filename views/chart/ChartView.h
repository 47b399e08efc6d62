#pragma once
// What the rectangular and the polar profile views share: their commands and dialogs, the
// acquisition-client registration at the plot frequency, the reactions to the document's
// notifications, the persistence of their settings record and the layout of one or two
// charts. Fonts, images, painting and colours are those of every chart window.

#include "views/chart/AmplitudeScale.h"
#include "views/chart/ChartModel.h"
#include "views/chart/DisplayList.h"
#include "views/chart/DisplayListView.h"

namespace velor {

// References into a view's persisted record, whose layout differs from view to view.
struct ChartRecord {
    uint16_t& updateRate;
    uint16_t& updateRateUnit;
    uint32_t& normalize;
    uint16_t& layoutMarker;
    float& zoomRange;
    float& zoomOffset;
    int32_t& zoomGrid;
    uint32_t& textColour;
    uint32_t& gridColour;
    uint32_t& dataColour;
    uint32_t& backgroundColour;
    uint8_t& logarithmic;
    uint16_t& magnification;
};

template <typename Record>
ChartRecord RecordOf(Record& r) {
    return {r.m_nUpdateRate, r.m_nUpdateRateUnit, r.m_bNormalize, r.m_nLayoutMarker, r.m_fZoomRange,
            r.m_fZoomOffset, r.m_nZoomGrid, r.m_crText, r.m_crGrid, r.m_crData, r.m_crBackground,
            r.m_bLogarithmic, r.m_nMagnification};
}

enum ChartCommandId : int {
    ID_ZOOM_ANGLE = 33102,
    ID_NORMALIZE = 32814,
    ID_MAGNIFY_1 = 33144,
    ID_MAGNIFY_10 = 33145,
    ID_MAGNIFY_100 = 33146,
    ID_MAGNIFY_1000 = 33147,
    ID_LOGARITHMIC = 33148,
    ID_COLORS = 33095,
};

class CChartView : public CDisplayListView {
    Q_OBJECT

public:
    CChartView(uint16_t tag, ViewHost& host, QWidget* parent = nullptr);

    // --- what each chart view supplies -------------------------------------------------------
    virtual ChartRecord Record() = 0;
    virtual QString FrameTitle() const = 0;
    // Plot-box margins from the axis font: horizontal, vertical.
    virtual QPoint Margins(const QFontMetrics& axisFont) const = 0;
    virtual DisplayList RenderChart(const ChartData& data, const ChartSettings& settings,
                                    const ChartGeometry& geometry, int axis, AmplitudeScale* scale) const = 0;

    // --- shared -------------------------------------------------------------------------------
    ChartSettings Settings();
    const ChartGeometry& Geometry() const { return m_geometry; }
    // One chart, or two stacked ones in perpendicular-axes mode.
    std::vector<QRect> ChartRects() const override;

    void OnInitialUpdate() override;
    QList<ViewCommand> MenuCommands() const override;
    bool OnCommand(int id) override;
    CommandState GetCommandState(int id) const override;
    void OnUpdate(uint32_t hint) override;
    bool WriteSection(SerializeContext& context) override;

protected:
    // The record's own block after the placement block.
    virtual bool WriteRecord(Archive& archive) = 0;
    virtual bool ReadRecord(Archive& archive) = 0;
    bool ReadSection(SerializeContext& context) override;
    void OnScanDone(int code) override;
    int ClientPeriodMs() const override;
    ColourRecord Colours() override;
    void LayOut(const QFontMetrics& axisFont) override;
    std::vector<DisplayList> Render() override;

private:
    bool RunCommand(int id);
    void OnTiming();
    void OnZoomAngle();

    ChartGeometry m_geometry;
};

}  // namespace velor
