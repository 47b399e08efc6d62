// vnqtool simulate: a complete measurement of a simulated source — settings, both axes, the
// N + 1 azimuth scans and their noise — with a note saying what was simulated and a
// rectangular view, ready to open in the viewer.

#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>
#include <iterator>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "document/Velor32Doc.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "instrument/simulation/SourceOptions.h"
#include "tools/vnqtool/CommandLine.h"
#include "tools/vnqtool/Commands.h"
#include "tools/vnqtool/ToolSession.h"
#include "views/notes/NoteSection.h"
#include "views/profile/ProfileSection.h"

namespace vnqtool {
namespace {

using namespace velor;

// The measurement's own options; the source and its sweeps are described by the shared ones.
constexpr sim::ValueOption kOptions[] = {
    {"distance", "CM", "aperture-source distance (0 to 100)", "2"},
    {"scans3d", "N", "3D azimuth scans: 10, 20, 50, 100 or 200", "50"},
    {"phi", "DEG", "azimuth of axis 0", "0"},
    {"gain", "DB", "signal gain code", "0"},
};

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
        model = sim::SourceFromOptions(parser);
        options.distanceCm = static_cast<float>(sim::NumberOption(parser, "distance"));
        options.scans3D = static_cast<uint16_t>(sim::NumberOption(parser, "scans3d"));
        options.phiDeg = static_cast<float>(sim::NumberOption(parser, "phi"));
        options.wavelengthNm = static_cast<float>(sim::NumberOption(parser, "wavelength"));
        options.gain = static_cast<uint16_t>(sim::NumberOption(parser, "gain"));
        options.perpendicular = parser.isSet(perpendicular);
        options.sweep = sim::SweepFromOptions(parser);
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
    // Side by side on a small screen: the profile large, the note at its right.
    auto profile = std::make_unique<ProfileSection>();
    const int32_t profileRect[4] = {0, 0, 680, 520};
    const int32_t noteRect[4] = {680, 0, 1000, 260};
    std::copy(std::begin(profileRect), std::end(profileRect), profile->m_viewData.m_placement.normalPosition);
    std::copy(std::begin(noteRect), std::end(noteRect), note->m_viewData.m_placement.normalPosition);
    doc->AdoptView(std::move(profile));
    doc->AdoptView(std::move(note));
    if (!session.File().SaveDataFile(out)) return kExitFileError;
    std::printf("wrote %s\n", qPrintable(out));
    return kExitOk;
}

}  // namespace vnqtool
