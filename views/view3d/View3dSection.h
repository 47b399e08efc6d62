#pragma once
// The 3D view's section without its window: the placement block, then the view's record,
// checked as the view checks it. Lets tools write and read measurements carrying 3D views.

#include "document/DocumentView.h"
#include "document/file/ViewTypeRegistry.h"
#include "views/view3d/View3dData.h"

namespace velor {

class View3dSection : public DocumentView, public C3dData {
public:
    View3dSection() : DocumentView(k3dViewTag) {}

    C3dData& Settings() { return *this; }

    bool WriteSection(SerializeContext& context) override;
    bool ReadSection(SerializeContext& context) override;
};

void RegisterHeadless3dSection(ViewTypeRegistry& registry);

}  // namespace velor
