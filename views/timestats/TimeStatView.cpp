#include "views/timestats/TimeStatView.h"

#include <QContextMenuEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "common/UserPrompt.h"
#include "document/DocumentMessages.h"
#include "document/UpdateHints.h"
#include "document/Velor32Doc.h"
#include "views/common/ColorRef.h"
#include "views/framework/PausedAcquisition.h"
#include "views/framework/ViewFrame.h"
#include "views/framework/ViewHost.h"
#include "views/timestats/Chart2D.h"
#include "views/timestats/TSParam.h"
#include "views/timestats/TimeAxesDlg.h"
#include "views/timestats/TimeStatFontDlg.h"
#include "views/timestats/TimeStatRecord.h"
#include "views/timestats/TimeStatScaling.h"
#include "views/timestats/TimeStatTable.h"
#include "views/timestats/TimeStatUnits.h"
#include "views/timestats/TimeStatVariables.h"
#include "views/timestats/TimeTimDlg.h"

namespace velor {
namespace {

const QString kParameterError = QStringLiteral("Parameter error");
const QString& kEraseQuestion = msg::kEraseCollectedData;
const QString kBufferFull = QStringLiteral("To many points to fit in array\nPlease reset data arrays to continue");
const QString kTooManyPoints =
    QStringLiteral("Too many points are being asked for\neither reduce acquisition rate\n or acquisition time");
// The period of manual collection's single scan.
constexpr int kManualPeriodMs = 10;
constexpr uint16_t kAmplitudeUnitsChanged = 4;

template <size_t N>
void CopyLatin1(char (&field)[N], const QString& text) {
    const QByteArray bytes = text.toLatin1().left(N - 1);
    std::memset(field, 0, N);
    std::memcpy(field, bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace

CTimeStatView::CTimeStatView(ViewHost& host, QWidget* parent) : CDormView(kTimeStatViewTag, host, parent) {
    m_chart = new CChart2D(m_model, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_chart);
}

CTimeStatView::~CTimeStatView() {
    // The chart reads the points as it goes: it goes first.
    delete m_chart;
    m_chart = nullptr;
}

QString CTimeStatView::FrameTitle() const {
    return QStringLiteral("Time Statistics for ") + QLatin1String(VariableOf(RecordVariable(*this)).name) +
           QStringLiteral(" - Lumora Inc.");
}

bool CTimeStatView::ChartLive() const {
    const CViewFrame* frame = Frame();
    return !m_bFrozen && !(frame && frame->isMinimized());
}

// --- set-up and drawing ---------------------------------------------------------------------

void CTimeStatView::OnInitialUpdate() {
    if (CVelor32Doc* doc = Document()) {
        const bool perpendicular = doc->IsPerpendicular();
        m_nSeriesCount = perpendicular ? 2 : 1;
        m_nAxisSelection = perpendicular ? 2 : 0;
        for (int s = 0; s < 2; ++s) SetName(s, SeriesName(NameInputOf(*this, *doc, s)));
        const int maxRate = doc->GetMaxScanRate();
        if (m_nRateUnit == kUnitSeconds && maxRate > 0 && m_nRate > maxRate) m_nRate = static_cast<uint16_t>(maxRate);
    }
    m_nCapacity = static_cast<uint16_t>(CapacityFor(DurationPoints(*this)).value_or(kMaxCapacity));
    Recreate();
    if (CViewFrame* frame = Frame()) frame->setWindowTitle(FrameTitle());
    CDormView::OnInitialUpdate();
    if (CVelor32Doc* doc = Document(); doc && doc->IsAcquiring()) StartCollection();
}

void CTimeStatView::SetName(int series, const QString& name) { CopyLatin1(m_szName[series], name); }

void CTimeStatView::RenameSeries() {
    const CVelor32Doc* doc = Document();
    if (!doc) return;
    for (int s = 0; s < 2; ++s) SetName(s, SeriesName(NameInputOf(*this, *doc, SeriesAxis(*this, s))));
}

void CTimeStatView::UpdateTable() {
    m_table = m_bCalculations ? StatisticsTable(*this, m_model) : QStringList();
    if (!m_bFrozen) m_chart->SetFooterLines(m_table);
}

void CTimeStatView::RedrawChart() {
    if (m_bFrozen) return;
    NormaliseXAxis(*this);
    m_model.SetX(XScaleOf(*this));
    m_chart->SetDataSets(DataSetsFor(m_model.SeriesCount(), m_nStatLines),
                         {FromColorRef(m_crSeries[0]), FromColorRef(m_crSeries[1])},
                         {QString::fromLatin1(m_szName[0]), QString::fromLatin1(m_szName[1])});
    m_chart->SetChartFont(FontFromString(ChartFontString({QString::fromLatin1(m_szFontFace), m_nFontSize, m_bBold != 0})));
    m_chart->SetGrid(m_bGrid != 0);
    m_chart->SetAxes(m_fXMin, m_fXMax, m_fYMin, m_fYMax, UnitText(m_nXUnit));
    UpdateTable();
    m_chart->Replot();
    m_bXRescaled = m_bYRescaled = false;
}

void CTimeStatView::RequestRepaint() {
    if (ChartLive()) RedrawChart();
}

// --- collection and points ------------------------------------------------------------------

int CTimeStatView::ClientPeriodMs() const { return m_bManual ? kManualPeriodMs : CollectionPeriodMs(*this); }

void CTimeStatView::RegisterAsClient() {
    CVelor32Doc* doc = Document();
    if (!doc) return;
    doc->RemoveAcquisitionClient(this);
    if (!DataCollection()) return;
    // Manual collection asks for one scan, automatic for scans until it is switched off.
    if (!doc->AddAcquisitionClient(m_bManual ? 1 : -1, ClientPeriodMs(), this)) m_viewData.m_bDataCollection = 0;
}

void CTimeStatView::StartCollection() {
    CVelor32Doc* doc = Document();
    if (!doc) return;
    if (m_bResetPending) ResolvePendingReset();
    if (m_model.Count() >= m_model.Capacity()) {
        StopCollection();
        Host().Prompt().Message(kBufferFull, kParameterError, PromptIcon::Exclamation);
        return;
    }
    m_viewData.m_bDataCollection = 1;
    RegisterAsClient();
}

void CTimeStatView::StopCollection() {
    m_viewData.m_bDataCollection = 0;
    if (CVelor32Doc* doc = Document()) doc->RemoveAcquisitionClient(this);
}

void CTimeStatView::OnScanDone(int) {
    if (DataCollection()) AddPoint();
}

void CTimeStatView::AddPoint() {
    CVelor32Doc* doc = Document();
    if (!doc || doc->IsAcquiring3D()) return;
    if (m_bResetPending) ResolvePendingReset();
    if (m_bManual) StopCollection();  // one point per activation
    if (m_model.Count() >= m_model.Capacity()) {
        StopCollection();
        return;
    }
    std::vector<std::optional<double>> values;
    for (int s = 0; s < m_model.SeriesCount(); ++s) values.push_back(PointValue(*doc, *this, SeriesAxis(*this, s)));
    if (!m_model.AddPoint(values)) return;
    m_nCount = static_cast<uint16_t>(m_model.Count());
    doc->SetModifiedFlag(true);
    if (!m_bFrozen) {
        m_bYRescaled = AutoScaleY(*this, m_model) || m_bYRescaled;
        m_bXRescaled = AutoScaleX(*this, m_model.Count()) || m_bXRescaled;
    }
    if (!ChartLive()) return;
    if (m_model.Count() == 1 || m_bXRescaled || m_bYRescaled) {
        RedrawChart();
    } else {
        m_chart->AppendPoint(m_model.Count() - 1);
        if (m_bCalculations) UpdateTable();
    }
}

bool CTimeStatView::ConfirmClear() {
    PausedAcquisition paused(Document());
    if (m_model.Count() == 0 && !m_bResetPending) return true;
    // A second question while one is on screen counts as No.
    if (m_bConfirming) return false;
    m_bConfirming = true;
    const PromptAnswer answer = Host().Prompt().Ask(kEraseQuestion, FrameTitle(), PromptButtons::YesNo, PromptIcon::Stop);
    m_bConfirming = false;
    return answer == PromptAnswer::Yes;
}

void CTimeStatView::ResolvePendingReset() {
    // Declined, the loaded points stay and new ones follow them.
    if (ConfirmClear()) Reset();
    m_bResetPending = false;
}

void CTimeStatView::Reset() {
    m_model.Clear();
    m_nCount = 0;
    m_bResetPending = false;
    ResetXAxis(*this);
    if (ChartLive()) RedrawChart();
}

void CTimeStatView::Recreate() {
    m_model.Recreate(m_nCapacity, m_nSeriesCount);
    Reset();
}

// --- commands ---------------------------------------------------------------------------------

QList<ViewCommand> CTimeStatView::MenuCommands() const {
    return {
        {ID_DATA_COLLECTION, QStringLiteral("&Data Collection"), QKeySequence(QStringLiteral("Ctrl+D"))},
        {ID_TIMING, QStringLiteral("&Timing..."), {}},
        {ID_TS_RESET_GRAPH, QStringLiteral("&Reset Graph"), {}},
        {ID_TS_GRID, QStringLiteral("&Grid On"), {}, true},
        {ID_TS_MEAN, QStringLiteral("M&ean"), {}},
        {ID_TS_MIN_MAX, QStringLiteral("&Min/Max"), {}},
        {ID_TS_STD_DEV, QStringLiteral("&Standard Deviation"), {}},
        {ID_TS_CALCULATIONS, QStringLiteral("Show Ca&lculations"), {}},
        {ID_TS_FONT, QStringLiteral("&Font..."), {}, true},
        {ID_TS_PARAMETERS, QStringLiteral("&Parameters..."), {}},
        {ID_TS_AXES, QStringLiteral("&Axes..."), {}},
    };
}

bool CTimeStatView::OnCommand(int id) {
    CVelor32Doc* doc = Document();
    // A 3D run holds the document: nothing may change it meanwhile.
    if (doc && doc->IsAcquiring3D()) return false;
    // A changed setting, or points dropped, is a change of the measurement's file.
    const CTimeStatData before = *this;
    const bool handled = RunCommand(id);
    if (doc && std::memcmp(static_cast<const CTimeStatData*>(this), &before, sizeof before) != 0) {
        doc->SetModifiedFlag(true);
    }
    return handled;
}

bool CTimeStatView::RunCommand(int id) {
    switch (id) {
        case ID_DATA_COLLECTION:
            if (DataCollection()) {
                StopCollection();
            } else {
                StartCollection();
            }
            return true;
        case ID_TIMING: OnTiming(); return true;
        case ID_TS_RESET_GRAPH:
            if (ConfirmClear()) Reset();
            return true;
        case ID_TS_GRID:
            m_bGrid = m_bGrid ? 0 : 1;
            RedrawChart();
            return true;
        case ID_TS_MEAN:
            m_nStatLines ^= kMeanLine;
            RedrawChart();
            return true;
        case ID_TS_MIN_MAX:
            // Minimum and maximum go together, following the minimum.
            m_nStatLines = (m_nStatLines & kMinLine) ? m_nStatLines & ~(kMinLine | kMaxLine)
                                                      : m_nStatLines | kMinLine | kMaxLine;
            RedrawChart();
            return true;
        case ID_TS_STD_DEV:
            m_nStatLines ^= kSigmaLines;
            RedrawChart();
            return true;
        case ID_TS_CALCULATIONS:
            m_bCalculations = m_bCalculations ? 0 : 1;
            RedrawChart();
            return true;
        case ID_TS_FONT: OnFont(); return true;
        case ID_TS_PARAMETERS: OnParameters(); return true;
        case ID_TS_AXES: OnAxes(); return true;
        default: return CDormView::OnCommand(id);
    }
}

CommandState CTimeStatView::GetCommandState(int id) const {
    const CVelor32Doc* doc = Document();
    if (doc && doc->IsAcquiring3D()) return {false, false, false};
    // The statistics mean something from the third point on.
    const bool statistics = m_model.Count() >= 3;
    switch (id) {
        // Points come only from scans, and scans only while the document acquires.
        case ID_DATA_COLLECTION: return {doc && doc->IsAcquiring(), DataCollection(), false};
        case ID_TIMING:
        case ID_TS_RESET_GRAPH:
        case ID_TS_FONT:
        case ID_TS_PARAMETERS:
        case ID_TS_AXES: return {true, false, false};
        case ID_TS_GRID: return {true, m_bGrid != 0, false};
        case ID_TS_MEAN: return {statistics, (m_nStatLines & kMeanLine) != 0, false};
        case ID_TS_MIN_MAX: return {statistics, (m_nStatLines & kMinLine) != 0, false};
        case ID_TS_STD_DEV: return {statistics, (m_nStatLines & kSigmaLines) != 0, false};
        case ID_TS_CALCULATIONS: return {statistics, m_bCalculations != 0, false};
        default: return CDormView::GetCommandState(id);
    }
}

void CTimeStatView::contextMenuEvent(QContextMenuEvent* event) { ShowCommandMenu(event->globalPos()); }

// --- dialogs ----------------------------------------------------------------------------------

void CTimeStatView::OnTiming() {
    CVelor32Doc* doc = Document();
    PausedAcquisition paused(doc);
    const int maxRate = doc ? doc->GetMaxScanRate() : 10;
    CTimeTimDlg dialog({m_nRate, m_nRateUnit, m_nDuration, m_nDurationUnit, m_bManual != 0, m_model.Capacity()},
                       maxRate, m_nSeriesCount, Host().Prompt(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const TimingValues& v = dialog.GetValues();
    const std::optional<int> capacity = CapacityFor(v.points);
    if (!capacity) {
        Host().Prompt().Message(kTooManyPoints, kParameterError, PromptIcon::Exclamation);
        return;
    }
    const bool changed = v.rate != m_nRate || v.rateUnit != m_nRateUnit || v.duration != m_nDuration ||
                         v.durationUnit != m_nDurationUnit || v.manual != (m_bManual != 0) ||
                         *capacity != m_model.Capacity();
    // The points are dropped only once the user agreed to lose them.
    if (!changed || !ConfirmClear()) return;
    m_nRate = v.rate;
    m_nRateUnit = v.rateUnit;
    m_nDuration = v.duration;
    m_nDurationUnit = v.durationUnit;
    m_bManual = v.manual ? 1 : 0;
    m_nCapacity = static_cast<uint16_t>(*capacity);
    bool axes = false;
    if (m_bManual && m_nXUnit != kUnitPoints) {
        m_nXUnit = kUnitPoints;
        m_fXMax = std::min(m_fXMax, static_cast<float>(m_nCapacity));
        axes = true;
    }
    Recreate();
    if (DataCollection()) RegisterAsClient();
    if (axes) OnAxes();
    RedrawChart();
}

void CTimeStatView::OnAxes() {
    PausedAcquisition paused(Document());
    const VariableInfo& variable = VariableOf(RecordVariable(*this));
    CTimeAxesDlg dialog({m_fYMin, m_fYMax, m_bAutoY != 0, m_fXMin, m_fXMax, m_nXUnit, m_bAutoX != 0},
                        {RateOf(*this), m_model.Capacity(), m_bManual != 0, variable.yLow, variable.yHigh},
                        Host().Prompt(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const AxesValues& v = dialog.GetValues();
    m_bAutoY = v.autoY ? 1 : 0;
    m_bAutoX = v.autoX ? 1 : 0;
    m_fYMin = v.yMin;
    m_fYMax = v.yMax;
    m_fXMin = v.xMin;
    m_fXMax = v.xMax;
    m_nXUnit = v.xUnit;
    m_bXRescaled = m_bYRescaled = true;
    RedrawChart();
}

void CTimeStatView::OnParameters() {
    CVelor32Doc* doc = Document();
    if (!doc) return;
    PausedAcquisition paused(doc);
    ParameterContext context{VariableContextOf(*doc),
                             {doc->GetPhi(0, 0), doc->GetPhi(1, 0)},
                             doc->GetUnits(),
                             QString::fromLatin1(doc->GetRefUnits())};
    CTSParam dialog({RecordVariable(*this), m_nClip, m_nAmplitudeRef, m_nUserAngle, m_nAxisSelection,
                     {m_crSeries[0], m_crSeries[1]}},
                    context, Host().Prompt(), this);
    if (dialog.exec() != QDialog::Accepted || !ConfirmClear()) return;
    const ParameterValues& v = dialog.GetValues();
    SetRecordVariable(*this, v.variable);
    m_nClip = v.clip;
    m_nAmplitudeRef = v.amplitudeRef;
    m_nUserAngle = v.userAngle;
    m_nAxisSelection = v.axisSelection;
    m_nSeriesCount = v.axisSelection == 2 ? 2 : 1;
    m_crSeries[0] = v.colours[0];
    m_crSeries[1] = v.colours[1];
    RenameSeries();
    if (CViewFrame* frame = Frame()) frame->setWindowTitle(FrameTitle());
    Recreate();
    RedrawChart();
}

void CTimeStatView::OnFont() {
    PausedAcquisition paused(Document());
    CTimeStatFontDlg dialog({QString::fromLatin1(m_szFontFace), m_nFontSize, m_bBold != 0}, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const ChartFontChoice choice = dialog.Choice();
    CopyLatin1(m_szFontFace, choice.face);
    m_nFontSize = choice.size;
    m_bBold = choice.bold ? 1 : 0;
    RedrawChart();
}

// --- notifications and the data file ---------------------------------------------------------

void CTimeStatView::OnUpdate(uint32_t hint) {
    const uint16_t event = HintEvent(hint);
    const CVelor32Doc* doc = Document();
    if (event == UM_SCANDONE) {
        if (DataCollection()) AddPoint();
    } else if (event == kHintResetIfPending) {
        if (m_bResetPending) Reset();
    } else if (event == HintEvent(UM_MODECHANGED)) {
        m_nSeriesCount = doc && doc->IsPerpendicular() && m_nAxisSelection == 2 ? 2 : 1;
        Recreate();
    } else if (event == HintEvent(UM_UNITS)) {
        if ((HintParameter(hint) & kAmplitudeUnitsChanged) && RecordVariable(*this) == kAmplitude) {
            RenameSeries();
            Recreate();
        }
    } else if (event == HintEvent(UM_PARAMCHANGED)) {
        Reset();
    } else if (event == kHintFreeze) {
        m_bFrozen = true;
    } else if (event == kHintThaw) {
        m_bFrozen = false;
        RedrawChart();
    } else if (event == UM_ACQSTATE_EVENT) {
        if (HintParameter(hint) != 0) {
            StartCollection();
        } else {
            StopCollection();
        }
    } else {
        CDormView::OnUpdate(hint);
    }
}

bool CTimeStatView::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    return WriteTimeStatBlocks(context.archive, *this, m_model);
}

bool CTimeStatView::ReadSection(SerializeContext& context) {
    if (!CDormView::ReadSection(context)) return false;
    if (!ReadTimeStatBlocks(context.archive, *this, m_model)) return false;
    if (m_nCapacity == 0) {
        // A record that never had a run: the capacity its timing asks for, no points.
        m_nCapacity = static_cast<uint16_t>(CapacityFor(DurationPoints(*this)).value_or(kMaxCapacity));
        m_model.Recreate(m_nCapacity, m_nSeriesCount);
    }
    m_nCount = static_cast<uint16_t>(m_model.Count());
    // The loaded points stay until the user agrees to lose them to new ones.
    m_bResetPending = true;
    m_bXRescaled = m_bYRescaled = true;
    if (CViewFrame* frame = Frame()) frame->setWindowTitle(FrameTitle());
    RedrawChart();
    return true;
}

}  // namespace velor
