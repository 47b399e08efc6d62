#pragma once
// What the clip-level colour dialog accepts as a new level, and how it writes a level: a
// percentage with at most one decimal, within the caller's limits, not yet in the list, and
// no more levels than a record holds.

#include <QString>
#include <cstdint>
#include <span>

namespace velor {

// "100.0%" for 1000: the whole percent, a point, the tenth and a per-cent sign.
QString ClipLevelText(uint16_t tenths);

struct ClipLevelCheck {
    bool accepted = false;
    uint16_t tenths = 0;  // the level, when accepted
    QString message;      // why not, and the caption of that message
    QString caption;
};

// The edit field's text (a trailing per-cent sign allowed, as a selected row puts it there)
// checked against the limits (tenths) and the levels already listed.
ClipLevelCheck CheckNewClipLevel(const QString& text, uint16_t minTenths, uint16_t maxTenths,
                                 std::span<const uint16_t> listed);

}  // namespace velor
