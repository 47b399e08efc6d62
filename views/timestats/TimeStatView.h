#pragma once
// The time statistics view: one beam parameter of successive scans charted against time or
// point number, a line per axis with its running mean, extremes and standard deviation, the
// optional statistics lines and table, automatic scaling of both axes, collection at a rate
// for a duration or one point per activation. Its points travel with the measurement file.

#include <QStringList>

#include "views/framework/DormView.h"
#include "views/timestats/TimeStatData.h"
#include "views/timestats/TimeStatModel.h"

namespace velor {

class CChart2D;

enum TimeStatCommandId : int {
    ID_TS_GRID = 32810,
    ID_TS_RESET_GRAPH = 32869,
    ID_TS_MEAN = 32872,
    ID_TS_MIN_MAX = 32873,
    ID_TS_STD_DEV = 32874,
    ID_TS_CALCULATIONS = 32875,
    ID_TS_PARAMETERS = 32876,
    ID_TS_AXES = 32878,
    ID_TS_FONT = 32974,
};

// Notifications the view knows besides the document's usual ones.
inline constexpr uint16_t kHintResetIfPending = 0x094E;
inline constexpr uint16_t kHintFreeze = 0x0FBB;
inline constexpr uint16_t kHintThaw = 0x0FBC;

class CTimeStatView : public CDormView, public CTimeStatData {
    Q_OBJECT

public:
    explicit CTimeStatView(ViewHost& host, QWidget* parent = nullptr);
    ~CTimeStatView() override;

    CChart2D* Chart() const { return m_chart; }
    const TimeStatModel& Model() const { return m_model; }
    bool IsResetPending() const { return m_bResetPending; }
    bool IsFrozen() const { return m_bFrozen; }
    QString FrameTitle() const;
    // The statistics table as shown under the chart; empty while it is off.
    const QStringList& Table() const { return m_table; }

    void OnInitialUpdate() override;
    QList<ViewCommand> MenuCommands() const override;
    bool OnCommand(int id) override;
    CommandState GetCommandState(int id) const override;
    void OnUpdate(uint32_t hint) override;
    bool HoldsCollectedData() const override { return m_model.Count() > 0; }
    bool WriteSection(SerializeContext& context) override;
    void RegisterAsClient() override;
    void RequestRepaint() override;

protected:
    bool ReadSection(SerializeContext& context) override;
    void OnScanDone(int code) override;
    int ClientPeriodMs() const override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool RunCommand(int id);
    void StartCollection();
    void StopCollection();
    void AddPoint();
    // Asks before points are erased; true when they may go.
    bool ConfirmClear();
    // A pending reset happens now if the user agrees; it is no longer pending either way.
    void ResolvePendingReset();
    void Reset();
    // A new set of series or capacity: every point goes.
    void Recreate();
    void SetName(int series, const QString& name);
    void RenameSeries();
    void UpdateTable();
    // Hands everything to the chart again: data sets, labels, font, grid, axes, table.
    void RedrawChart();
    bool ChartLive() const;

    void OnTiming();
    void OnAxes();
    void OnParameters();
    void OnFont();

    CChart2D* m_chart = nullptr;
    TimeStatModel m_model;
    QStringList m_table;
    bool m_bResetPending = false;
    bool m_bConfirming = false;
    bool m_bXRescaled = false;
    bool m_bYRescaled = false;
    bool m_bFrozen = false;
};

}  // namespace velor
