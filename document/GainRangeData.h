#pragma once
// Wide-range measurement: the number of gain ranges each sweep is taken over and what the
// stored data rest on. Saved in a section of its own after the document's, and only when some
// value differs from a one-range measurement, so files that use no second range are the files
// they have always been. Readers that do not know the section pass it by.

#include <cstddef>
#include <cstdint>

#include "document/file/DataCrc16.h"

namespace velor {

// Each range is 20 dB (one coarse gain step, ten times the signal) above the one before.
inline constexpr int kMinGainRanges = 1;
inline constexpr int kMaxGainRanges = 4;
inline constexpr int kGainRangeStepDb = 20;

// The section's tag: a free view tag, so that readers which keep sections they cannot show
// keep this one too, and readers that skip them skip it.
inline constexpr uint16_t kGainRangeSectionTag = 20;

constexpr bool IsValidGainRanges(int ranges) {
    return ranges >= kMinGainRanges && ranges <= kMaxGainRanges;
}

struct CGainRangeData : CDataCrc16 {
    uint16_t m_nGainRanges = 1;            // ranges the next sweeps take (the setting)
    uint16_t m_nAxisRanges[2] = {1, 1};    // ranges each stored profile was stitched from
    uint16_t m_n3DRanges = 1;              // ranges of every scan of the stored 3D data
    uint16_t m_nProfileGain = 0;           // base gain (dB) of the sweeps behind the profiles

    // A one-range measurement: nothing that needs the section.
    bool IsSingleRange() const {
        return m_nGainRanges == 1 && m_nAxisRanges[0] == 1 && m_nAxisRanges[1] == 1 &&
               m_n3DRanges == 1;
    }
};

static_assert(sizeof(CGainRangeData) == 10);
static_assert(offsetof(CGainRangeData, m_nGainRanges) == 0);
static_assert(offsetof(CGainRangeData, m_nAxisRanges) == 2);
static_assert(offsetof(CGainRangeData, m_n3DRanges) == 6);
static_assert(offsetof(CGainRangeData, m_nProfileGain) == 8);

}  // namespace velor
