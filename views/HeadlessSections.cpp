#include "views/HeadlessSections.h"

#include "views/notes/NoteSection.h"
#include "views/profile/ProfileSection.h"

namespace velor {

void RegisterHeadlessViewSections(ViewTypeRegistry& registry) {
    RegisterHeadlessNoteSection(registry);
    RegisterHeadlessProfileSection(registry);
}

}  // namespace velor
