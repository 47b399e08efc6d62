#include "instrument/simulation/SourceOptions.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace velor::sim {
namespace {

constexpr ValueOption kOptions[] = {
    {"source", "MODEL", "gaussian, lp01, laser or multimode", "gaussian"},
    {"wavelength", "NM", "source wavelength", "1310"},
    {"mfd", "UM", "gaussian: mode-field diameter", "9.2"},
    {"core-radius", "UM", "lp01: core radius", "4.1"},
    {"na", "NA", "lp01 and multimode: numerical aperture", "0.14"},
    {"major", "DEG", "laser: full width at half maximum along the major axis", "30"},
    {"minor", "DEG", "laser: full width at half maximum along the minor axis", "10"},
    {"orientation", "DEG", "laser: azimuth of the major axis", "0"},
    {"tilt-theta", "DEG", "laser: polar angle of the beam axis", "0"},
    {"tilt-phi", "DEG", "laser: azimuth of the beam axis", "0"},
    {"edge", "W", "multimode: width of the soft edge in sin(theta)", "0.01"},
    {"peak", "COUNTS", "counts on the beam axis", "50000"},
    {"offset", "COUNTS", "dark offset", "300"},
    {"noise", "COUNTS", "noise RMS", "2"},
    {"seed", "N", "random seed", "1"},
};

}  // namespace

void AddValueOptions(QCommandLineParser& parser, std::span<const ValueOption> options,
                     const QString& prefix) {
    for (const ValueOption& o : options) {
        parser.addOption(QCommandLineOption(
            QString::fromLatin1(o.name),
            QStringLiteral("%1%2 (default %3).")
                .arg(prefix, QString::fromUtf8(o.help), QLatin1String(o.fallback)),
            QString::fromLatin1(o.value), QString::fromLatin1(o.fallback)));
    }
}

void AddSourceOptions(QCommandLineParser& parser, const QString& prefix) {
    AddValueOptions(parser, kOptions, prefix);
}

double NumberOption(const QCommandLineParser& parser, const char* name) {
    bool ok = false;
    const double value = parser.value(QString::fromLatin1(name)).toDouble(&ok);
    // "inf" and "nan" parse as numbers, but no source or sweep is described by them.
    if (!ok || !std::isfinite(value)) {
        throw std::invalid_argument(std::string("--") + name + " needs a finite number");
    }
    return value;
}

std::unique_ptr<BeamModel> SourceFromOptions(const QCommandLineParser& parser) {
    const QString source = parser.value(QStringLiteral("source"));
    const double wavelength = NumberOption(parser, "wavelength");
    if (source == QLatin1String("gaussian"))
        return MakeGaussianFiber(wavelength, NumberOption(parser, "mfd"));
    if (source == QLatin1String("lp01")) {
        return MakeStepIndexFiber(NumberOption(parser, "core-radius"), NumberOption(parser, "na"),
                                  wavelength);
    }
    if (source == QLatin1String("laser")) {
        LaserDiodeBeam beam;
        beam.majorFwhmDeg = NumberOption(parser, "major");
        beam.minorFwhmDeg = NumberOption(parser, "minor");
        beam.orientationDeg = NumberOption(parser, "orientation");
        beam.tiltThetaDeg = NumberOption(parser, "tilt-theta");
        beam.tiltPhiDeg = NumberOption(parser, "tilt-phi");
        return MakeLaserDiode(beam);
    }
    if (source == QLatin1String("multimode")) {
        return MakeMultimodeFiber(NumberOption(parser, "na"), NumberOption(parser, "edge"));
    }
    throw std::invalid_argument("unknown --source (gaussian, lp01, laser or multimode)");
}

SweepSettings SweepFromOptions(const QCommandLineParser& parser) {
    SweepSettings sweep;
    sweep.peakCounts = NumberOption(parser, "peak");
    sweep.darkOffset = NumberOption(parser, "offset");
    sweep.noiseRms = NumberOption(parser, "noise");
    const double seed = NumberOption(parser, "seed");
    if (sweep.peakCounts < 0.0 || sweep.darkOffset < 0.0 || sweep.noiseRms < 0.0) {
        throw std::invalid_argument("--peak, --offset and --noise cannot be negative");
    }
    // Converting a number outside the seed's range would be undefined.
    if (!(seed >= 0.0 && seed <= 4294967295.0)) {
        throw std::invalid_argument("--seed must be from 0 to 4294967295");
    }
    sweep.seed = static_cast<uint32_t>(seed);
    return sweep;
}

}  // namespace velor::sim
