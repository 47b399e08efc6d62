#include "views/profile/ProfileSection.h"

#include <memory>

#include "document/DormDoc.h"

namespace velor {

bool ProfileSection::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    return CDataCrc16::WriteBlock(context.archive, &Settings(), sizeof(CProfileData)) != 0;
}

bool ProfileSection::ReadSection(SerializeContext& context) {
    if (!DocumentView::ReadSection(context)) return false;
    // Into a copy: a damaged block must not leave half-read settings behind.
    CProfileData copy = Settings();
    if (CDataCrc16::ReadBlock(context.archive, &copy, sizeof copy) == 0) return false;
    Settings() = copy;
    return true;
}

void RegisterHeadlessProfileSection(ViewTypeRegistry& registry) {
    registry.Register(kProfileViewTag, [](CDormDoc& document) {
        return document.AdoptView(std::make_unique<ProfileSection>());
    });
}

}  // namespace velor
