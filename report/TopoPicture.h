#pragma once
// The topographic map without its 3D toolkit: the view's own data steps (thinning, unfolding,
// the logarithmic rule, normalisation and the colour mapping of TopoModel) rasterised with
// plain arithmetic, each node of the disc taking its colour from the mapping and the colours
// blended between nodes as the view's mesh blends them. Needs no display and no OpenGL.

#include <QImage>
#include <QString>
#include <vector>

#include "views/topo/TopoModel.h"

namespace velor {

// The mapping's colour of a value: piecewise linear between the entries' points (an entry at
// the value of an earlier one takes its place), the end colours beyond them.
class ColourFunction {
public:
    explicit ColourFunction(const std::vector<ColourEntry>& entries);
    QRgb At(double value) const;

private:
    struct Point {
        double value;
        double red, green, blue;
    };
    std::vector<Point> m_points;  // rising values
};

// The map on a square of side pixels: theta 0 at the centre, `rimDegrees` at the square's
// edge, azimuth counter-clockwise from the right; transparent outside the measured disc.
QImage RasteriseDisc(const TopoModel& model, int side, double rimDegrees);

// The legend's rows, highest first: each distinct label with the colour it stands for.
struct LegendRow {
    QString label;
    QRgb colour;
};
std::vector<LegendRow> LegendRows(const TopoModel& model);

}  // namespace velor
