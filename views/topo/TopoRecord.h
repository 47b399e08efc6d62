#pragma once
// The topographic view's record in its data-file section, shared by the view window and the
// window-free section: written whole, read into a copy and taken only when its values are
// ones the view's commands, dialog and camera could have set.

#include "document/file/Archive.h"
#include "views/topo/TopoData.h"

namespace velor {

// One to 64 levels within the clip-level dialog's limits, colours without a high byte, the
// flags 0 or 1, a known resolution, and a camera of finite values above the disc at a
// distance the viewer allows.
bool IsValid2dRecord(const C2dData& record);

bool Write2dRecord(Archive& archive, const C2dData& record);

// False, with the record unchanged, for a damaged block or impossible values.
bool Read2dRecord(Archive& archive, C2dData& record);

}  // namespace velor
