#pragma once
// The beam statistics view: a table with one row per selected beam parameter of the current
// measurement, its latest value and its statistics over the samples taken, the user's limits
// with an icon for their state, and a log of every sample to a file or a serial port. A sample
// is taken for each scan the view asked for while data collection is on, on Log, and on some
// of the document's notifications.

#include <QFont>
#include <functional>
#include <optional>
#include <set>

#include "views/beamstats/BeamDataData.h"
#include "views/beamstats/BeamLog.h"
#include "views/beamstats/BeamStatistics.h"
#include "views/framework/DormView.h"

class QTreeView;

namespace velor {

class BeamTableModel;
class CellDelegate;

enum BeamCommandId : int {
    ID_BEAM_RESET = 32861,
    ID_BEAM_PARAMETERS = 32876,
    ID_BEAM_LOG = 32924,
    ID_BEAM_FONT = 32974,
};

class CBeamData : public CDormView, public CBeamDataData {
    Q_OBJECT

public:
    // Asks for a font starting from the list's; nothing when the user cancels.
    using FontChooser = std::function<std::optional<QFont>(const QFont& initial, QWidget* parent)>;

    explicit CBeamData(ViewHost& host, QWidget* parent = nullptr);
    ~CBeamData() override;

    const BeamStatistics& Statistics() const { return m_statistics; }
    BeamRowArrays& RowArrays() { return m_arrays; }
    // The metric rows selected (bits of BeamMetricKinds.h).
    uint32_t MetricKinds() const { return m_nMetricKinds; }
    const BeamLog& Log() const { return m_log; }
    QTreeView* List() const { return m_list; }
    BeamTableModel* Model() const { return m_model; }
    void SetFontChooser(FontChooser chooser) { m_fontChooser = std::move(chooser); }

    // One sample of every row, logged when a log is open.
    void TakeSample();
    // What OK of the Parameters dialog does with its choices: the log reopened, the
    // statistics restarted, the rows rebuilt with the log's header. The metric rows stay as
    // they are unless a selection of them is given.
    void ApplyParameters(const CBeamDataData& chosen, bool overwriteLog,
                         std::optional<uint32_t> metricKinds = std::nullopt);
    // The Measurement Limits dialog on a row, after a short pause of acquisition.
    void EditLimits(int row);

    void OnInitialUpdate() override;
    QList<ViewCommand> MenuCommands() const override;
    bool OnCommand(int id) override;
    CommandState GetCommandState(int id) const override;
    void OnUpdate(uint32_t hint) override;
    bool HoldsCollectedData() const override { return m_nSamples > 0; }
    bool WriteSection(SerializeContext& context) override;
    void StoreSettings() override;

protected:
    bool ReadSection(SerializeContext& context) override;
    void OnScanDone(int code) override;
    int ClientPeriodMs() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool RunCommand(int id);
    // Runs a change and marks the measurement modified when what its file carries changed.
    void Changing(const std::function<void()>& change);
    void Sample();
    void Reset();
    void Rebuild(bool writeHeader);
    void Recompute();
    void ShowTitle();
    void ApplyFont();
    // Every column as wide as its heading and its cells need (only ever wider while samples
    // come in), except those the user has sized while the view lives.
    void FitColumns(bool growOnly);
    void ReloadColumns();
    void OnColumnResized(int position, int width);
    void OpenLog(bool overwrite);
    void OnParameters();
    void OnFont();
    void OnTiming();
    void CopyTable();
    void ShowContextMenu(const QPoint& globalPos);
    BeamStatistics::ValueSource Values() const;

    uint32_t m_nMetricKinds = 0;
    BeamRowArrays m_arrays;
    BeamStatistics m_statistics;
    BeamLog m_log;
    BeamTableModel* m_model = nullptr;
    CellDelegate* m_delegate = nullptr;
    QTreeView* m_list = nullptr;
    FontChooser m_fontChooser;
    bool m_restoringWidths = false;
    // The column kinds whose width the user has set.
    std::set<int> m_userSizedColumns;
};

}  // namespace velor
