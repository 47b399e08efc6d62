// vnqtool params: the beam parameters of a measurement, as the viewer computes them and to the
// precision its beam statistics show them.

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <cstdio>

#include "tools/vnqtool/CommandLine.h"
#include "tools/vnqtool/Commands.h"
#include "tools/vnqtool/ToolSession.h"

namespace vnqtool {
namespace {

using namespace velor;

struct Parameter {
    int axis;  // -1 for both axes (ratios)
    QString key;
    QString name;
    double value;
    int decimals;
    QString unit;
};

// Clip levels the parameters are taken at, in tenths of a percent.
constexpr uint16_t kClips[] = {50, 135, 500};

QString AmplitudeUnit(uint16_t units, const char* powerUnit) {
    switch (units) {
        case 1: return QStringLiteral("counts");
        case 2: return QStringLiteral("%1/sr").arg(QString::fromLatin1(powerUnit));
        default: return QStringLiteral("a.u.");
    }
}

int AmplitudeDecimals(uint16_t units) { return units == 1 ? 0 : units == 2 ? 3 : 2; }

std::vector<Parameter> Collect(CVelor32Doc& doc) {
    std::vector<Parameter> out;
    const int axes = doc.IsPerpendicular() ? 2 : 1;
    for (int axis = 0; axis < axes; ++axis) {
        const double phi = doc.GetPhi(axis, 0);
        for (const uint16_t clip : kClips) {
            out.push_back({axis, QStringLiteral("width_%1").arg(clip / 10.0),
                           QStringLiteral("%1% Angular Width at %2° (deg)").arg(clip / 10.0, 0, 'f', 1).arg(phi, 0, 'f', 1),
                           doc.GetAngularWidth(axis, clip), 1, QStringLiteral("deg")});
        }
        for (const uint16_t clip : kClips) {
            out.push_back({axis, QStringLiteral("na_%1").arg(clip / 10.0),
                           QStringLiteral("%1% Numerical Aperture at %2°").arg(clip / 10.0, 0, 'f', 1).arg(phi, 0, 'f', 1),
                           doc.GetNumericalAperture(axis, clip), 3, QString()});
        }
        out.push_back({axis, QStringLiteral("centroid"),
                       QStringLiteral("Angular Centroid at %1° (deg)").arg(phi, 0, 'f', 1),
                       doc.GetCentroidAngle(axis), 1, QStringLiteral("deg")});
        const float peakAngle = doc.GetPeakAngle(axis);
        out.push_back({axis, QStringLiteral("peak"),
                       QStringLiteral("Angular Peak at %1° (deg)").arg(phi, 0, 'f', 1), peakAngle, 1,
                       QStringLiteral("deg")});
        const QString unit = AmplitudeUnit(doc.GetUnits(), doc.GetRefUnits());
        out.push_back({axis, QStringLiteral("peak_amplitude"),
                       QStringLiteral("Peak Amplitude at %1° (%2)").arg(phi, 0, 'f', 1).arg(unit),
                       doc.GetAmplitudeAt(axis, peakAngle), AmplitudeDecimals(doc.GetUnits()), unit});
        out.push_back({axis, QStringLiteral("mfd"),
                       QStringLiteral("Mode-Field Diameter at %1° (µm)").arg(phi, 0, 'f', 1),
                       doc.GetModeFieldDiameter(axis), 2, QStringLiteral("um")});
    }
    if (doc.IsPerpendicular()) {
        for (const uint16_t clip : kClips) {
            out.push_back({-1, QStringLiteral("ratio_%1").arg(clip / 10.0),
                           QStringLiteral("Angle Ratio at %1 % Width").arg(clip / 10.0, 0, 'f', 1),
                           doc.GetWidthRatio(clip), 2, QString()});
        }
    }
    return out;
}

QString Value(const Parameter& p) { return QString::number(p.value, 'f', p.decimals); }

void PrintText(const QString& path, const std::vector<Parameter>& params) {
    std::printf("%s\n", qPrintable(path));
    int axis = -2;
    for (const Parameter& p : params) {
        if (p.axis != axis) {
            axis = p.axis;
            std::printf(axis < 0 ? "\nBoth axes:\n" : "\nAxis %d:\n", axis);
        }
        std::printf("  %-44s %12s\n", qPrintable(p.name), qPrintable(Value(p)));
    }
}

void PrintCsv(const std::vector<Parameter>& params) {
    std::printf("axis,parameter,value,unit\n");
    for (const Parameter& p : params) {
        std::printf("%s,%s,%s,%s\n", p.axis < 0 ? "both" : qPrintable(QString::number(p.axis)),
                    qPrintable(p.key), qPrintable(Value(p)), qPrintable(p.unit));
    }
}

void PrintJson(const QString& path, const CVelor32Doc& doc, const std::vector<Parameter>& params) {
    QJsonObject axes[2];
    QJsonObject ratios;
    for (const Parameter& p : params) {
        // Rounded as shown, so the numbers agree with the text output.
        const double shown = Value(p).toDouble();
        (p.axis < 0 ? ratios : axes[p.axis]).insert(p.key, shown);
    }
    QJsonArray axisList;
    for (int axis = 0; axis < (doc.IsPerpendicular() ? 2 : 1); ++axis) {
        axes[axis].insert(QStringLiteral("axis"), axis);
        axes[axis].insert(QStringLiteral("phi"), doc.GetPhi(axis, 0));
        axisList.append(axes[axis]);
    }
    QJsonObject root{{QStringLiteral("file"), path},
                     {QStringLiteral("scanMode"), doc.GetScanMode()},
                     {QStringLiteral("units"), doc.GetUnits()},
                     {QStringLiteral("axes"), axisList}};
    if (doc.IsPerpendicular()) root.insert(QStringLiteral("ratios"), ratios);
    std::fputs(QJsonDocument(root).toJson(QJsonDocument::Indented).constData(), stdout);
}

}  // namespace

int RunParams(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print JSON."));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("Print CSV."));
    parser.addOption(json);
    parser.addOption(csv);
    QString path;
    const int stop = ParseCommand(parser, "params",
                                  "Prints the beam parameters of each measured axis: angular "
                                  "width and numerical aperture\nat 5 %, 13.5 % and 50 %, centroid "
                                  "and peak angle, amplitude at the peak in the\nmeasurement's "
                                  "units and mode-field diameter; in perpendicular-axes mode also\n"
                                  "the width ratios. Values carry the decimals the viewer shows.",
                                  arguments, path);
    if (stop >= 0) return stop;
    if (parser.isSet(json) && parser.isSet(csv)) {
        std::fprintf(stderr, "vnqtool params: choose one of --json and --csv\n");
        return kExitUsage;
    }

    ToolSession session;
    CVelor32Doc* doc = session.Load(path);
    if (!doc) return kExitFileError;

    const std::vector<Parameter> params = Collect(*doc);
    if (parser.isSet(json)) {
        PrintJson(path, *doc, params);
    } else if (parser.isSet(csv)) {
        PrintCsv(params);
    } else {
        PrintText(path, params);
    }
    return kExitOk;
}

}  // namespace vnqtool
