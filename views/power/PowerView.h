#pragma once
// The power view: how the source's power is spread over cones about the optical axis or the
// 3D centroid, as a chart of the power within a cone against its half-angle and a panel with
// the total, the power within three cones and the cones holding three shares of the total.

#include "views/chart/DisplayListView.h"
#include "views/power/PowerChart.h"
#include "views/power/PowerData.h"

namespace velor {

enum PowerCommandId : int {
    ID_POWER_OPTICAL_AXIS = 33129,
    ID_POWER_CENTROID = 33130,
    ID_POWER_PARAMETERS = 32876,
    ID_POWER_COLORS = 33095,
};

class CPowerView : public CDisplayListView, public CPowerData {
    Q_OBJECT

public:
    explicit CPowerView(ViewHost& host, QWidget* parent = nullptr);

    // What the last redraw computed: zero without a calibration.
    const PowerResults& Results() const { return m_results; }
    const PowerLayout& Layout() const { return m_layout; }

    void OnInitialUpdate() override;
    QList<ViewCommand> MenuCommands() const override;
    bool OnCommand(int id) override;
    CommandState GetCommandState(int id) const override;
    void OnUpdate(uint32_t hint) override;
    bool WriteSection(SerializeContext& context) override;
    void AppendTextExport(QByteArray& text) override;

protected:
    bool ReadSection(SerializeContext& context) override;
    ColourRecord Colours() override;
    void LayOut(const QFontMetrics& axisFont) override;
    std::vector<DisplayList> Render() override;

private:
    bool RunCommand(int id);
    void OnParameters();

    PowerLayout m_layout;
    PowerResults m_results;
};

}  // namespace velor
