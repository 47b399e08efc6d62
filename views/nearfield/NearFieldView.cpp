#include "views/nearfield/NearFieldView.h"

#include <tuple>

#include "document/UpdateHints.h"
#include "document/Velor32Doc.h"
#include "views/framework/ViewFrame.h"
#include "views/framework/ViewHost.h"
#include "views/nearfield/NearFieldChart.h"
#include "views/nearfield/NearFieldRecord.h"

namespace velor {
namespace {

const QString kFrameTitle = QStringLiteral("Near Field View - Lumora inc.");

// A notification asking the views to redraw when its parameter is set.
constexpr uint16_t kHintResetViews = 0x094E;

// The settings the data file carries.
auto SavedValues(const CNearFieldData& r) {
    return std::tuple(r.m_nUpdateRate, r.m_nUpdateRateUnit, r.m_bLogarithmic, r.m_crText, r.m_crGrid, r.m_crData,
                      r.m_crBackground);
}

}  // namespace

CNearFieldView::CNearFieldView(ViewHost& host, QWidget* parent) : CDisplayListView(kNearFieldViewTag, host, parent) {}

CDisplayListView::ColourRecord CNearFieldView::Colours() { return {m_crText, m_crGrid, m_crData, m_crBackground}; }

void CNearFieldView::LayOut(const QFontMetrics&) { m_chartSize = ChartRects().front().size(); }

std::vector<DisplayList> CNearFieldView::Render() {
    const CVelor32Doc* doc = Document();
    if (!doc) return {};
    return {RenderNearFieldChart(NearFieldChartData::From(*doc), m_bLogarithmic != 0, m_chartSize, Metrics())};
}

void CNearFieldView::OnInitialUpdate() {
    const CVelor32Doc* doc = Document();
    const int maxRate = doc ? const_cast<CVelor32Doc*>(doc)->GetMaxScanRate() : 10;
    if (m_nUpdateRateUnit == 0 && m_nUpdateRate > maxRate) m_nUpdateRate = static_cast<uint16_t>(maxRate);
    if (CViewFrame* frame = Frame()) frame->setWindowTitle(kFrameTitle);
    Redraw();
    if (doc && doc->IsAcquiring()) SetDataCollection(true);
    CDormView::OnInitialUpdate();
}

// --- commands ---------------------------------------------------------------------------------

QList<ViewCommand> CNearFieldView::MenuCommands() const {
    return {
        {ID_DATA_COLLECTION, QStringLiteral("&Data Collection"), QKeySequence(QStringLiteral("Ctrl+D"))},
        {ID_TIMING, QStringLiteral("&Timing..."), {}},
        {ID_NEAR_FIELD_LINEAR, QStringLiteral("&Linear"), {}, true},
        {ID_NEAR_FIELD_LOGARITHMIC, QStringLiteral("Lo&garithmic"), {}},
        {ID_NEAR_FIELD_COLORS, QStringLiteral("Colors..."), {}, true},
    };
}

bool CNearFieldView::OnCommand(int id) {
    // A changed setting is a change of the measurement's file, as any other.
    const auto before = SavedValues(*this);
    const bool handled = RunCommand(id);
    if (SavedValues(*this) != before) {
        if (CVelor32Doc* doc = Document()) doc->SetModifiedFlag(true);
    }
    return handled;
}

bool CNearFieldView::RunCommand(int id) {
    switch (id) {
        case ID_TIMING: OnTiming(); return true;
        case ID_NEAR_FIELD_COLORS: ChooseColours(); return true;
        case ID_NEAR_FIELD_LINEAR:
        case ID_NEAR_FIELD_LOGARITHMIC:
            m_bLogarithmic = id == ID_NEAR_FIELD_LOGARITHMIC ? 1 : 0;
            Redraw();
            return true;
        default: return CDormView::OnCommand(id);
    }
}

CommandState CNearFieldView::GetCommandState(int id) const {
    switch (id) {
        case ID_TIMING:
        case ID_NEAR_FIELD_COLORS: return {true, false, false};
        case ID_NEAR_FIELD_LINEAR: return {true, m_bLogarithmic == 0, false};
        case ID_NEAR_FIELD_LOGARITHMIC: return {true, m_bLogarithmic != 0, false};
        default: return CDormView::GetCommandState(id);
    }
}

int CNearFieldView::ClientPeriodMs() const { return PlotPeriodMs(m_nUpdateRate, m_nUpdateRateUnit); }

void CNearFieldView::OnTiming() { AskPlotFrequency(m_nUpdateRate, m_nUpdateRateUnit); }

// --- notifications, persistence ------------------------------------------------------------------

void CNearFieldView::OnUpdate(uint32_t hint) {
    const uint16_t event = HintEvent(hint);
    if (event == UM_SCANDONE) {
        if (DataCollection()) Redraw();
    } else if (event == kHintResetViews || event == HintEvent(UM_RECOMPUTE)) {
        if (HintParameter(hint) != 0) Redraw();
    } else if (event == HintEvent(UM_MODECHANGED) || event == HintEvent(UM_PARAMCHANGED) ||
               event == HintEvent(UM_3DDONE)) {
        Redraw();
    } else {
        CDormView::OnUpdate(hint);
    }
}

void CNearFieldView::OnScanDone(int) { Redraw(); }

bool CNearFieldView::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    return WriteNearFieldRecord(context.archive, *this);
}

bool CNearFieldView::ReadSection(SerializeContext& context) {
    if (!CDormView::ReadSection(context)) return false;
    if (!ReadNearFieldRecord(context.archive, *this)) return false;
    if (CViewFrame* frame = Frame()) frame->setWindowTitle(kFrameTitle);
    Redraw();
    return true;
}

}  // namespace velor
