#pragma once
// The rectangular profile view's section without its window: the placement block, then its
// settings record. Lets tools write and read measurement files that carry the view.

#include "document/DocumentView.h"
#include "document/file/ViewTypeRegistry.h"
#include "views/profile/ProfileData.h"

namespace velor {

class ProfileSection : public DocumentView, public CProfileData {
public:
    ProfileSection() : DocumentView(kProfileViewTag) {}

    CProfileData& Settings() { return *this; }

    bool WriteSection(SerializeContext& context) override;
    bool ReadSection(SerializeContext& context) override;
};

void RegisterHeadlessProfileSection(ViewTypeRegistry& registry);

}  // namespace velor
