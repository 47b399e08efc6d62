#include "views/view3d/View3dSection.h"

#include <memory>

#include "document/DormDoc.h"
#include "views/view3d/View3dRecord.h"

namespace velor {

bool View3dSection::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    return Write3dRecord(context.archive, Settings());
}

bool View3dSection::ReadSection(SerializeContext& context) {
    if (!DocumentView::ReadSection(context)) return false;
    return Read3dRecord(context.archive, Settings());
}

void RegisterHeadless3dSection(ViewTypeRegistry& registry) {
    registry.Register(k3dViewTag, [](CDormDoc& document) {
        return document.AdoptView(std::make_unique<View3dSection>());
    });
}

}  // namespace velor
