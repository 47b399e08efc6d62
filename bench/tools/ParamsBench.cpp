// vnqtool params on measurements of N = 200 (2.6 MB each) against the physical floor:
//   one file  — the program's load and parameters against reading the same bytes and
//               checksumming them with a plain CRC-32, in one process; and the two as whole
//               processes (vnqtool params against cksum);
//   100 files — one vnqtool params call against cat of the same files.
// Prints the best of several runs of each and their ratios. Run from the build folder:
//   build/bench/tools/params_bench [FOLDER]     (FOLDER for the files; default a temporary one)

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>

#include "common/ConsolePrompt.h"
#include "document/HeadlessSession.h"
#include "tools/vnqtool/ParamsTable.h"
#include "views/HeadlessSections.h"

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
    process.start(program, arguments);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);
    const QString vnqtool = QStringLiteral(VNQTOOL_PATH);

    // A simulated N = 200 measurement, and 99 copies under other names.
    const QString first = QDir(folder).filePath(QStringLiteral("m000.vnq"));
    if (!QFile::exists(first) &&
        !Run(vnqtool, {"simulate", "--scans3d", "200", "--source", "laser", "--perpendicular", first})) {
        std::fprintf(stderr, "params_bench: vnqtool simulate failed\n");
        return 1;
    }
    QStringList files{first};
    for (int i = 1; i < 100; ++i) {
        const QString copy = QDir(folder).filePath(QStringLiteral("m%1.vnq").arg(i, 3, 10, QLatin1Char('0')));
        if (!QFile::exists(copy)) QFile::copy(first, copy);
        files << copy;
    }
    // Every file read once, so all runs read from the page cache alike.
    Run(QStringLiteral("cat"), files);

    ConsolePrompt prompt;
    ViewTypeRegistry viewTypes;
    RegisterHeadlessViewSections(viewTypes);
    HeadlessSession session(prompt, viewTypes);
    uLong checksum = 0;
    const double floorMs = BestMs(30, [&] {
        QFile file(first);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        checksum ^= crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), static_cast<uInt>(bytes.size()));
    });
    const double loadMs = BestMs(30, [&] {
        vnqtool::FileParameters parameters;
        if (CVelor32Doc* doc = session.File().LoadDataFile(first)) vnqtool::CollectParameters(*doc, parameters);
    });
    const double processMs = BestMs(10, [&] { Run(vnqtool, {"params", "--csv", first}); });
    const double cksumMs = BestMs(10, [&] { Run(QStringLiteral("cksum"), {first}); });
    const double manyMs = BestMs(5, [&] { Run(vnqtool, QStringList{"params", "--csv"} + files); });
    const double catMs = BestMs(5, [&] { Run(QStringLiteral("cat"), files); });

    const qint64 bytes = QFileInfo(first).size();
    std::printf("one file of %lld bytes (N = 200), best of runs:\n", static_cast<long long>(bytes));
    std::printf("  read + CRC-32, in process      %8.2f ms\n", floorMs);
    std::printf("  load + parameters, in process  %8.2f ms   ratio %.2f (target at most 3)\n", loadMs,
                loadMs / floorMs);
    std::printf("  cksum, a process               %8.2f ms\n", cksumMs);
    std::printf("  vnqtool params, a process      %8.2f ms   ratio %.2f\n", processMs, processMs / cksumMs);
    std::printf("100 such files:\n");
    std::printf("  cat > /dev/null                %8.2f ms\n", catMs);
    std::printf("  vnqtool params (one call)      %8.2f ms   ratio %.2f (target at most 3)\n", manyMs,
                manyMs / catMs);
    return checksum == 1 ? 2 : 0;  // keeps the checksum from being optimised away
}
