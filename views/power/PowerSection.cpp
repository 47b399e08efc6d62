#include "views/power/PowerSection.h"

#include <memory>

#include "document/Velor32Doc.h"
#include "views/power/PowerExport.h"
#include "views/power/PowerRecord.h"

namespace velor {

bool PowerSection::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    return WritePowerRecord(context.archive, Settings());
}

bool PowerSection::ReadSection(SerializeContext& context) {
    if (!DocumentView::ReadSection(context)) return false;
    return ReadPowerRecord(context.archive, Settings());
}

void PowerSection::AppendTextExport(QByteArray& text) {
    // Nothing to report on without a measurement.
    if (auto* doc = dynamic_cast<CVelor32Doc*>(GetDocument())) AppendPowerExport(text, Settings(), *doc);
}

void RegisterHeadlessPowerSection(ViewTypeRegistry& registry) {
    registry.Register(kPowerViewTag, [](CDormDoc& document) {
        return document.AdoptView(std::make_unique<PowerSection>());
    });
}

}  // namespace velor
