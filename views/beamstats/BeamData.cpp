#include "views/beamstats/BeamData.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "document/UpdateHints.h"
#include "document/Velor32Doc.h"
#include "views/beamstats/BeamDataParameters.h"
#include "views/beamstats/BeamRecord.h"
#include "views/beamstats/BeamSettings.h"
#include "views/beamstats/BeamTableModel.h"
#include "views/beamstats/CellDelegate.h"
#include "views/beamstats/ListFont.h"
#include "views/beamstats/LogPort.h"
#include "views/beamstats/MeasLimDlg.h"
#include "views/beamstats/StateIcons.h"
#include "views/framework/ViewFrame.h"
#include "views/framework/ViewHost.h"

namespace velor {
namespace {

// A notification that asks the views for a fresh look at the data: here, one sample.
constexpr uint16_t kHintSample = 0x094E;
// The document keeps no identity of its data set; the watch compares against this.
constexpr uint32_t kDataSetIdentity = 0;
// The pause before the limits dialog, so a scan in progress does not race the user.
constexpr int kLimitsPauseMs = 500;
constexpr int kMaxShownWidth = 32767;

std::optional<QFont> ChooseFontWithDialog(const QFont& initial, QWidget* parent) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    if (!ok) return std::nullopt;
    return font;
}

// What the data file carries of the view: its record, its rows' statistics and limits and
// the metric rows' selection.
struct Carried {
    CBeamDataData record;
    BeamRowArrays arrays;
    uint32_t metricKinds;
    bool operator==(const Carried& other) const {
        return std::memcmp(&record, &other.record, sizeof record) == 0 &&
               std::memcmp(&arrays, &other.arrays, sizeof arrays) == 0 && metricKinds == other.metricKinds;
    }
};

}  // namespace

