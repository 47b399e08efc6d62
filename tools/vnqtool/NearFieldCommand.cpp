// vnqtool nearfield: the near field the viewer computes from each measured axis's far field,
// as CSV: a radius column and one normalised intensity column per axis.

#include <QCommandLineParser>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <map>

#include "document/Velor32Doc.h"
#include "tools/vnqtool/CommandLine.h"
#include "tools/vnqtool/Commands.h"
#include "tools/vnqtool/ParamsTable.h"
#include "tools/vnqtool/ToolSession.h"

namespace vnqtool {
namespace {

using namespace velor;

// Radii of both axes in one column: each axis is sampled at its own step (a hundredth of its
// mode-field diameter), so a row carries the values of the axes sampled at that radius and
// leaves the others empty. Radii are matched in whole nanometres.
using Rows = std::map<long long, std::vector<QString>>;

void AddAxis(Rows& rows, const NearField& field, size_t column, size_t columns) {
    for (size_t k = 0; k < field.intensity.size(); ++k) {
        const long long nm = std::llround(static_cast<double>(k) * field.stepUm * 1000.0);
        std::vector<QString>& row = rows[nm];
        row.resize(columns);
        row[column] = FullPrecision(field.intensity[k]);
    }
}

}  // namespace

int RunNearField(const QStringList& arguments) {
    QCommandLineParser parser;
    QString path;
    const int stop = ParseCommand(
        parser, "nearfield",
        "Prints the near field of each measured axis of FILE as CSV: radius_um, then the\n"
        "intensity of each axis normalised to its maximum (intensity_axis0, intensity_axis1),\n"
        "from the axis to 40 dB below the maximum. Each axis is sampled at its own radial step, a\n"
        "1-2-5 value near a hundredth of its mode-field diameter; a row leaves an axis's cell\n"
        "empty where that axis has no sample. An axis without a near field is reported on\n"
        "standard error with the reason; when no axis has one the exit status is 1.",
        arguments, path);
    if (stop >= 0) return stop;

    ToolSession session;
    CVelor32Doc* doc = session.Load(path);
    if (!doc) return kExitFileError;
    const int axes = doc->IsPerpendicular() ? 2 : 1;
    Rows rows;
    bool any = false;
    QString header = QStringLiteral("radius_um");
    for (int axis = 0; axis < axes; ++axis) {
        header += QStringLiteral(",intensity_axis%1").arg(axis);
        const NearField& field = doc->GetNearField(axis);
        if (!field.valid) {
            std::fprintf(stderr, "vnqtool nearfield: %s: axis %d: %s\n", qPrintable(path), axis,
                         qPrintable(field.reason));
            continue;
        }
        any = true;
        AddAxis(rows, field, static_cast<size_t>(axis), static_cast<size_t>(axes));
    }
    if (!any) return kExitFileError;

    QString out = header + QLatin1Char('\n');
    for (const auto& [nm, cells] : rows) {
        out += FullPrecision(static_cast<double>(nm) / 1000.0);
        for (const QString& cell : cells) out += QLatin1Char(',') + cell;
        out += QLatin1Char('\n');
    }
    std::fputs(out.toUtf8().constData(), stdout);
    return kExitOk;
}

}  // namespace vnqtool
