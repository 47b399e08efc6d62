#pragma once
// The near field view's persisted settings: one 32-byte record after its placement block in
// the view's own section (tag 25), which readers without the view pass over.

#include <cstddef>
#include <cstdint>

#include "document/file/DataCrc16.h"

namespace velor {

struct CNearFieldData : CDataCrc16 {
    uint16_t m_nUpdateRate = 5;       // plot frequency value
    uint16_t m_nUpdateRateUnit = 0;   // 0 per second, 1 per minute, 2 per hour
    uint8_t m_bLogarithmic = 0;       // 1: intensity in decades down to 10^-4
    uint8_t m_reserved5 = 0;
    uint16_t m_reserved6 = 0;
    uint32_t m_crText = 0x0000FF00;   // 0x00BBGGRR
    uint32_t m_crGrid = 0x000000FF;
    uint32_t m_crData = 0x00FFFFFF;
    uint32_t m_crBackground = 0x00000000;
    uint32_t m_reserved24[2] = {0, 0};  // stored as found, for settings to come
};
static_assert(sizeof(CNearFieldData) == 32);
static_assert(offsetof(CNearFieldData, m_nUpdateRateUnit) == 2);
static_assert(offsetof(CNearFieldData, m_bLogarithmic) == 4);
static_assert(offsetof(CNearFieldData, m_reserved5) == 5);
static_assert(offsetof(CNearFieldData, m_reserved6) == 6);
static_assert(offsetof(CNearFieldData, m_crText) == 8);
static_assert(offsetof(CNearFieldData, m_crGrid) == 12);
static_assert(offsetof(CNearFieldData, m_crData) == 16);
static_assert(offsetof(CNearFieldData, m_crBackground) == 20);
static_assert(offsetof(CNearFieldData, m_reserved24) == 24);

}  // namespace velor
