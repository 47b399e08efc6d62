#pragma once
// The near field view: the near field computed from each measured axis's far field, against
// radius, with the mode-field diameter, the effective area and the dynamic range beside it.
// The document computes the near field when the view first asks and keeps it until the profile
// changes; while data collection is on the view asks again at its plot frequency.

#include "views/chart/DisplayListView.h"
#include "views/nearfield/NearFieldData.h"

namespace velor {

enum NearFieldCommandId : int {
    ID_NEAR_FIELD_LINEAR = 33171,
    ID_NEAR_FIELD_LOGARITHMIC = 33148,  // as the profile views' Logarithmic
    ID_NEAR_FIELD_COLORS = 33095,
};

class CNearFieldView : public CDisplayListView, public CNearFieldData {
    Q_OBJECT

public:
    explicit CNearFieldView(ViewHost& host, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    QList<ViewCommand> MenuCommands() const override;
    bool OnCommand(int id) override;
    CommandState GetCommandState(int id) const override;
    void OnUpdate(uint32_t hint) override;
    bool WriteSection(SerializeContext& context) override;

protected:
    bool ReadSection(SerializeContext& context) override;
    void OnScanDone(int code) override;
    int ClientPeriodMs() const override;
    ColourRecord Colours() override;
    void LayOut(const QFontMetrics& axisFont) override;
    std::vector<DisplayList> Render() override;

private:
    bool RunCommand(int id);
    void OnTiming();

    QSize m_chartSize;
};

}  // namespace velor
