#pragma once
// The time statistics view's part of its data-file section, shared by the view window and the
// window-free section: the record, then each series' points as floats in blocks of 1024. A
// record is taken only when its values are ones the view's commands and dialogs could have
// set, and the points only when every block is whole.

#include "document/file/Archive.h"
#include "views/timestats/TimeStatData.h"
#include "views/timestats/TimeStatModel.h"

namespace velor {

inline constexpr int kValuesPerBlock = 1024;

bool IsValidTimeStatRecord(const CTimeStatData& record);

// The record (with the model's count) and the model's points.
bool WriteTimeStatBlocks(Archive& archive, const CTimeStatData& record, const TimeStatModel& model);

// False, with record and model unchanged, for a damaged or short block or impossible values.
// On success the model holds the record's capacity and the loaded points with their
// statistics recomputed.
bool ReadTimeStatBlocks(Archive& archive, CTimeStatData& record, TimeStatModel& model);

}  // namespace velor
