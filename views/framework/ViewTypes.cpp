#include "views/framework/ViewTypes.h"

#include "document/file/ViewTypeRegistry.h"
#include "views/beamstats/BeamData.h"
#include "views/nearfield/NearFieldView.h"
#include "views/notes/NoteView.h"
#include "views/polar/PolarView.h"
#include "views/power/PowerView.h"
#include "views/profile/PrflView.h"
#include "views/timestats/TimeStatView.h"
#include "views/topo/C2dView.h"
#include "views/view3d/C3dView.h"

namespace velor {

int ViewTypeLimit(uint16_t tag) {
    switch (tag) {
        case k3dViewTag: return 2;
        case kNoteViewTag: return 20;
        case kTimeStatViewTag: return 15;
        default: return 1;
    }
}

QString ViewTypeLimitMessage(uint16_t tag) {
    switch (tag) {
        case k3dViewTag:
        case kTopoViewTag: return QStringLiteral("You may not open more than 5 3D windows");
        case kTimeStatViewTag: return QStringLiteral("You may not open more than 15 Time Statistics windows");
        default: return QString();
    }
}

namespace {

template <typename View>
ViewType TypeOf(uint16_t tag) {
    return ViewType{tag, ViewTypeLimit(tag), ViewTypeLimitMessage(tag),
                    [](ViewHost& host) -> CDormView* { return new View(host); }};
}

}  // namespace

std::vector<ViewType> ViewWindowTypes() {
    return {
        TypeOf<CPrflView>(kProfileViewTag),
        TypeOf<CPolarView>(kPolarViewTag),
        TypeOf<CPowerView>(kPowerViewTag),
        TypeOf<CBeamData>(kBeamDataViewTag),
        TypeOf<CNoteView>(kNoteViewTag),
        TypeOf<CTimeStatView>(kTimeStatViewTag),
        TypeOf<C3dView>(k3dViewTag),
        TypeOf<C2dView>(kTopoViewTag),
        TypeOf<CNearFieldView>(kNearFieldViewTag),
    };
}

}  // namespace velor
