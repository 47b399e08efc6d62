// vnqtool report and export-h5 on measurements of N = 200 (2.6 MB each):
//   report    — one call on 100 files, pictures included (target: under 15 s);
//   export-h5 — one file, in process, against copying the same file (read and write it whole
//               through the same checked writer); target at most 3 times that. A laser diode
//               measured along two axes and a fiber along one. The whole processes (vnqtool
//               export-h5 against cp) are printed beside them.
// Prints the best of several runs of each. Run from the build folder:
//   build/bench/tools/report_bench [FOLDER]     (FOLDER for the files; default a temporary one)

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>
#include <limits>

#include "common/ConsolePrompt.h"
#include "common/WholeFileWrite.h"
#include "document/HeadlessSession.h"
#include "document/export/Hdf5Export.h"
#include "document/parameters/StandardParameters.h"
#include "views/HeadlessSections.h"
#include "views/ViewContents.h"

namespace {

using namespace velor;

double BestMs(int runs, const std::function<void()>& work) {
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

bool Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);
    const QString vnqtool = QStringLiteral(VNQTOOL_PATH);

    const QString first = QDir(folder).filePath(QStringLiteral("m000.vnq"));
    if (!QFile::exists(first) &&
        !Run(vnqtool, {"simulate", "--scans3d", "200", "--source", "laser", "--perpendicular", first})) {
        std::fprintf(stderr, "report_bench: vnqtool simulate failed\n");
        return 1;
    }
    QStringList files{first};
    for (int i = 1; i < 100; ++i) {
        const QString copy = QDir(folder).filePath(QStringLiteral("m%1.vnq").arg(i, 3, 10, QLatin1Char('0')));
        if (!QFile::exists(copy)) QFile::copy(first, copy);
        files << copy;
    }
    Run(QStringLiteral("cat"), files);  // every file in the page cache before the first run

    const QString pdf = QDir(folder).filePath(QStringLiteral("runs.pdf"));
    const double reportMs = BestMs(3, [&] {
        if (!Run(vnqtool, QStringList{"report"} + files + QStringList{"-o", pdf})) {
            std::fprintf(stderr, "report_bench: vnqtool report failed\n");
        }
    });

    std::printf("vnqtool report of 100 files of %lld bytes (N = 200), one call, best of 3:\n",
                static_cast<long long>(QFileInfo(first).size()));
    std::printf("  %.2f s for %lld bytes of PDF   (target under 15 s)\n", reportMs / 1000.0,
                static_cast<long long>(QFileInfo(pdf).size()));

    // The export's figures cost what the measurement holds: a perpendicular laser diode has two
    // axes, each with a near field for its effective area; a fiber measured along one axis, one.
    const QString fiber = QDir(folder).filePath(QStringLiteral("fiber.vnq"));
    if (!QFile::exists(fiber) && !Run(vnqtool, {"simulate", "--scans3d", "200", "--source", "gaussian", fiber})) {
        std::fprintf(stderr, "report_bench: vnqtool simulate failed\n");
        return 1;
    }
    ConsolePrompt prompt;
    ViewTypeRegistry viewTypes;
    RegisterHeadlessViewSections(viewTypes);
    HeadlessSession session(prompt, viewTypes);
    double sink = 0.0;
    const QString h5 = QDir(folder).filePath(QStringLiteral("m.h5"));
    const QString copy = QDir(folder).filePath(QStringLiteral("copy.vnq"));
    std::printf("export-h5 of one file (N = 200), best of runs:\n");
    for (const auto& [source, kind] : {std::pair{first, "laser diode, perpendicular axes"},
                                       std::pair{fiber, "fiber, single axis"}}) {
        const QString name = QFileInfo(source).fileName();
        const double copyMs = BestMs(30, [&] {
            QFile file(source);
            file.open(QIODevice::ReadOnly);
            WriteWholeFile(copy, file.readAll());
        });
        const double exportMs = BestMs(30, [&] {
            if (CVelor32Doc* doc = session.File().LoadDataFile(source)) {
                ExportHdf5(*doc, {ContentsOfViews(*doc).note, name}, h5);
            }
        });
        // Where the export's time goes: the load, then the figures it stores, one after another
        // (the export works out the near fields beside the arrays), the rest the HDF5 file and
        // its write.
        const double loadMs = BestMs(30, [&] { session.File().LoadDataFile(source); });
        const double figuresMs = BestMs(30, [&] {
            if (CVelor32Doc* doc = session.File().LoadDataFile(source)) {
                for (const ParameterEntry& entry : StandardParameters()) {
                    if (!ParameterApplies(entry, *doc)) continue;
                    const bool perAxis = entry.scope == ParameterScope::Axis && doc->IsPerpendicular();
                    for (int axis = 0; axis < (perAxis ? 2 : 1); ++axis) sink += entry.value(*doc, axis);
                }
            }
        });
        const double cpMs = BestMs(10, [&] { Run(QStringLiteral("cp"), {source, copy}); });
        const double processMs = BestMs(10, [&] { Run(vnqtool, {"export-h5", source, h5}); });

        std::printf(" %s (%s):\n", qPrintable(name), kind);
        std::printf("  copy (read + checked write), in process     %8.2f ms\n", copyMs);
        std::printf("  load + HDF5 export + checked write, in process %5.2f ms   ratio %.2f (target at most 3)\n",
                    exportMs, exportMs / copyMs);
        std::printf("    of which load                             %8.2f ms\n", loadMs);
        std::printf("    of which load + figures (in turn)         %8.2f ms\n", figuresMs);
        std::printf("  cp, a process                               %8.2f ms\n", cpMs);
        std::printf("  vnqtool export-h5, a process                %8.2f ms   ratio %.2f\n", processMs,
                    processMs / cpMs);
    }
    return sink == 1.0 ? 2 : 0;  // keeps the parameters from being optimised away
}
