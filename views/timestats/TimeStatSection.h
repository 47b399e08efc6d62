#pragma once
// The time statistics view's section without its window: the placement block, the record and
// the points, checked as the view checks them. Lets tools write and read measurements that
// carry time statistics, points included.

#include "document/DocumentView.h"
#include "document/file/ViewTypeRegistry.h"
#include "views/timestats/TimeStatData.h"
#include "views/timestats/TimeStatModel.h"

namespace velor {

class TimeStatSection : public DocumentView, public CTimeStatData {
public:
    TimeStatSection() : DocumentView(kTimeStatViewTag) {}

    CTimeStatData& Settings() { return *this; }
    TimeStatModel& Model() { return m_model; }

    bool WriteSection(SerializeContext& context) override;
    bool ReadSection(SerializeContext& context) override;

private:
    TimeStatModel m_model;
};

void RegisterHeadlessTimeStatSection(ViewTypeRegistry& registry);

}  // namespace velor
