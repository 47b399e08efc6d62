#pragma once
// The beam statistics view's blocks in its data-file section, shared by the view window and
// the window-free section: the record, then (data files only) the five statistics arrays,
// then the four limit arrays, then, while metric rows are selected, their additional block.
// Read into copies and taken only when the whole section arrived and holds values the view's
// dialogs could have set.

#include "document/file/DataCrc16.h"
#include "views/beamstats/BeamDataData.h"

namespace velor {

// Clips 0 to 100 %, user angles −90° to 90°, sizes, modes, outputs, delimiters and flags
// within the dialog's choices, NUL-terminated texts, a usable font and column widths.
bool IsValidBeamRecord(const CBeamDataData& record);

// Limits set to a number and flags 0 or 1.
bool IsValidBeamLimits(const BeamRowArrays& arrays);
// At most kBeamMetricRows rows, limits set to a number and flags 0 or 1. Kinds this program
// does not know (a newer one's) are allowed: their rows are passed over.
bool IsValidBeamMetrics(const CBeamMetricData& metrics);

// A configuration file carries no statistics: its record is written with N = 0 and its metric
// rows without theirs. The additional block is written only when metric kinds are selected.
bool WriteBeamBlocks(SerializeContext& context, const CBeamDataData& record, const BeamRowArrays& arrays,
                     const CBeamMetricData& metrics);

// False, with record, arrays and metrics unchanged, for a damaged block or impossible values.
// The statistics arrays come only from data files, the limits only from files of version 4.0.1
// on; a section without the additional block has no metric rows.
bool ReadBeamBlocks(SerializeContext& context, CBeamDataData& record, BeamRowArrays& arrays,
                    CBeamMetricData& metrics);

}  // namespace velor
