// vnqtool params on measurements of N = 200 (2.6 MB each) against the physical floor and
// against the script a user would write:
//   one file  — the program's load and parameters against reading the same bytes and
//               checksumming them with a plain CRC-32, in one process; and the two as whole
//               processes (vnqtool params against cksum);
//   The program computes what the peer computes (--only width,na,centroid,peak); the default,
//   every parameter including the near field's effective area and the 3D figures, is timed
//   beside it for reference.
//   100 files — one vnqtool params call against cat of the same files; the call on one core
//               (--jobs 1) against the call on every core, with the machine free and with a
//               second process keeping one core busy; and params_peer.py (numpy, beside this
//               file) computing the same figures from the same files, whose numbers must agree.
// The 100 files are copies of four simulated sources. Runs are interleaved, so a change of the
// machine's load falls on every contender alike; each figure is the best of its runs. Prints
// the load average beside the figures. Run from the build folder:
//   build/bench/tools/params_bench [FOLDER]     (FOLDER for the files; default a temporary one)

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <map>
#include <vector>

#include "common/ConsolePrompt.h"
#include "document/HeadlessSession.h"
#include "tools/vnqtool/ParamsTable.h"
#include "views/HeadlessSections.h"

namespace {

using namespace velor;

double ElapsedMs(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}


// Runs a program to its end; its standard output when asked for.
bool Run(const QString& program, const QStringList& arguments, QByteArray* out = nullptr) {
    QProcess process;
    if (!out) process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    const bool ok = process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0;
    if (out) *out = process.readAllStandardOutput();
    return ok;
}

QString LoadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("?");
    return QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2);
}

// A second process that keeps one core busy until it goes.
class BusyCore {
public:
    BusyCore() {
        m_process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
        m_process.waitForStarted();
    }
    ~BusyCore() {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};

// The CSV columns both tables carry, by file, axis and column.
using Figures = std::map<QString, double>;
Figures ReadCsv(const QByteArray& csv, const QStringList& columns) {
    Figures figures;
    const QList<QByteArray> lines = csv.split('\n');
    if (lines.isEmpty()) return figures;
    const QList<QByteArray> header = lines[0].split(',');
    for (int l = 1; l < lines.size(); ++l) {
        const QList<QByteArray> fields = lines[l].split(',');
        if (fields.size() != header.size()) continue;
        for (const QString& column : columns) {
            const int at = static_cast<int>(header.indexOf(column.toLatin1()));
            if (at < 0) continue;
            figures[QString::fromLatin1(fields[0] + ',' + fields[1] + ',') + column] = fields[at].toDouble();
        }
    }
    return figures;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);
    const QString vnqtool = QStringLiteral(VNQTOOL_PATH);
    const QString peer = QStringLiteral(PARAMS_PEER_PATH);
    const QString python = QStringLiteral("/usr/bin/python3");

    // Four simulated N = 200 measurements, and copies of them up to 100 files.
    const QList<QStringList> sources = {
        {"--source", "laser", "--perpendicular"},
        {"--source", "gaussian", "--mfd", "10.4"},
        {"--source", "lp01", "--perpendicular", "--distance", "3"},
        {"--source", "multimode", "--na", "0.22"},
    };
    QStringList files;
    for (int i = 0; i < 100; ++i) {
        const QString path = QDir(folder).filePath(QStringLiteral("p%1.vnq").arg(i, 3, 10, QLatin1Char('0')));
        const int source = i % static_cast<int>(sources.size());
        if (!QFile::exists(path)) {
            if (i < sources.size()) {
                if (!Run(vnqtool, QStringList{"simulate", "--scans3d", "200"} + sources[source] + QStringList{path})) {
                    std::fprintf(stderr, "params_bench: vnqtool simulate failed\n");
                    return 1;
                }
            } else {
                QFile::copy(files[source], path);
            }
        }
        files << path;
    }
    const QString& first = files[0];
    // Every file read once, so all runs read from the page cache alike.
    Run(QStringLiteral("cat"), files);

    // The figures of both must agree before their times mean anything.
    const QStringList columns = {"phi", "width_5", "width_13.5", "width_50", "na_5", "na_13.5", "na_50",
                                 "centroid", "peak"};
    const QStringList peerFigures = {"--only", "width,na,centroid,peak"};
    const vnqtool::ParameterChoice peerChoice(QStringList{"width", "na", "centroid", "peak"});
    QByteArray programCsv, peerCsv;
    if (!Run(vnqtool, QStringList{"params", "--csv"} + peerFigures + files, &programCsv) ||
        !Run(python, QStringList{peer} + files, &peerCsv)) {
        std::fprintf(stderr, "params_bench: vnqtool params or %s failed\n", qPrintable(peer));
        return 1;
    }
    const Figures programFigures = ReadCsv(programCsv, columns);
    const Figures peerValues = ReadCsv(peerCsv, columns);
    double largestDifference = 0.0;
    int compared = 0;
    for (const auto& [key, value] : programFigures) {
        const auto other = peerValues.find(key);
        if (other == peerValues.end()) {
            largestDifference = std::numeric_limits<double>::infinity();
            continue;
        }
        largestDifference = std::max(largestDifference, std::fabs(other->second - value));
        ++compared;
    }

