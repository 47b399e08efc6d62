#pragma once
// The topographic view's section without its window: the placement block, then the view's
// record, checked as the view checks it. Lets tools write and read measurements carrying
// topographic views.

#include "document/DocumentView.h"
#include "document/file/ViewTypeRegistry.h"
#include "views/topo/TopoData.h"

namespace velor {

class TopoSection : public DocumentView, public C2dData {
public:
    TopoSection() : DocumentView(kTopoViewTag) {}

    C2dData& Settings() { return *this; }

    bool WriteSection(SerializeContext& context) override;
    bool ReadSection(SerializeContext& context) override;
};

void RegisterHeadlessTopoSection(ViewTypeRegistry& registry);

}  // namespace velor
