#include "views/HeadlessSections.h"

#include "views/beamstats/BeamSection.h"
#include "views/chart/ChartSection.h"
#include "views/nearfield/NearFieldSection.h"
#include "views/notes/NoteSection.h"
#include "views/power/PowerSection.h"
#include "views/timestats/TimeStatSection.h"
#include "views/topo/TopoSection.h"
#include "views/view3d/View3dSection.h"

namespace velor {

void RegisterHeadlessViewSections(ViewTypeRegistry& registry) {
    RegisterHeadlessNoteSection(registry);
    ProfileSection::Register(registry);
    PolarSection::Register(registry);
    RegisterHeadlessPowerSection(registry);
    RegisterHeadlessBeamSection(registry);
    RegisterHeadlessTimeStatSection(registry);
    RegisterHeadless3dSection(registry);
    RegisterHeadlessTopoSection(registry);
    RegisterHeadlessNearFieldSection(registry);
}

}  // namespace velor