    const QString loadBefore = LoadAverage();
    ConsolePrompt prompt;
    ViewTypeRegistry viewTypes;
    RegisterHeadlessViewSections(viewTypes);
    HeadlessSession session(prompt, viewTypes);
    uLong checksum = 0;
    double floorMs = std::numeric_limits<double>::infinity(), loadMs = floorMs, everyMs = floorMs;
    for (int i = 0; i < 30; ++i) {
        floorMs = std::min(floorMs, ElapsedMs([&] {
            QFile file(first);
            file.open(QIODevice::ReadOnly);
            const QByteArray bytes = file.readAll();
            checksum ^= crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), static_cast<uInt>(bytes.size()));
        }));
        loadMs = std::min(loadMs, ElapsedMs([&] {
            vnqtool::FileParameters parameters;
            if (CVelor32Doc* doc = session.File().LoadDataFile(first))
                vnqtool::CollectParameters(*doc, parameters, peerChoice);
        }));
        everyMs = std::min(everyMs, ElapsedMs([&] {
            vnqtool::FileParameters parameters;
            if (CVelor32Doc* doc = session.File().LoadDataFile(first)) vnqtool::CollectParameters(*doc, parameters);
        }));
    }
    double processMs = std::numeric_limits<double>::infinity(), cksumMs = processMs;
    for (int i = 0; i < 10; ++i) {
        processMs = std::min(processMs, ElapsedMs([&] { Run(vnqtool, QStringList{"params", "--csv"} + peerFigures + QStringList{first}); }));
        cksumMs = std::min(cksumMs, ElapsedMs([&] { Run(QStringLiteral("cksum"), {first}); }));
    }

    const QStringList all = QStringList{"params", "--csv"} + peerFigures + files;
    const QStringList single = QStringList{"params", "--csv", "--jobs", "1"} + peerFigures + files;
    const QStringList every = QStringList{"params", "--csv"} + files;
    struct Many {
        double cat = std::numeric_limits<double>::infinity();
        double program = cat, oneCore = cat, peer = cat, every = cat;
    };
    const auto measureMany = [&](int rounds, bool withPeer) {
        Many m;
        for (int i = 0; i < rounds; ++i) {
            m.cat = std::min(m.cat, ElapsedMs([&] { Run(QStringLiteral("cat"), files); }));
            m.program = std::min(m.program, ElapsedMs([&] { Run(vnqtool, all); }));
            m.oneCore = std::min(m.oneCore, ElapsedMs([&] { Run(vnqtool, single); }));
            if (withPeer) m.peer = std::min(m.peer, ElapsedMs([&] { Run(python, QStringList{peer} + files); }));
            if (withPeer) m.every = std::min(m.every, ElapsedMs([&] { Run(vnqtool, every); }));
        }
        return m;
    };
    const Many free = measureMany(7, true);
    const QString loadFree = LoadAverage();
    Many busy;
    {
        BusyCore spinner;
        busy = measureMany(7, false);
    }
    const QString loadAfter = LoadAverage();

    const qint64 bytes = QFileInfo(first).size();
    std::printf("load average %s at the start, %s after the free runs, %s at the end\n", qPrintable(loadBefore),
                qPrintable(loadFree), qPrintable(loadAfter));
    std::printf("one file of %lld bytes (N = 200), best of runs; the program computing the peer's figures\n"
                "(--only width,na,centroid,peak) unless said otherwise:\n",
                static_cast<long long>(bytes));
    std::printf("  read + CRC-32, in process      %8.2f ms\n", floorMs);
    std::printf("  load + parameters, in process  %8.2f ms   ratio %.2f (target at most 1.5)\n", loadMs,
                loadMs / floorMs);
    std::printf("  every parameter, in process    %8.2f ms   (the default: the effective area and the 3D figures too)\n",
                everyMs);
    std::printf("  cksum, a process               %8.2f ms\n", cksumMs);
    std::printf("  vnqtool params, a process      %8.2f ms   ratio %.2f\n", processMs, processMs / cksumMs);
    std::printf("100 such files (4 sources), best of runs:\n");
    std::printf("  cat > /dev/null                %8.2f ms\n", free.cat);
    std::printf("  vnqtool params (one call)      %8.2f ms   ratio %.2f (target at most 2)\n", free.program,
                free.program / free.cat);
    std::printf("  vnqtool params --jobs 1        %8.2f ms   every core %.2f x faster\n", free.oneCore,
                free.oneCore / free.program);
    std::printf("  numpy peer (params_peer.py)    %8.2f ms   %.2f x slower than the program (target at least 1.5)\n",
                free.peer, free.peer / free.program);
    std::printf("  figures compared with the peer's: %d, largest difference %.3g\n", compared, largestDifference);
    std::printf("  vnqtool params, every parameter %7.2f ms   ratio %.2f to cat\n", free.every, free.every / free.cat);
    std::printf("the same 100 files while a second process keeps one core busy:\n");
    std::printf("  cat > /dev/null                %8.2f ms\n", busy.cat);
    std::printf("  vnqtool params (one call)      %8.2f ms   ratio %.2f\n", busy.program, busy.program / busy.cat);
    std::printf("  vnqtool params --jobs 1        %8.2f ms   every core %.2f x faster (target at least 1)\n",
                busy.oneCore, busy.oneCore / busy.program);
    return checksum == 1 ? 2 : 0;  // keeps the checksum from being optimised away
}
