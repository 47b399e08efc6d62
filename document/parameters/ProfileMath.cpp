#include "document/parameters/ProfileMath.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace velor {

float InterpolateCrossing(const float* y, int i, float level) {
    const float d = y[i + 1] - y[i];
    const float position = std::fabs(d) < 0.001f ? i + 0.5f : i + (level - y[i]) / d;
    return std::clamp(position, static_cast<float>(i), static_cast<float>(i + 1));
}

bool FindClipCrossings(const float* y, int n, float peakValue, int peakIndex, uint16_t clip,
                       float* left, float* right) {
    *left = 0.0f;
    *right = 0.0f;
    const int p = peakIndex;
    if (n <= 0 || p < 1 || peakValue <= 0.0f || p >= n) return false;
    const float level = peakValue * clip / 1000.0f;
    if (level < 0.0f) return false;
    // Samples above this band belong to the beam, so inner crossings stop there.
    const float band = std::min(peakValue * (clip + 20) / 1000.0f, peakValue);

    // Right: the outermost crossing counts; the innermost one checks it.
    int iR = -1;
    for (int i = p; i <= n - 2; ++i) {
        if (y[i] >= level && y[i + 1] <= level) iR = i;
    }
    if (iR < 0) return false;
    const float xR = InterpolateCrossing(y, iR, level);
    float xRi = static_cast<float>(n - 2);
    for (int j = iR + 1; j > p; --j) {
        if (y[j] >= band) break;
        if (y[j] <= level) xRi = InterpolateCrossing(y, j - 1, level);
    }

    // Left, mirrored.
    int iL = -1;
    for (int i = p; i > 2; --i) {
        if (y[i] >= level && y[i - 1] <= level) iL = i;
    }
    if (iL < 0) return false;
    const float xL = InterpolateCrossing(y, iL - 1, level);
    float xLi = 2.0f;
    for (int j = iL - 1; j < p; ++j) {
        if (y[j] >= band) break;
        if (y[j] <= level) xLi = InterpolateCrossing(y, j, level);
    }

    if (xL > xR || xLi > xRi) return false;
    *left = xL;
    *right = xR;
    return true;
}

bool ComputeCentroid(const float* y, const float* angles, int n, float threshold, double* centroid) {
    *centroid = 0.0;
    if (n < 2) return false;
    double sum = 0.0;
    double weights = 0.0;
    for (int j = 0; j < n; ++j) {
        if (!(y[j] >= threshold)) continue;
        double span;
        if (j == 0) {
            span = static_cast<double>(angles[1]) - angles[0];
        } else if (j == n - 1) {
            span = static_cast<double>(angles[n - 1]) - angles[n - 2];
        } else {
            span = static_cast<double>(angles[j + 1]) - angles[j - 1];
        }
        const double w = y[j] * span / 2.0;
        sum += angles[j] * w;
        weights += w;
    }
    if (!(std::fabs(weights) > DBL_EPSILON)) return false;
    *centroid = sum / weights;
    return true;
}

}  // namespace velor
