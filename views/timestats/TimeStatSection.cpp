#include "views/timestats/TimeStatSection.h"

#include <memory>

#include "document/DormDoc.h"
#include "views/timestats/TimeStatRecord.h"

namespace velor {

bool TimeStatSection::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    return WriteTimeStatBlocks(context.archive, Settings(), m_model);
}

bool TimeStatSection::ReadSection(SerializeContext& context) {
    if (!DocumentView::ReadSection(context)) return false;
    return ReadTimeStatBlocks(context.archive, Settings(), m_model);
}

void RegisterHeadlessTimeStatSection(ViewTypeRegistry& registry) {
    registry.Register(kTimeStatViewTag, [](CDormDoc& document) {
        return document.AdoptView(std::make_unique<TimeStatSection>());
    });
}

}  // namespace velor
