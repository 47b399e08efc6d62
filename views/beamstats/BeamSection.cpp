#include "views/beamstats/BeamSection.h"

#include <memory>

#include "document/DormDoc.h"
#include "views/beamstats/BeamRecord.h"

namespace velor {

bool BeamSection::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    return WriteBeamBlocks(context, Settings(), m_rows, m_metrics);
}

bool BeamSection::ReadSection(SerializeContext& context) {
    if (!DocumentView::ReadSection(context)) return false;
    return ReadBeamBlocks(context, Settings(), m_rows, m_metrics);
}

void RegisterHeadlessBeamSection(ViewTypeRegistry& registry) {
    registry.Register(kBeamDataViewTag, [](CDormDoc& document) {
        return document.AdoptView(std::make_unique<BeamSection>());
    });
}

}  // namespace velor
