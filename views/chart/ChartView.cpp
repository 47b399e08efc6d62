#include "views/chart/ChartView.h"

#include <QFontMetrics>
#include <cmath>
#include <tuple>

#include "common/UserPrompt.h"
#include "document/UpdateHints.h"
#include "document/Velor32Doc.h"
#include "views/common/ZoomAngleDlg.h"
#include "views/framework/ViewFrame.h"
#include "views/framework/ViewHost.h"

namespace velor {
namespace {

// A notification asking the views to redraw when its parameter is set.
constexpr uint16_t kHintResetViews = 0x094E;
constexpr uint16_t kParameterUnitsChanged = 4;

}  // namespace

CChartView::CChartView(uint16_t tag, ViewHost& host, QWidget* parent) : CDisplayListView(tag, host, parent) {}

ChartSettings CChartView::Settings() {
    const ChartRecord r = Record();
    ChartSettings s;
    s.zoomRange = r.zoomRange;
    s.zoomOffset = r.zoomOffset;
    s.zoomGrid = r.zoomGrid;
    s.normalize = r.normalize != 0;
    s.logarithmic = r.logarithmic != 0;
    s.magnification = r.magnification > 0 ? r.magnification : 1;
    return s;
}

std::vector<QRect> CChartView::ChartRects() const {
    const QRect area = CDisplayListView::ChartRects().front();
    const CVelor32Doc* doc = Document();
    if (!doc || !doc->IsPerpendicular()) return {area};
    const int h = area.height();
    return {QRect(area.left(), area.top(), area.width(), h / 2),
            QRect(area.left(), area.top() + h / 2, area.width(), h / 2 + h % 2)};
}

void CChartView::LayOut(const QFontMetrics& axisFont) {
    const QPoint margins = Margins(axisFont);
    const std::vector<QRect> rects = ChartRects();
    const QSize first = rects.front().size();
    m_geometry.chartSize = first;
    m_geometry.horizontalMargin = margins.x();
    m_geometry.left = margins.x();
    m_geometry.right = first.width() - margins.x();
    m_geometry.top = margins.y();
    m_geometry.bottom = first.height() - margins.y();
    m_geometry.clientWidth = width();
    Record().layoutMarker = 0;
}

CDisplayListView::ColourRecord CChartView::Colours() {
    const ChartRecord r = Record();
    return {r.textColour, r.gridColour, r.dataColour, r.backgroundColour};
}

std::vector<DisplayList> CChartView::Render() {
    std::vector<DisplayList> lists;
    CVelor32Doc* doc = Document();
    if (!doc) return lists;
    const ChartData data = ChartData::From(*doc);
    const ChartSettings settings = Settings();
    const std::vector<QRect> rects = ChartRects();
    for (size_t a = 0; a < rects.size(); ++a) {
        ChartGeometry geometry = m_geometry;
        geometry.chartSize = rects[a].size();
        AmplitudeScale scale;
        lists.push_back(RenderChart(data, settings, geometry, static_cast<int>(a), &scale));
        if (scale.clearsNormalize) Record().normalize = 0;
    }
    return lists;
}

// --- commands ---------------------------------------------------------------------------------

QList<ViewCommand> CChartView::MenuCommands() const {
    return {
        {ID_DATA_COLLECTION, QStringLiteral("&Data Collection"), QKeySequence(QStringLiteral("Ctrl+D"))},
        {ID_TIMING, QStringLiteral("&Timing..."), {}},
        {ID_ZOOM_ANGLE, QStringLiteral("&Zoom Angle..."), {}},
        {ID_NORMALIZE, QStringLiteral("&Normalize"), {}, true},
        {ID_MAGNIFY_1, QString::fromUtf8("1 \u00d7"), {}, true},
        {ID_MAGNIFY_10, QString::fromUtf8("10 \u00d7"), {}},
        {ID_MAGNIFY_100, QString::fromUtf8("100 \u00d7"), {}},
        {ID_MAGNIFY_1000, QString::fromUtf8("1000 \u00d7"), {}},
        {ID_LOGARITHMIC, QStringLiteral("Lo&garithmic"), {}},
        {ID_COLORS, QStringLiteral("Colors..."), {}, true},
    };
}

namespace {

// The settings a chart's record carries into the data file.
auto SavedValues(const ChartRecord& r) {
    return std::tuple(r.updateRate, r.updateRateUnit, r.normalize, r.zoomRange, r.zoomOffset, r.zoomGrid,
                      r.textColour, r.gridColour, r.dataColour, r.backgroundColour, r.logarithmic, r.magnification);
}

}  // namespace

bool CChartView::OnCommand(int id) {
    // A changed setting is a change of the measurement's file, as any other.
    const auto before = SavedValues(Record());
    const bool handled = RunCommand(id);
    if (SavedValues(Record()) != before) {
        if (CVelor32Doc* doc = Document()) doc->SetModifiedFlag(true);
    }
    return handled;
}

bool CChartView::RunCommand(int id) {
    ChartRecord r = Record();
    switch (id) {
        case ID_TIMING: OnTiming(); return true;
        case ID_ZOOM_ANGLE: OnZoomAngle(); return true;
        case ID_COLORS: ChooseColours(); return true;
        case ID_NORMALIZE:
            r.normalize = r.normalize ? 0 : 1;
            Redraw();
            return true;
        case ID_MAGNIFY_1:
        case ID_MAGNIFY_10:
        case ID_MAGNIFY_100:
        case ID_MAGNIFY_1000:
            r.logarithmic = 0;
            r.magnification = static_cast<uint16_t>(std::pow(10, id - ID_MAGNIFY_1));
            Redraw();
            return true;
        case ID_LOGARITHMIC:
            r.logarithmic = 1;
            Redraw();
            return true;
        default: return CDormView::OnCommand(id);
    }
}

CommandState CChartView::GetCommandState(int id) const {
    auto& self = const_cast<CChartView&>(*this);
    const ChartRecord r = self.Record();
    const CVelor32Doc* doc = Document();
    switch (id) {
        case ID_TIMING:
        case ID_ZOOM_ANGLE:
        case ID_COLORS: return {true, false, false};
        case ID_NORMALIZE: return {doc && doc->GetUnits() == 0 && !r.logarithmic, r.normalize != 0, false};
        case ID_MAGNIFY_1:
        case ID_MAGNIFY_10:
        case ID_MAGNIFY_100:
        case ID_MAGNIFY_1000: {
            const int value = static_cast<int>(std::pow(10, id - ID_MAGNIFY_1));
            return {true, !r.logarithmic && r.magnification == value, false};
        }
        case ID_LOGARITHMIC: return {true, r.logarithmic != 0, false};
        default: return CDormView::GetCommandState(id);
    }
}

int CChartView::ClientPeriodMs() const {
    const ChartRecord r = const_cast<CChartView&>(*this).Record();
    return PlotPeriodMs(r.updateRate, r.updateRateUnit);
}

void CChartView::OnTiming() {
    const ChartRecord r = Record();
    AskPlotFrequency(r.updateRate, r.updateRateUnit);
}

void CChartView::OnZoomAngle() {
    ChartRecord r = Record();
    CZoomAngleDlg dialog(r.zoomRange, r.zoomOffset, r.zoomGrid, Host().Prompt(), this);
    if (dialog.exec() == QDialog::Accepted) {
        r.zoomRange = dialog.GetZoomRange();
        r.zoomOffset = dialog.GetZoomOffset();
        r.zoomGrid = dialog.GetZoomGrid();
    }
    Redraw();
}

// --- notifications, lifecycle, persistence -----------------------------------------------------

void CChartView::OnUpdate(uint32_t hint) {
    const uint16_t event = HintEvent(hint);
    const uint16_t parameter = HintParameter(hint);
    if (event == UM_SCANDONE) {
        if (DataCollection()) Redraw();
    } else if (event == kHintResetViews || event == HintEvent(UM_RECOMPUTE)) {
        if (parameter != 0) Redraw();
    } else if (event == HintEvent(UM_MODECHANGED) || event == HintEvent(UM_PARAMCHANGED)) {
        Redraw();
    } else if (event == HintEvent(UM_UNITS)) {
        if (parameter == kParameterUnitsChanged) {
            const CVelor32Doc* doc = Document();
            if (doc && doc->GetUnits() == 2) Record().normalize = 0;
            Redraw();
        }
    } else {
        CDormView::OnUpdate(hint);
    }
}

void CChartView::OnScanDone(int) { Redraw(); }

void CChartView::OnInitialUpdate() {
    ChartRecord r = Record();
    const CVelor32Doc* doc = Document();
    const int maxRate = doc ? const_cast<CVelor32Doc*>(doc)->GetMaxScanRate() : 10;
    if (r.updateRateUnit == 0 && r.updateRate > maxRate) r.updateRate = static_cast<uint16_t>(maxRate);
    if (CViewFrame* frame = Frame()) frame->setWindowTitle(FrameTitle());
    Redraw();
    if (doc && doc->IsAcquiring()) SetDataCollection(true);
    CDormView::OnInitialUpdate();
}

bool CChartView::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    return WriteRecord(context.archive);
}

bool CChartView::ReadSection(SerializeContext& context) {
    if (!CDormView::ReadSection(context)) return false;
    if (!ReadRecord(context.archive)) return false;
    if (CViewFrame* frame = Frame()) frame->setWindowTitle(FrameTitle());
    Redraw();
    return true;
}

}  // namespace velor
