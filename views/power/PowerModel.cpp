#include "views/power/PowerModel.h"

#include <cstring>

#include "document/Velor32Doc.h"
#include "views/power/PowerData.h"

namespace velor {

PowerSnapshot TakePowerSnapshot(CPowerData& record, CVelor32Doc& document) {
    record.m_fRefPower = document.GetRefPower();
    record.m_fCalCounts = document.GetCalCounts();
    // At most nine characters and a NUL, whatever the document's text holds.
    const char* units = document.GetRefUnits();
    const size_t length = strnlen(units, sizeof record.m_szRefUnits - 1);
    std::memset(record.m_szRefUnits, 0, sizeof record.m_szRefUnits);
    std::memcpy(record.m_szRefUnits, units, length);

    PowerSnapshot snapshot;
    if (record.AboutOpticalAxis()) {
        snapshot.curve = {document.GetConePower(), kConePowerCount, document.GetAngleGrid()};
    } else {
        snapshot.curve = {document.GetCentroidPower(), document.GetCentroidPowerCount(), nullptr};
    }
    snapshot.centroidTheta = document.GetCentroidAngles()[0];
    snapshot.centroidPhi = document.GetCentroidAngles()[1];
    return snapshot;
}

}  // namespace velor
