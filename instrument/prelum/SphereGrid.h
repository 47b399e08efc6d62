#pragma once
// Per-polar and per-azimuth factors of the polar grid, computed once per call so that the
// loops over cells need no trigonometry.

#include <vector>

namespace velor::prelum {

// True for at least two polar angles and an odd azimuth count 2N + 1 with N >= 1.
bool ValidGridShape(int azimuthCount, int polarCount);

struct PolarTerms {
    std::vector<double> sinTheta;
    std::vector<double> cosTheta;
    std::vector<double> weight;  // sin(theta) times the trapezoid width in theta
};

struct AzimuthTerms {
    double step = 0.0;  // pi / N
    std::vector<double> cosPhi;
    std::vector<double> sinPhi;
    std::vector<double> weight;  // pi / N, half at azimuths 0 and 2N (the same azimuth)
};

PolarTerms MakePolarTerms(const float* polar, int polarCount);
AzimuthTerms MakeAzimuthTerms(int azimuthCount);

}  // namespace velor::prelum
