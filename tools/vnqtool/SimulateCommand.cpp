// vnqtool simulate: a complete measurement of a simulated source — settings, both axes, the
// N + 1 azimuth scans and their noise — with a note saying what was simulated and a
// rectangular view, ready to open in the viewer.

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "document/Velor32Doc.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "tools/vnqtool/CommandLine.h"
#include "tools/vnqtool/Commands.h"
#include "tools/vnqtool/ToolSession.h"
#include "views/notes/NoteSection.h"
#include "views/profile/ProfileSection.h"

namespace vnqtool {
namespace {

using namespace velor;

struct Option {
    const char* name;
    const char* value;
    const char* help;
    const char* fallback;
};

// Every numeric option with its default.
constexpr Option kOptions[] = {
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
    {"distance", "CM", "aperture-source distance (0 to 100)", "2"},
    {"scans3d", "N", "3D azimuth scans: 10, 20, 50, 100 or 200", "50"},
    {"phi", "DEG", "azimuth of axis 0", "0"},
    {"gain", "DB", "signal gain code", "0"},
    {"peak", "COUNTS", "counts on the beam axis", "50000"},
    {"offset", "COUNTS", "dark offset", "300"},
    {"noise", "COUNTS", "noise RMS", "2"},
    {"seed", "N", "random seed", "1"},
};

struct Parsed {
    QCommandLineParser& parser;
    double Number(const char* name) const {
        bool ok = false;
        const double value = parser.value(QString::fromLatin1(name)).toDouble(&ok);
        if (!ok) throw std::invalid_argument(std::string("--") + name + " needs a number");
        return value;
    }
};

std::unique_ptr<sim::BeamModel> MakeModel(const Parsed& p, const QString& source) {
    const double wavelength = p.Number("wavelength");
    if (source == QLatin1String("gaussian")) return sim::MakeGaussianFiber(wavelength, p.Number("mfd"));
    if (source == QLatin1String("lp01")) {
        return sim::MakeStepIndexFiber(p.Number("core-radius"), p.Number("na"), wavelength);
    }
    if (source == QLatin1String("laser")) {
        sim::LaserDiodeBeam beam;
        beam.majorFwhmDeg = p.Number("major");
        beam.minorFwhmDeg = p.Number("minor");
        beam.orientationDeg = p.Number("orientation");
        beam.tiltThetaDeg = p.Number("tilt-theta");
        beam.tiltPhiDeg = p.Number("tilt-phi");
        return sim::MakeLaserDiode(beam);
    }
    if (source == QLatin1String("multimode")) return sim::MakeMultimodeFiber(p.Number("na"), p.Number("edge"));
    throw std::invalid_argument("unknown --source (gaussian, lp01, laser or multimode)");
}

}  // namespace

int RunSimulate(const QStringList& arguments) {
    QCommandLineParser parser;
    for (const Option& o : kOptions) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(o.name),
                                            QStringLiteral("%1 (default %2).").arg(QString::fromUtf8(o.help), QLatin1String(o.fallback)),
                                            QString::fromLatin1(o.value), QString::fromLatin1(o.fallback)));
    }
    const QCommandLineOption perpendicular(QStringLiteral("perpendicular"),
                                           QStringLiteral("Measure two perpendicular axes."));
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("Replace OUT if it exists."));
    parser.addOption(perpendicular);
    parser.addOption(force);
    QStringList files;
    const int stop = ParseCommand(parser, "simulate",
                                  "Writes a complete measurement of a simulated source to OUT: "
                                  "every sweep is simulated\nas the board would deliver it and "
                                  "processed as the viewer processes real ones.",
                                  arguments, {QStringLiteral("OUT")}, files);
    if (stop >= 0) return stop;
    const QString out = files.first();
    if (QFileInfo::exists(out) && !parser.isSet(force)) {
        std::fprintf(stderr, "vnqtool simulate: %s exists (use --force to replace it)\n", qPrintable(out));
        return kExitUsage;
    }

    ToolSession session;
    CVelor32Doc* doc = session.NewDocument();
    std::unique_ptr<sim::BeamModel> model;
    SimulationOptions options;
    try {
        const Parsed p{parser};
        model = MakeModel(p, parser.value(QStringLiteral("source")));
        options.distanceCm = static_cast<float>(p.Number("distance"));
        options.scans3D = static_cast<uint16_t>(p.Number("scans3d"));
        options.phiDeg = static_cast<float>(p.Number("phi"));
        options.wavelengthNm = static_cast<float>(p.Number("wavelength"));
        options.gain = static_cast<uint16_t>(p.Number("gain"));
        options.perpendicular = parser.isSet(perpendicular);
        options.sweep.peakCounts = p.Number("peak");
        options.sweep.darkOffset = p.Number("offset");
        options.sweep.noiseRms = p.Number("noise");
        options.sweep.seed = static_cast<uint32_t>(p.Number("seed"));
        if (!SimulateMeasurement(*doc, *model, options)) {
            throw std::invalid_argument("distance must be 0 to 100, scans3d one of 10, 20, 50, 100, "
                                        "200, phi 0 to 360");
        }
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "vnqtool simulate: %s\n", e.what());
        return kExitUsage;
    }

    auto note = std::make_unique<NoteSection>();
    const QString text = QStringLiteral("Simulated measurement\r\n%1\r\nDistance %2 cm, %3 azimuth scans, %4, "
                                        "peak %5 counts, dark offset %6, noise %7 RMS, seed %8.")
                             .arg(QString::fromStdString(model->Describe()))
                             .arg(options.distanceCm)
                             .arg(options.scans3D)
                             .arg(options.perpendicular ? QStringLiteral("perpendicular axes")
                                                        : QStringLiteral("single axis"))
                             .arg(options.sweep.peakCounts)
                             .arg(options.sweep.darkOffset)
                             .arg(options.sweep.noiseRms)
                             .arg(options.sweep.seed);
    note->SetText(text.toLatin1());
    doc->AdoptView(std::make_unique<ProfileSection>());
    doc->AdoptView(std::move(note));
    if (!session.File().SaveDataFile(out)) return kExitFileError;
    std::printf("wrote %s\n", qPrintable(out));
    return kExitOk;
}

}  // namespace vnqtool
