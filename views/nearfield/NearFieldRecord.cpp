#include "views/nearfield/NearFieldRecord.h"

namespace velor {

bool IsValidNearFieldRecord(const CNearFieldData& record) {
    return record.m_nUpdateRateUnit <= 2 && record.m_bLogarithmic <= 1;
}

bool WriteNearFieldRecord(Archive& archive, const CNearFieldData& record) {
    return CDataCrc16::WriteBlock(archive, &record, sizeof record) != 0;
}

bool ReadNearFieldRecord(Archive& archive, CNearFieldData& record) {
    CNearFieldData copy = record;
    if (CDataCrc16::ReadBlock(archive, &copy, sizeof copy) == 0) return false;
    if (!IsValidNearFieldRecord(copy)) return false;
    record = copy;
    return true;
}

}  // namespace velor
