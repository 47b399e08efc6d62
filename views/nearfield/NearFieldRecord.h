#pragma once
// The near field view's record in its data-file section, shared by the view window and the
// window-free section: written whole, read into a copy and taken only when its values are
// ones the view's commands and dialogs could have set.

#include "document/file/Archive.h"
#include "views/nearfield/NearFieldData.h"

namespace velor {

// An update rate unit of 0 to 2 and a scale flag of 0 or 1; colours and reserved fields are
// taken as they stand.
bool IsValidNearFieldRecord(const CNearFieldData& record);

bool WriteNearFieldRecord(Archive& archive, const CNearFieldData& record);

// False, with the record unchanged, for a damaged block or impossible values.
bool ReadNearFieldRecord(Archive& archive, CNearFieldData& record);

}  // namespace velor
