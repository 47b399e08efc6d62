#include "views/nearfield/NearFieldSection.h"

#include <memory>

#include "document/DormDoc.h"
#include "views/nearfield/NearFieldRecord.h"

namespace velor {

bool NearFieldSection::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    return WriteNearFieldRecord(context.archive, Settings());
}

bool NearFieldSection::ReadSection(SerializeContext& context) {
    if (!DocumentView::ReadSection(context)) return false;
    return ReadNearFieldRecord(context.archive, Settings());
}

void RegisterHeadlessNearFieldSection(ViewTypeRegistry& registry) {
    registry.Register(kNearFieldViewTag, [](CDormDoc& document) {
        return document.AdoptView(std::make_unique<NearFieldSection>());
    });
}

}  // namespace velor
