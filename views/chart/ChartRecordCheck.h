#pragma once
// What a chart view's settings record may hold when it is read from a file: values its
// dialogs could have produced. A zoom range of two million degrees would draw millions of
// grid lines, one of 0 or below nothing at all; such a record is refused like damage.

#include <cstdint>

namespace velor {

bool IsValidChartRecord(float zoomRange, float zoomOffset, int32_t zoomGrid, uint16_t updateRateUnit);

template <typename Record>
bool IsValidChartRecord(const Record& r) {
    return IsValidChartRecord(r.m_fZoomRange, r.m_fZoomOffset, r.m_nZoomGrid, r.m_nUpdateRateUnit);
}

}  // namespace velor
