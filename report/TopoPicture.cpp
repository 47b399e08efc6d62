#include "report/TopoPicture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velor {
namespace {

int Channel(double c) { return std::clamp(static_cast<int>(std::lround(c * 255.0)), 0, 255); }

// The interval of a rising grid that holds t, and how far along it t lies (0 … 1).
std::pair<size_t, double> Interval(const std::vector<float>& grid, double t) {
    const auto above = std::upper_bound(grid.begin(), grid.end(), static_cast<float>(t));
    const size_t upper = std::clamp<size_t>(static_cast<size_t>(above - grid.begin()), 1, grid.size() - 1);
    const double low = grid[upper - 1];
    const double span = grid[upper] - low;
    return {upper - 1, span > 0.0 ? std::clamp((t - low) / span, 0.0, 1.0) : 0.0};
}

}  // namespace

ColourFunction::ColourFunction(const std::vector<ColourEntry>& entries) {
    for (const ColourEntry& e : entries) {
        const Point p{e.value, e.red, e.green, e.blue};
        auto same = std::find_if(m_points.begin(), m_points.end(), [&](const Point& q) { return q.value == e.value; });
        if (same != m_points.end()) {
            *same = p;
        } else {
            m_points.push_back(p);
        }
    }
    std::sort(m_points.begin(), m_points.end(), [](const Point& a, const Point& b) { return a.value < b.value; });
}

QRgb ColourFunction::At(double value) const {
    if (m_points.empty()) return qRgb(0, 0, 0);
    const auto rgb = [](double r, double g, double b) { return qRgb(Channel(r), Channel(g), Channel(b)); };
    if (value <= m_points.front().value) return rgb(m_points.front().red, m_points.front().green, m_points.front().blue);
    if (value >= m_points.back().value) return rgb(m_points.back().red, m_points.back().green, m_points.back().blue);
    const auto upper = std::upper_bound(m_points.begin(), m_points.end(), value,
                                        [](double v, const Point& p) { return v < p.value; });
    const Point& b = *upper;
    const Point& a = *(upper - 1);
    const double t = (value - a.value) / (b.value - a.value);
    return rgb(a.red + t * (b.red - a.red), a.green + t * (b.green - a.green), a.blue + t * (b.blue - a.blue));
}

QImage RasteriseDisc(const TopoModel& model, int side, double rimDegrees) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const Disc& disc = model.disc;
    if (disc.RadiusCount() < 2 || disc.AngleCount() < 2 || side <= 0 || rimDegrees <= 0.0) return image;

    // Each node's colour once; the pixels blend the four nodes around them.
    const ColourFunction colours(model.entries);
    std::vector<QRgb> node(disc.values.size());
    for (size_t i = 0; i < node.size(); ++i) node[i] = colours.At(disc.values[i]);
    const int angles = disc.AngleCount();
    const auto at = [&](size_t r, size_t a) { return node[r * static_cast<size_t>(angles) + a]; };

    const double centre = side / 2.0;
    const double degreesPerPixel = rimDegrees / centre;
    const double outer = disc.radii.back();
    for (int py = 0; py < side; ++py) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(py));
        const double y = (centre - (py + 0.5)) * degreesPerPixel;
        for (int px = 0; px < side; ++px) {
            const double x = (px + 0.5 - centre) * degreesPerPixel;
            const double theta = std::hypot(x, y);
            if (theta > outer) continue;
            double phi = std::atan2(y, x);
            if (phi < 0.0) phi += 2.0 * std::numbers::pi;
            // Plain copies: clang 14 cannot capture structured bindings in the lambda below.
            const auto radial = Interval(disc.radii, theta);
            const auto angular = Interval(disc.angles, phi);
            const auto r = radial.first;
            const auto a = angular.first;
            const double alongR = radial.second;
            const double alongA = angular.second;
            const QRgb c00 = at(r, a), c01 = at(r, a + 1), c10 = at(r + 1, a), c11 = at(r + 1, a + 1);
            const auto blend = [&](int (*channel)(QRgb)) {
                const double inner = channel(c00) * (1.0 - alongA) + channel(c01) * alongA;
                const double rim = channel(c10) * (1.0 - alongA) + channel(c11) * alongA;
                return static_cast<int>(std::lround(inner * (1.0 - alongR) + rim * alongR));
            };
            line[px] = qRgb(blend(qRed), blend(qGreen), blend(qBlue));
        }
    }
    return image;
}

std::vector<LegendRow> LegendRows(const TopoModel& model) {
    std::vector<ColourEntry> entries = model.entries;
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ColourEntry& a, const ColourEntry& b) { return a.isovalue > b.isovalue; });
    std::vector<LegendRow> rows;
    for (const ColourEntry& e : entries) {
        const QString label = QString::number(e.isovalue, 'f', model.logarithmic ? 0 : 1);
        const QRgb colour = qRgb(Channel(e.red), Channel(e.green), Channel(e.blue));
        // As in the view's legend, a later entry of the same label takes its place.
        if (!rows.empty() && rows.back().label == label) {
            rows.back().colour = colour;
        } else {
            rows.push_back({label, colour});
        }
    }
    return rows;
}

}  // namespace velor
