#include "views/power/PowerView.h"

#include <QFontMetrics>
#include <tuple>

#include "document/UpdateHints.h"
#include "document/Velor32Doc.h"
#include "views/framework/ViewFrame.h"
#include "views/framework/ViewHost.h"
#include "views/power/PowerExport.h"
#include "views/power/PowerParamDlg.h"
#include "views/power/PowerRecord.h"

namespace velor {
namespace {

const QString kFrameTitle = QStringLiteral("Power - Lumora Inc.");

// The settings the user chose, as the data file carries them (the calibration copies aside:
// they follow the document).
auto ChosenSettings(const CPowerData& r) {
    return std::tuple(r.m_nConeFlags, r.m_fConeAngle[0], r.m_fConeAngle[1], r.m_fConeAngle[2], r.m_nAxisMode,
                      r.m_crText, r.m_crGrid, r.m_crData, r.m_crBackground, r.m_nPercentFlags, r.m_fPercent[0],
                      r.m_fPercent[1], r.m_fPercent[2], r.m_bShowNA);
}

}  // namespace

CPowerView::CPowerView(ViewHost& host, QWidget* parent) : CDisplayListView(kPowerViewTag, host, parent) {}

CDisplayListView::ColourRecord CPowerView::Colours() { return {m_crText, m_crGrid, m_crData, m_crBackground}; }

void CPowerView::LayOut(const QFontMetrics& axisFont) {
    m_layout.size = ChartRects().front().size();
    m_layout.m = 5 * axisFont.maxWidth();
    m_layout.v = axisFont.height() * 15 / 10;
}

std::vector<DisplayList> CPowerView::Render() {
    CVelor32Doc* doc = Document();
    if (!doc) return {};
    const PowerSnapshot snapshot = TakePowerSnapshot(*this, *doc);
    FittedPowerChart fitted =
        FitPowerChart(*this, snapshot, m_layout.size, m_layout.m, m_layout.v, Metrics());
    m_layout = fitted.layout;
    m_results = fitted.results.value_or(PowerResults{});
    // Too small a window shows the chart alone: its results on demand, as the pointer's tip.
    setToolTip(m_layout.ShowsPanel() ? QString() : PowerPanelText(fitted.rows));
    return {std::move(fitted.list)};
}

void CPowerView::OnInitialUpdate() {
    if (CViewFrame* frame = Frame()) frame->setWindowTitle(kFrameTitle);
    Redraw();
    CDormView::OnInitialUpdate();
}

// --- commands ---------------------------------------------------------------------------------

QList<ViewCommand> CPowerView::MenuCommands() const {
    return {
        {ID_POWER_OPTICAL_AXIS, QStringLiteral("Optical &Axis"), {}},
        {ID_POWER_CENTROID, QStringLiteral("&Centroid"), {}},
        {ID_POWER_PARAMETERS, QStringLiteral("&Parameters..."), {}, true},
        {ID_POWER_COLORS, QStringLiteral("C&olors..."), {}},
    };
}

bool CPowerView::OnCommand(int id) {
    // A changed setting is a change of the measurement's file, as any other.
    const auto before = ChosenSettings(*this);
    const bool handled = RunCommand(id);
    if (ChosenSettings(*this) != before) {
        if (CVelor32Doc* doc = Document()) doc->SetModifiedFlag(true);
    }
    return handled;
}

bool CPowerView::RunCommand(int id) {
    switch (id) {
        case ID_POWER_OPTICAL_AXIS:
            m_nAxisMode = 1;
            Redraw();
            return true;
        case ID_POWER_CENTROID:
            m_nAxisMode = 0;
            Redraw();
            return true;
        case ID_POWER_PARAMETERS: OnParameters(); return true;
        case ID_POWER_COLORS: ChooseColours(); return true;
        default: return CDormView::OnCommand(id);
    }
}

CommandState CPowerView::GetCommandState(int id) const {
    switch (id) {
        case ID_POWER_OPTICAL_AXIS: return {true, m_nAxisMode != 0, false};
        case ID_POWER_CENTROID: return {true, m_nAxisMode == 0, false};
        case ID_POWER_PARAMETERS:
        case ID_POWER_COLORS: return {true, false, false};
        default: return CDormView::GetCommandState(id);
    }
}

void CPowerView::OnParameters() {
    PowerParameters p;
    p.coneFlags = m_nConeFlags;
    p.percentFlags = m_nPercentFlags;
    p.showNA = m_bShowNA != 0;
    for (int i = 0; i < 3; ++i) {
        p.coneAngles[i] = m_fConeAngle[i];
        p.percents[i] = m_fPercent[i];
    }
    CPowerParamDlg dialog(p, Host().Prompt(), this);
    if (dialog.exec() == QDialog::Accepted) {
        const PowerParameters& chosen = dialog.GetParameters();
        m_nConeFlags = chosen.coneFlags;
        m_nPercentFlags = chosen.percentFlags;
        m_bShowNA = chosen.showNA ? 1 : 0;
        for (int i = 0; i < 3; ++i) {
            m_fConeAngle[i] = chosen.coneAngles[i];
            m_fPercent[i] = chosen.percents[i];
        }
    }
    Redraw();
}

// --- notifications, persistence, export --------------------------------------------------------

void CPowerView::OnUpdate(uint32_t hint) {
    switch (HintEvent(hint)) {
        case HintEvent(UM_MODECHANGED):
        case HintEvent(UM_UNITS):
        case HintEvent(UM_PARAMCHANGED):
        case HintEvent(UM_3DDONE): Redraw(); break;
        default: CDormView::OnUpdate(hint); break;
    }
}

bool CPowerView::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    return WritePowerRecord(context.archive, *this);
}

bool CPowerView::ReadSection(SerializeContext& context) {
    if (!CDormView::ReadSection(context)) return false;
    if (!ReadPowerRecord(context.archive, *this)) return false;
    if (CViewFrame* frame = Frame()) frame->setWindowTitle(kFrameTitle);
    Redraw();
    return true;
}

void CPowerView::AppendTextExport(QByteArray& text) {
    if (CVelor32Doc* doc = Document()) AppendPowerExport(text, *this, *doc);
}

}  // namespace velor
