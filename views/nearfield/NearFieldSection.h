#pragma once
// The near field view's section without its window: the placement block, then the view's
// record, checked as the view checks it. Lets tools read and write files that carry the view.

#include "document/DocumentView.h"
#include "document/file/ViewTypeRegistry.h"
#include "views/nearfield/NearFieldData.h"

namespace velor {

class NearFieldSection : public DocumentView, public CNearFieldData {
public:
    NearFieldSection() : DocumentView(kNearFieldViewTag) {}

    CNearFieldData& Settings() { return *this; }

    bool WriteSection(SerializeContext& context) override;
    bool ReadSection(SerializeContext& context) override;
};

void RegisterHeadlessNearFieldSection(ViewTypeRegistry& registry);

}  // namespace velor
