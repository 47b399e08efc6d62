#pragma once
// What the rectangular and the polar profile views share: their commands and dialogs, the
// acquisition-client registration at the plot frequency, the reactions to the document's
// notifications, the persistence of their settings record, the fonts, the layout of one or
// two charts and the painting of the charts' display lists.

#include <QFont>
#include <QImage>
#include <array>

#include "views/chart/AmplitudeScale.h"
#include "views/chart/ChartModel.h"
#include "views/chart/DisplayList.h"
#include "views/framework/DormView.h"

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

class CChartView : public CDormView {
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
    virtual int TextPenWidth() const { return 1; }

    // --- shared -------------------------------------------------------------------------------
    ChartSettings Settings();
    // Lays out, renders the charts into their images and asks for a repaint.
    void Redraw();
    // The display lists of the last render (one or two charts).
    const std::vector<DisplayList>& Charts() const { return m_lists; }
    const ChartGeometry& Geometry() const { return m_geometry; }
    std::vector<QRect> ChartRects() const;

    void OnInitialUpdate() override;
    QList<ViewCommand> MenuCommands() const override;
    bool OnCommand(int id) override;
    CommandState GetCommandState(int id) const override;
    void OnUpdate(uint32_t hint) override;
    bool WriteSection(SerializeContext& context) override;
    void Print(QPainter& painter, const QRect& page) override;

protected:
    // The record's own block after the placement block.
    virtual bool WriteRecord(Archive& archive) = 0;
    virtual bool ReadRecord(Archive& archive) = 0;
    bool ReadSection(SerializeContext& context) override;
    void OnScanDone(int code) override;
    int ClientPeriodMs() const override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool RunCommand(int id);
    void CreateFonts();
    void Layout();
    void RenderCharts();
    ChartStyle Style();
    void OnTiming();
    void OnZoomAngle();
    void OnColors();

    QFont m_axisFont;
    QFont m_titleFont;
    bool m_fontsReported = false;
    ChartGeometry m_geometry;
    std::vector<DisplayList> m_lists;
    std::array<QImage, 2> m_images;
};

}  // namespace velor
