// vnqtool simulate: a complete measurement of a simulated source taken on the simulated
// station — settings, the N + 1 azimuth scans of the 3D acquisition and the axes, every sweep
// through the board access, the board library and the simulated acquisition unit — with a note
// saying what was simulated and a rectangular view, ready to open in the viewer.

#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "document/SettingsLimits.h"
#include "document/Velor32Doc.h"
#include "instrument/simulation/SourceOptions.h"
#include "tools/vnqtool/CommandLine.h"
#include "tools/vnqtool/Commands.h"
#include "tools/vnqtool/SimulatedStationRun.h"
#include "views/notes/NoteSection.h"
#include "views/profile/ProfileSection.h"

namespace vnqtool {
namespace {

using namespace velor;

// The measurement's own options; the source and its sweeps are described by the shared ones.
constexpr sim::ValueOption kOptions[] = {
    {"distance", "CM", "aperture-source distance (0 to 100)", "2"},
    {"scans3d", "N", "3D azimuth scans: 10, 20, 50, 100 or 200", "50"},
    {"phi", "DEG", "azimuth of axis 0 (0 to 360)", "0"},
    {"gain", "DB", "signal gain code (0 to 185); --peak is the count at gain 0", "0"},
    {"ranges", "R", "gain ranges each sweep is taken over, 20 dB apart from --gain up (1 to 4)", "1"},
};

// The options as a measurement a station could take; throws std::invalid_argument.
StationMeasurement MeasurementFrom(const QCommandLineParser& parser, bool perpendicular) {
    StationMeasurement m;
    const double distance = sim::NumberOption(parser, "distance");
    const double scans = sim::NumberOption(parser, "scans3d");
    const double phi = sim::NumberOption(parser, "phi");
    const double gain = sim::NumberOption(parser, "gain");
    const double ranges = sim::NumberOption(parser, "ranges");
    // Whole and in range before it is converted.
    const bool scansAllowed = scans >= 0.0 && scans <= 200.0 && scans == std::trunc(scans) &&
                              IsAllowedScans3D(static_cast<uint16_t>(scans));
    if (!(distance >= 0.0 && distance <= 100.0) || !scansAllowed || !(phi >= 0.0 && phi < 360.0) ||
        !(gain >= 0.0 && gain <= 185.0) || gain != std::trunc(gain) ||
        !(ranges >= kMinGainRanges && ranges <= kMaxGainRanges) || ranges != std::trunc(ranges)) {
        throw std::invalid_argument(
            "distance must be 0 to 100, scans3d one of 10, 20, 50, 100, 200, phi 0 to 360, "
            "gain a whole number 0 to 185, ranges a whole number 1 to 4");
    }
    m.distanceCm = static_cast<float>(distance);
    m.scans3D = static_cast<uint16_t>(scans);
    m.phiDeg = static_cast<float>(phi);
    m.gain = static_cast<int>(gain);
    m.ranges = static_cast<int>(ranges);
    m.wavelengthNm = static_cast<float>(sim::NumberOption(parser, "wavelength"));
    // The measurement keeps only a wavelength the Integral Parameters dialog would take.
    if (!IsValidWavelength(m.wavelengthNm)) {
        throw std::invalid_argument(QStringLiteral("wavelength must be %1 to %2 nm")
                                        .arg(kWavelengthRange.low)
                                        .arg(kWavelengthRange.high)
                                        .toStdString());
    }
    m.perpendicular = perpendicular;
    m.sweep = sim::SweepFromOptions(parser);
    return m;
}

}  // namespace

int RunSimulate(const QStringList& arguments) {
    QCommandLineParser parser;
    sim::AddSourceOptions(parser);
    sim::AddValueOptions(parser, kOptions);
    const QCommandLineOption perpendicular(QStringLiteral("perpendicular"),
                                           QStringLiteral("Measure two perpendicular axes."));
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("Replace OUT if it exists."));
    parser.addOption(perpendicular);
    parser.addOption(force);
    QStringList files;
    const int stop = ParseCommand(parser, "simulate",
                                  "Writes a complete measurement of a simulated source to OUT: the "
                                  "simulated station\ntakes it as the viewer would, every sweep read "
                                  "out of the simulated acquisition board.",
                                  arguments, {QStringLiteral("OUT")}, files);
    if (stop >= 0) return stop;
    const QString out = files.first();
    if (QFileInfo::exists(out) && !parser.isSet(force)) {
        std::fprintf(stderr, "vnqtool simulate: %s exists (use --force to replace it)\n", qPrintable(out));
        return kExitUsage;
    }

    std::shared_ptr<const sim::BeamModel> model;
    StationMeasurement options;
    try {
        model = sim::SourceFromOptions(parser);
        options = MeasurementFrom(parser, parser.isSet(perpendicular));
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "vnqtool simulate: %s\n", e.what());
        return kExitUsage;
    }

    SimulatedStationRun run(model, options);
    CVelor32Doc* doc = run.Measure();
    if (doc == nullptr) {
        std::fprintf(stderr, "vnqtool simulate: no measurement taken; nothing written\n");
        return kExitFileError;
    }
    if (doc->RangesInReach() < options.ranges) {
        std::fprintf(stderr, "vnqtool simulate: %s\n", qPrintable(doc->GainRangeStatus()));
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
                             .arg(options.sweep.seed) +
                         (options.ranges > 1 ? QStringLiteral("\r\n%1 gain ranges from %2 dB, 20 dB apart.")
                                                   .arg(doc->RangesInReach())
                                                   .arg(options.gain)
                                             : QString());
    note->SetText(text.toLatin1());
    // Side by side on a small screen: the profile large, the note at its right.
    auto profile = std::make_unique<ProfileSection>();
    const int32_t profileRect[4] = {0, 0, 680, 520};
    const int32_t noteRect[4] = {680, 0, 1000, 260};
    std::copy(std::begin(profileRect), std::end(profileRect), profile->m_viewData.m_placement.normalPosition);
    std::copy(std::begin(noteRect), std::end(noteRect), note->m_viewData.m_placement.normalPosition);
    doc->AdoptView(std::move(profile));
    doc->AdoptView(std::move(note));
    if (!run.Session().File().SaveDataFile(out)) return kExitFileError;
    std::printf("wrote %s\n", qPrintable(out));
    return kExitOk;
}

}  // namespace vnqtool
