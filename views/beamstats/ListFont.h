#pragma once
// The table's font as the record keeps it, in the Windows-era font record. A positive height is
// a size in points (the record's default, 8, is the classic 8-point dialog font); a negative one
// is a character height in pixels. "MS Sans Serif" stands for the desktop's sans-serif font.

#include <QFont>

#include "views/beamstats/BeamDataData.h"

namespace velor {

QFont FontFromLogFont(const LogFont& record);
LogFont LogFontFromFont(const QFont& font);

}  // namespace velor
