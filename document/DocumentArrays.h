#pragma once
// The document's data arrays, allocated together for a given number of 3D scans and freed
// together. Every element starts at zero, except the azimuth scans of a document whose file
// is about to fill them.

#include <array>
#include <cstdint>
#include <vector>

#include "document/GainRangeData.h"
#include "document/LargeBuffer.h"

namespace velor {

// The 3D data set's buffer: large enough to be worth huge pages. Resizing it leaves new
// elements as they are; assign clears them.
using ScanBuffer = std::vector<float, LargeBufferAllocator<float>>;

// Whether the azimuth scans start at zero or are left for the caller to fill whole.
enum class ScanContents { Cleared, FilledByCaller };

inline constexpr int kConePowerCount = 1621;
inline constexpr int kCentroidPowerCapacity = 1801;

struct DocumentArrays {
    std::array<std::vector<float>, 2> profile;        // 3241 per axis
    std::array<std::vector<float>, 2> profileAngles;  // 3241 per axis
    std::array<std::vector<float>, 2> rawSweep;       // 4096 per axis
    std::array<std::vector<float>, 2> sumBuffer;      // 4096 per axis
    std::vector<uint16_t> readBuffer;                 // 4096
    std::array<std::vector<float>, kMaxGainRanges> rangeSweep;  // 4096 per gain range
    std::vector<float> angleGrid;                     // 3241
    std::vector<float> gridWeight;                    // 3241
    ScanBuffer data3D;                                // (N + 1) · 3241
    std::vector<float> scanNoise;                     // N + 1
    std::vector<float> conePower;                     // 1621
    std::vector<float> centroidPower;                 // 1801

    // Throws std::bad_alloc; the caller decides what a failure means.
    void Allocate(uint16_t scans3D, ScanContents scans = ScanContents::Cleared);
    void Free();
};

}  // namespace velor
