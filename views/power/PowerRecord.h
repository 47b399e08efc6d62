#pragma once
// The power view's record in its data-file section, shared by the view window and the
// window-free section: written whole, read into a copy and taken only when its values are
// ones the view's commands and dialogs could have set.

#include "document/file/Archive.h"
#include "views/power/PowerData.h"

namespace velor {

// Cone angles 0 to 90 degrees, percentages 0 to 100, three flags a bit each and the two
// switches 0 or 1. The copies of the document's calibration are not judged: every use
// refreshes them first.
bool IsValidPowerRecord(const CPowerData& record);

bool WritePowerRecord(Archive& archive, const CPowerData& record);

// False, with the record unchanged, for a damaged block or impossible values.
bool ReadPowerRecord(Archive& archive, CPowerData& record);

}  // namespace velor
