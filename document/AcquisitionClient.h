#pragma once
// A window that asked the document for scans.

#include <cstdint>

namespace velor {

class AcquisitionClientWindow {
public:
    virtual ~AcquisitionClientWindow() = default;
    // Posts the scan-complete message: 1 axis 0, 2 axis 1, 3 both axes.
    virtual void PostScanDone(int code) = 0;
};

struct AcquisitionClient {
    int32_t remaining = 0;  // scans still wanted; negative never runs out; 0 inactive
    AcquisitionClientWindow* window = nullptr;
    int32_t period = 0;     // milliseconds between scans
    uint32_t last = 0;      // time of the last scan started for it
};

inline constexpr int kAcquisitionClientSlots = 15;

}  // namespace velor
