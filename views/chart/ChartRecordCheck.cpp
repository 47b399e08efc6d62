#include "views/chart/ChartRecordCheck.h"

#include <cmath>

namespace velor {
namespace {

// The Zoom Angle dialog's bounds; the grid is a spacing in whole degrees within the window.
constexpr float kMaxZoomRange = 180.0f;
constexpr float kMaxZoomOffset = 90.0f;
constexpr int32_t kMaxZoomGrid = 180;
constexpr uint16_t kLastUpdateRateUnit = 2;  // per hour

}  // namespace

bool IsValidChartRecord(float zoomRange, float zoomOffset, int32_t zoomGrid, uint16_t updateRateUnit) {
    return std::isfinite(zoomRange) && zoomRange > 0.0f && zoomRange <= kMaxZoomRange &&
           std::isfinite(zoomOffset) && std::abs(zoomOffset) <= kMaxZoomOffset && zoomGrid >= 1 &&
           zoomGrid <= kMaxZoomGrid && updateRateUnit <= kLastUpdateRateUnit;
}

}  // namespace velor
