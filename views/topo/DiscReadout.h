#pragma once
// What the topographic map shows at a point of the disc, for the status bar: the direction
// (theta from the centre, phi around it) and the level there, in per cent of the maximum or,
// on the logarithmic scale, in decibels below it.

#include <QString>
#include <optional>

#include "views/topo/TopoModel.h"

namespace velor {

struct DiscReading {
    double thetaDeg;  // 0 at the centre
    double phiDeg;    // 0 … 360, counter-clockwise from the +x axis as the map is labelled
    double level;     // per cent of the maximum, or decibels relative to it (0 or below)
};

// The point (x, y) of the disc's plane, where a radius of r units is theta r degrees. Nothing
// outside the measured disc or on an empty map. The level blends the four nodes around the
// point as the mesh blends their colours.
std::optional<DiscReading> ReadDisc(const TopoModel& model, double x, double y);

// "Theta: 12.5°  Phi: 40.0°  Level: 87.3 %" (or "Level: -3.1 dB").
QString ReadingText(const DiscReading& reading, bool logarithmic);

}  // namespace velor
