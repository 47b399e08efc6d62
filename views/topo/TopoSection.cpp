#include "views/topo/TopoSection.h"

#include <memory>

#include "document/DormDoc.h"
#include "views/topo/TopoRecord.h"

namespace velor {

bool TopoSection::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    return Write2dRecord(context.archive, Settings());
}

bool TopoSection::ReadSection(SerializeContext& context) {
    if (!DocumentView::ReadSection(context)) return false;
    return Read2dRecord(context.archive, Settings());
}

void RegisterHeadlessTopoSection(ViewTypeRegistry& registry) {
    registry.Register(kTopoViewTag, [](CDormDoc& document) {
        return document.AdoptView(std::make_unique<TopoSection>());
    });
}

}  // namespace velor
