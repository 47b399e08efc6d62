#pragma once
// The power view's section without its window: the placement block, then the view's record,
// checked as the view checks it, and the view's part of the ASCII export computed as the
// view computes it. Lets tools write, read and export measurements carrying a power view.

#include "document/DocumentView.h"
#include "document/file/ViewTypeRegistry.h"
#include "views/power/PowerData.h"

namespace velor {

class PowerSection : public DocumentView, public CPowerData {
public:
    PowerSection() : DocumentView(kPowerViewTag) {}

    CPowerData& Settings() { return *this; }

    bool WriteSection(SerializeContext& context) override;
    bool ReadSection(SerializeContext& context) override;
    void AppendTextExport(QByteArray& text) override;
};

void RegisterHeadlessPowerSection(ViewTypeRegistry& registry);

}  // namespace velor
