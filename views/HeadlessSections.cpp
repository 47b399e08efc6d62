#include "views/HeadlessSections.h"

#include "views/beamstats/BeamSection.h"
#include "views/chart/ChartSection.h"
#include "views/notes/NoteSection.h"
#include "views/power/PowerSection.h"

namespace velor {

void RegisterHeadlessViewSections(ViewTypeRegistry& registry) {
    RegisterHeadlessNoteSection(registry);
    ProfileSection::Register(registry);
    PolarSection::Register(registry);
    RegisterHeadlessPowerSection(registry);
    RegisterHeadlessBeamSection(registry);
}

}  // namespace velor
