#include "views/power/PowerRecord.h"

#include <cmath>

namespace velor {
namespace {

bool Within(float value, float low, float high) { return std::isfinite(value) && value >= low && value <= high; }

}  // namespace

bool IsValidPowerRecord(const CPowerData& r) {
    for (int i = 0; i < 3; ++i) {
        if (!Within(r.m_fConeAngle[i], 0.0f, 90.0f) || !Within(r.m_fPercent[i], 0.0f, 100.0f)) return false;
    }
    return r.m_nConeFlags <= 7 && r.m_nPercentFlags <= 7 && r.m_nAxisMode <= 1 && r.m_bShowNA <= 1;
}

bool WritePowerRecord(Archive& archive, const CPowerData& record) {
    return CDataCrc16::WriteBlock(archive, &record, sizeof record) != 0;
}

bool ReadPowerRecord(Archive& archive, CPowerData& record) {
    CPowerData copy = record;
    if (CDataCrc16::ReadBlock(archive, &copy, sizeof copy) == 0) return false;
    if (!IsValidPowerRecord(copy)) return false;
    record = copy;
    return true;
}

}  // namespace velor
