#pragma once
// The amplitude scale shared by the rectangular and the polar chart: which units it shows, the
// full scale, the scale span, the decades or the rounded top, the height value of a sample,
// and the chart's title and phi label.

#include <QString>

#include "views/chart/ChartModel.h"

namespace velor {

struct AmplitudeScale {
    int units = 0;            // after the logarithmic override of relative units
    bool logarithmic = false;
    double fullScale = 0;     // F, counts
    double span = 0;          // S: the height value at the top of the scale
    // Logarithmic intensity: decades from bottom to top.
    int bottomDecade = 0;
    int topDecade = 0;
    // Linear intensity: the top line stands for roundedTop × 10^exponent.
    int exponent = 0;
    double roundedTop = 0;
    bool clearsNormalize = false;  // counts never show normalised
    // False when the data give no finite scale (intensity without a calibration): nothing is
    // drawn against it.
    bool usable = true;
};

AmplitudeScale ComputeScale(const ChartData& data, const ChartSettings& settings, int axis);

// The height value of a sample; false lifts the pen (a zero sample on a logarithmic scale).
bool SampleHeight(const AmplitudeScale& scale, const ChartData& data, const ChartSettings& settings,
                  float sample, double* height);

QString ChartTitle(const AmplitudeScale& scale, const ChartSettings& settings, const QString& powerUnit);
QString PhiLabel(const ChartData& data, int axis);

// Labels of the scale levels.
QString DecadeLabel(int exponent);      // "10^3"
QString RelativeLabel(double value);    // "0.2"

}  // namespace velor
