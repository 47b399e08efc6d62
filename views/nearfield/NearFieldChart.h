#pragma once
// The near field chart: the near-field intensity of each measured axis against radius (µm),
// normalised to its maximum, on a linear scale or in decades down to 10^-4 (the −40 dB at which
// the transform stops), with each axis's mode-field diameter, effective area and the dynamic
// range they rest on written under it. Texts are placed by their size, so that nothing
// overlaps or leaves the chart at any size a window can have.

#include <QSize>
#include <QString>
#include <vector>

#include "views/chart/DisplayList.h"
#include "views/chart/LabelFit.h"

namespace velor {

class CVelor32Doc;

struct NearFieldCurve {
    float phiDeg = 0.0f;
    bool valid = false;
    QString reason;  // why there is none
    float stepUm = 0.0f;
    std::vector<float> intensity;  // at radii k · stepUm, 1 at its maximum
    float mfdUm = 0.0f;
    float aeffUm2 = 0.0f;
    float dynamicRangeDb = 0.0f;
    bool areaMayReadLow = false;  // the first side lobe hidden or faint (AreaMayReadLow)
};

struct NearFieldChartData {
    float wavelengthNm = 0.0f;
    std::vector<NearFieldCurve> curves;  // one per measured axis

    static NearFieldChartData From(const CVelor32Doc& doc);
};

DisplayList RenderNearFieldChart(const NearFieldChartData& data, bool logarithmic, QSize size,
                                 const TextMetrics& metrics);

}  // namespace velor
