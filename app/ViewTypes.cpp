#include "app/ViewTypes.h"

#include "document/file/ViewTypeRegistry.h"

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

}  // namespace velor
