#include "views/chart/ChartModel.h"

#include "document/Velor32Doc.h"

namespace velor {

ChartData ChartData::From(CVelor32Doc& doc) {
    ChartData data;
    data.units = doc.GetUnits();
    data.intensityFactor = doc.GetIntensityFactor();
    data.powerUnit = QString::fromLatin1(doc.GetRefUnits());
    data.perpendicular = doc.IsPerpendicular();
    data.crossSections = doc.IsCrossSectionMode();
    data.fieldOfView = doc.GetFieldOfView(0);
    for (int axis = 0; axis < 2; ++axis) {
        AxisData& a = data.axes[axis];
        a.count = doc.GetNumPoints(axis);
        a.samples = doc.GetProfileData(axis);
        a.angles = data.crossSections ? doc.GetProfileAngles(axis) : doc.GetAngleGrid();
        a.peak = doc.GetPeakValue(axis);
        a.phi = doc.GetPhi(axis, 0);
    }
    return data;
}

}  // namespace velor
