#include "views/topo/DiscReadout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/FixedText.h"

namespace velor {
namespace {

// The interval of a rising grid that holds t, and how far along it t lies (0 … 1).
std::pair<size_t, double> Interval(const std::vector<float>& grid, double t) {
    const auto above = std::upper_bound(grid.begin(), grid.end(), static_cast<float>(t));
    const size_t upper = std::clamp<size_t>(static_cast<size_t>(above - grid.begin()), 1, grid.size() - 1);
    const double low = grid[upper - 1];
    const double span = grid[upper] - low;
    return {upper - 1, span > 0.0 ? std::clamp((t - low) / span, 0.0, 1.0) : 0.0};
}

}  // namespace

std::optional<DiscReading> ReadDisc(const TopoModel& model, double x, double y) {
    const Disc& disc = model.disc;
    if (disc.RadiusCount() < 2 || disc.AngleCount() < 2) return std::nullopt;
    const double theta = std::hypot(x, y);
    if (theta > disc.radii.back()) return std::nullopt;
    double phi = std::atan2(y, x);
    if (phi < 0.0) phi += 2.0 * std::numbers::pi;
    if (phi >= 2.0 * std::numbers::pi) phi = 0.0;  // a tiny negative angle rounded up

    const auto [r, alongR] = Interval(disc.radii, theta);
    const auto [a, alongA] = Interval(disc.angles, phi);
    const double inner = disc.At(static_cast<int>(r), static_cast<int>(a)) * (1.0 - alongA) +
                         disc.At(static_cast<int>(r), static_cast<int>(a + 1)) * alongA;
    const double outer = disc.At(static_cast<int>(r + 1), static_cast<int>(a)) * (1.0 - alongA) +
                         disc.At(static_cast<int>(r + 1), static_cast<int>(a + 1)) * alongA;
    const double scaled = inner * (1.0 - alongR) + outer * alongR;

    DiscReading reading{theta, phi * 180.0 / std::numbers::pi, scaled};
    // On the logarithmic scale 100 stands for the maximum's decibels: the level is how far
    // below the maximum the point lies, as the legend counts.
    if (model.logarithmic) reading.level = model.maximum * (scaled / 100.0 - 1.0);
    return reading;
}

QString ReadingText(const DiscReading& reading, bool logarithmic) {
    return QStringLiteral("Theta: %1\u00B0  Phi: %2\u00B0  Level: %3 %4")
        .arg(FixedText(reading.thetaDeg, 1), FixedText(reading.phiDeg, 1), FixedText(reading.level, 1),
             logarithmic ? QStringLiteral("dB") : QStringLiteral("%"));
}

}  // namespace velor
