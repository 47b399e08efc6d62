#pragma once
// The main frame's persisted record: the first block of every data file.

#include <cstddef>
#include <cstdint>

#include "document/file/DataCrc16.h"

namespace velor {

struct CDormFrameData : CDataCrc16 {
    uint32_t m_reserved0 = 0;             // written and read as it stands
    int32_t m_rcWindow[4] = {0, 0, 0, 0};  // main window: left, top, right, bottom (screen)
    uint32_t m_bTimedBackup = 0;          // timed backup on (nonzero)
    uint16_t m_nBackupInterval = 10;      // minutes
    uint16_t m_reserved26 = 0;
    uint32_t m_frameSettings[3] = {0, 0, 0};  // written and read as they stand
    uint32_t m_nImageType = 0;                // 0 BMP, 1 JPEG, 2 GIF, 3 TIFF, 4 PNG
    uint32_t m_nImageQuality = 100;           // 1 to 100
};
static_assert(sizeof(CDormFrameData) == 48);
static_assert(offsetof(CDormFrameData, m_reserved0) == 0);
static_assert(offsetof(CDormFrameData, m_rcWindow) == 4);
static_assert(offsetof(CDormFrameData, m_bTimedBackup) == 20);
static_assert(offsetof(CDormFrameData, m_nBackupInterval) == 24);
static_assert(offsetof(CDormFrameData, m_reserved26) == 26);
static_assert(offsetof(CDormFrameData, m_frameSettings) == 28);
static_assert(offsetof(CDormFrameData, m_nImageType) == 40);
static_assert(offsetof(CDormFrameData, m_nImageQuality) == 44);

inline constexpr uint16_t kFrameSectionTag = 10;
inline constexpr uint16_t kDocumentSectionTag = 11;

}  // namespace velor