CBeamData::CBeamData(ViewHost& host, QWidget* parent)
    : CDormView(kBeamDataViewTag, host, parent),
      m_statistics(*this, m_arrays, &m_nMetricKinds),
      m_log(*this, host.Prompt()),
      m_fontChooser(ChooseFontWithDialog) {
    ReadBeamSettings(SectionName(), *this);
    ReadBeamMetricSettings(SectionName(), m_nMetricKinds);
    m_statistics.RecreateWindows();

    m_model = new BeamTableModel(m_statistics, this);
    m_list = new QTreeView(this);
    m_list->setObjectName(QStringLiteral("beamList"));
    m_list->setModel(m_model);
    m_delegate = new CellDelegate(m_list);
    m_list->setItemDelegate(m_delegate);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSortingEnabled(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionsMovable(false);
    m_list->header()->setSectionsClickable(true);  // the header's buttons; clicking sorts nothing
    m_list->installEventFilter(this);
    connect(m_list, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) { EditLimits(index.row()); });
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowContextMenu(m_list->viewport()->mapToGlobal(pos)); });
    connect(m_list->header(), &QHeaderView::sectionResized, this,
            [this](int position, int, int width) { OnColumnResized(position, width); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    setFocusProxy(m_list);
    ApplyFont();
}

CBeamData::~CBeamData() = default;

// --- lifecycle ----------------------------------------------------------------------------------

void CBeamData::OnInitialUpdate() {
    CVelor32Doc* doc = Document();
    if (doc && m_nUpdateRateUnit == 0 && m_nUpdateRate > doc->GetMaxScanRate()) {
        m_nUpdateRate = static_cast<uint16_t>(doc->GetMaxScanRate());
    }
    if (doc && doc->IsAcquiring()) SetDataCollection(true);
    Rebuild(false);
    Recompute();
    ShowTitle();
    CDormView::OnInitialUpdate();
}

void CBeamData::StoreSettings() {
    CDormView::StoreSettings();
    WriteBeamSettings(SectionName(), *this);
    WriteBeamMetricSettings(SectionName(), m_nMetricKinds);
}

void CBeamData::ShowTitle() {
    if (CViewFrame* frame = Frame()) {
        frame->setWindowTitle(QStringLiteral("Beam Statistics %1 samples - Lumora Inc.").arg(m_nSamples));
    }
}

void CBeamData::ApplyFont() {
    const QFont font = FontFromLogFont(m_lfList);
    m_list->setFont(font);
    m_delegate->SetFont(font);
    const int size = StateIconSize(QFontMetrics(font).height());
    m_list->setIconSize(QSize(size, size));
    m_model->SetIconSize(size);
}

// --- rows and samples ---------------------------------------------------------------------------

BeamStatistics::ValueSource CBeamData::Values() const {
    const CVelor32Doc* doc = Document();
    return [doc](const BeamRow& row) { return doc ? BeamRowValue(row, *doc) : 0.0; };
}

void CBeamData::Rebuild(bool writeHeader) {
    const CVelor32Doc* doc = Document();
    if (!doc) return;
    m_statistics.RebuildRows(RowContextOf(*doc));
    ReloadColumns();
    if (writeHeader) m_log.WriteHeader(m_statistics.Rows());
}

void CBeamData::Recompute() {
    m_statistics.Recompute(Values());
    m_model->Refresh();
    FitColumns(false);
}

void CBeamData::Reset() {
    m_statistics.Reset();
    Rebuild(false);
    Recompute();
    ShowTitle();
}

void CBeamData::TakeSample() {
    Changing([this] { Sample(); });
}

void CBeamData::Sample() {
    CVelor32Doc* doc = Document();
    if (!doc) return;
    bool rebuilt = false;
    if (m_bPointing && m_nDataSetId != kDataSetIdentity) {
        // Another data set: its statistics start afresh.
        m_nDataSetId = kDataSetIdentity;
        m_statistics.Reset();
        Rebuild(false);
        rebuilt = true;
    }
    if (m_nStatMode == kStatFinite && m_nSamples >= m_nFiniteSize) {
        SetDataCollection(false);
        return;
    }
    // The model's change reaches the list as one repaint in the next pass of the event loop.
    m_statistics.TakeSample(Values(), &m_log);
    m_model->Refresh();
    // Columns do not narrow sample by sample: the table would twitch as values come and go.
    FitColumns(!rebuilt);
    if (!m_statistics.Rows().empty()) ShowTitle();
}

void CBeamData::OnScanDone(int) { TakeSample(); }

void CBeamData::OnUpdate(uint32_t hint) {
    switch (HintEvent(hint)) {
        case UM_SCANDONE:
            if (DataCollection()) TakeSample();
            break;
        case kHintSample: TakeSample(); break;
        case HintEvent(UM_RECOMPUTE):
            Changing([this] {
                Reset();
                Sample();
            });
            break;
        case HintEvent(UM_MODECHANGED):
        case HintEvent(UM_UNITS):
        case HintEvent(UM_PARAMCHANGED): Changing([this] { Reset(); }); break;
        default: CDormView::OnUpdate(hint); break;
    }
}

void CBeamData::Changing(const std::function<void()>& change) {
    const Carried before{*this, m_arrays, m_nMetricKinds};
    change();
    if (!(Carried{*this, m_arrays, m_nMetricKinds} == before)) {
        if (CVelor32Doc* doc = Document()) doc->SetModifiedFlag(true);
    }
}

int CBeamData::ClientPeriodMs() const { return PlotPeriodMs(m_nUpdateRate, m_nUpdateRateUnit); }

// --- columns ------------------------------------------------------------------------------------

void CBeamData::ReloadColumns() {
    m_restoringWidths = true;
    m_model->Reload();
    m_restoringWidths = false;
}

void CBeamData::FitColumns(bool growOnly) {
    QHeaderView* header = m_list->header();
    const int icon = m_list->iconSize().width();
    const std::vector<BeamCells>& cells = m_statistics.Cells();
    m_restoringWidths = true;
    for (int position = 0; position < m_model->columnCount(); ++position) {
        const int kind = m_model->ColumnKind(position);
        int width = 0;
        if (m_userSizedColumns.count(kind)) {
            width = static_cast<int>(std::min<uint32_t>(ColumnWidth(kind), kMaxShownWidth));
        } else {
            width = header->sectionSizeHint(position);
            for (const BeamCells& row : cells) {
                width = std::max(
                    width, m_delegate->CellWidth(row.text[kind], kind == kColParameter ? icon : 0));
            }
            if (growOnly) width = std::max(width, header->sectionSize(position));
        }
        if (header->sectionSize(position) != width) header->resizeSection(position, width);
    }
    m_restoringWidths = false;
}

void CBeamData::OnColumnResized(int position, int width) {
    // A width the user sets stays with its column, whichever others are shown, while the view
    // lives; the record keeps it for the data file.
    if (m_restoringWidths || position < 0 || position >= m_model->columnCount() || width < 0) return;
    const int kind = m_model->ColumnKind(position);
    m_userSizedColumns.insert(kind);
    ColumnWidth(kind) = static_cast<uint32_t>(width);
}

// --- commands -----------------------------------------------------------------------------------

QList<ViewCommand> CBeamData::MenuCommands() const {
    return {
        {ID_DATA_COLLECTION, QStringLiteral("&Data Collection"), QKeySequence(QStringLiteral("Ctrl+D"))},
        {ID_TIMING, QStringLiteral("&Timing..."), {}},
        {ID_BEAM_RESET, QStringLiteral("&Reset"), {}, true},
        {ID_BEAM_PARAMETERS, QStringLiteral("&Parameters..."), {}},
        {ID_BEAM_FONT, QStringLiteral("&Font..."), {}},
        {ID_BEAM_LOG, QStringLiteral("&Log"), QKeySequence(QStringLiteral("Ctrl+L")), true},
        // Ctrl+C reaches this command through Edit > Copy.
        {ID_EDIT_COPY, QStringLiteral("&Copy"), {}},
    };
}

CommandState CBeamData::GetCommandState(int id) const {
    const CVelor32Doc* doc = Document();
    // A 3D run holds the document.
    if (doc && doc->IsAcquiring3D()) return {false, false, false};
    switch (id) {
        case ID_TIMING: return {doc && !doc->IsViewTimingLocked(), false, false};
        case ID_BEAM_RESET:
        case ID_BEAM_PARAMETERS:
        case ID_BEAM_FONT:
        case ID_EDIT_COPY: return {true, false, false};
        // A station that measures takes a sample at the user's word; a viewer has nothing new.
        case ID_BEAM_LOG: return {doc && doc->HasInstrument(), false, false};
        default: return CDormView::GetCommandState(id);
    }
}

bool CBeamData::OnCommand(int id) {
    if (!GetCommandState(id).enabled) return false;
    bool handled = false;
    Changing([&] { handled = RunCommand(id); });
    return handled;
}

bool CBeamData::RunCommand(int id) {
    switch (id) {
        case ID_TIMING: OnTiming(); return true;
        case ID_BEAM_RESET: Reset(); return true;
        case ID_BEAM_PARAMETERS: OnParameters(); return true;
        case ID_BEAM_FONT: OnFont(); return true;
        case ID_BEAM_LOG: PostScanDone(0); return true;
        case ID_EDIT_COPY: CopyTable(); return true;
        default: return CDormView::OnCommand(id);
    }
}

void CBeamData::ShowContextMenu(const QPoint& globalPos) {
    QMenu menu(this);
    for (const ViewCommand& command : MenuCommands()) {
        if (command.separatorBefore) menu.addSeparator();
        QAction* action = menu.addAction(command.text);
        action->setShortcut(command.shortcut);
        const CommandState state = GetCommandState(command.id);
        action->setEnabled(state.enabled);
        action->setCheckable(state.checked);
        action->setChecked(state.checked);
        action->setData(command.id);
    }
    if (QAction* chosen = menu.exec(globalPos)) OnCommand(chosen->data().toInt());
}

void CBeamData::OnTiming() { AskPlotFrequency(m_nUpdateRate, m_nUpdateRateUnit); }

void CBeamData::OnParameters() {
    CBeamDataParameters dialog(*this, LogPortChoices(), Host().Prompt(), this, &CFileLogDlg::Ask, m_nMetricKinds);
    if (dialog.exec() == QDialog::Accepted) {
        CBeamDataData chosen = *this;
        dialog.StoreChoices(chosen);
        ApplyParameters(chosen, dialog.OverwriteLog(), dialog.MetricKinds());
    } else {
        OpenLog(false);
    }
}

void CBeamData::ApplyParameters(const CBeamDataData& chosen, bool overwriteLog, std::optional<uint32_t> metricKinds) {
    Changing([&] {
        CBeamDataData& record = *this;
        const uint32_t samples = m_nSamples;
        record = chosen;
        m_nSamples = samples;
        if (metricKinds) m_nMetricKinds = *metricKinds;
        OpenLog(overwriteLog);
        m_statistics.RecreateWindows();
        m_statistics.Reset();
        Rebuild(true);
        Recompute();
        ShowTitle();
    });
}

void CBeamData::OpenLog(bool overwrite) {
    if (!m_log.Open(overwrite)) SetDataCollection(false);
}

void CBeamData::OnFont() {
    const std::optional<QFont> chosen = m_fontChooser ? m_fontChooser(m_list->font(), this) : std::nullopt;
    if (!chosen) return;
    m_lfList = LogFontFromFont(*chosen);
    ApplyFont();
    Rebuild(false);
    Recompute();
}

void CBeamData::EditLimits(int row) {
    CVelor32Doc* doc = Document();
    if (!doc || doc->IsAcquiring3D() || row < 0 || row >= static_cast<int>(m_statistics.Rows().size())) return;
    doc->PauseAcquisitionFor(kLimitsPauseMs);
    const MeasLimits limits{m_arrays.minLimitSet[row] != 0, static_cast<float>(m_arrays.minLimit[row]),
                            m_arrays.maxLimitSet[row] != 0, static_cast<float>(m_arrays.maxLimit[row])};
    CMeasLimDlg dialog(m_statistics.Rows()[static_cast<size_t>(row)].name, limits, Host().Prompt(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    Changing([&] {
        const MeasLimits& chosen = dialog.Limits();
        m_arrays.minLimitSet[row] = chosen.minSet ? 1 : 0;
        m_arrays.minLimit[row] = chosen.minValue;
        m_arrays.maxLimitSet[row] = chosen.maxSet ? 1 : 0;
        m_arrays.maxLimit[row] = chosen.maxValue;
        Rebuild(false);
        Recompute();
    });
}

void CBeamData::CopyTable() {
    CViewFrame* frame = Frame();
    if (frame && frame->isMinimized()) return;
    QApplication::clipboard()->setText(m_statistics.CopyText());
}

bool CBeamData::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_list || event->type() != QEvent::KeyPress) return CDormView::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Space) {
        const QModelIndex current = m_list->currentIndex();
        if (current.isValid()) EditLimits(current.row());
        return true;
    }
    // The list on its own would copy the one cell that has the focus; Copy is the whole table.
    if (key->matches(QKeySequence::Copy)) {
        OnCommand(ID_EDIT_COPY);
        return true;
    }
    return CDormView::eventFilter(watched, event);
}

// --- data file ----------------------------------------------------------------------------------

bool CBeamData::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    return WriteBeamBlocks(context, *this, m_arrays, m_statistics.MetricData(m_nMetricKinds));
}

bool CBeamData::ReadSection(SerializeContext& context) {
    if (!CDormView::ReadSection(context)) return false;
    CBeamMetricData metrics;
    if (!ReadBeamBlocks(context, *this, m_arrays, metrics)) return false;
    // The file's selection of metric rows, as of the classic ones; kinds of a newer program
    // keep their bits, though this one builds no rows for them.
    m_nMetricKinds = metrics.m_nKinds;
    // The statistics come as saved; the limits stand with the rows they were saved with.
    m_statistics.RecreateWindows();
    ApplyFont();
    if (const CVelor32Doc* doc = Document()) {
        m_statistics.BuildRows(RowContextOf(*doc));
        m_statistics.PlaceMetricData(metrics);
    }
    ReloadColumns();
    Recompute();
    ShowTitle();
    return true;
}

}  // namespace velor
