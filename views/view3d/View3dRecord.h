#pragma once
// The 3D view's record in its data-file section, shared by the view window and the
// window-free section: written whole, read into a copy and taken only when its values are
// ones the view's commands, dialog and camera could have set.

#include "document/file/Archive.h"
#include "views/view3d/View3dData.h"

namespace velor {

// One to 64 levels within the clip-level dialog's limits, colours without a high byte, the
// flags 0 or 1, a known kind and resolution, and a camera of finite values that can look
// somewhere: a distance above 0 and, when orthographic, a height above 0.
bool IsValid3dRecord(const C3dData& record);

bool Write3dRecord(Archive& archive, const C3dData& record);

// False, with the record unchanged, for a damaged block or impossible values.
bool Read3dRecord(Archive& archive, C3dData& record);

}  // namespace velor
