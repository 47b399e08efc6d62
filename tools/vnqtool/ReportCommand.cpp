// vnqtool report: the measurement report of one file or a batch as PDF, laid out by the
// viewer's own report code. A file that cannot be read is named on standard error and left
// out; the rest is still reported, and the exit status says that something was left out.

#include <QCommandLineParser>
#include <QDateTime>
#include <QSaveFile>
#include <cstdio>
#include <unistd.h>

#include "common/WholeFileWrite.h"
#include "report/MeasurementReport.h"
#include "report/PaperSize.h"
#include "tools/vnqtool/CommandLine.h"
#include "tools/vnqtool/Commands.h"
#include "tools/vnqtool/StandardOutput.h"
#include "tools/vnqtool/ToolSession.h"
#include "views/ViewContents.h"

namespace vnqtool {
namespace {

const char kName[] = "report";

// Before any file is read: a report that could never be written fails now, with the system's
// reason, rather than after the whole batch. Nothing is left behind.
bool CanWrite(const QString& path, QString* cause) {
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly)) {
        *cause = probe.errorString();
        return false;
    }
    probe.cancelWriting();
    return true;
}

}  // namespace

int RunReport(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the measurement report of each FILE to REPORT.pdf (- for standard output): its\n"
        "settings and note, its parameters with the limits of its Beam Statistics view and PASS or\n"
        "FAIL (the standard parameters without limits when it has no such view), and the pictures of\n"
        "its views. Several files end with a summary. A file that cannot be read is named on standard\n"
        "error and left out; the exit status is then 1. The paper is the locale's (LC_PAPER)."));
    parser.addHelpOption();
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The PDF to write (- for standard output)."),
                                    QStringLiteral("REPORT.pdf"));
    const QCommandLineOption paper(QStringLiteral("paper"), QStringLiteral("a4 or letter instead of the locale's paper."),
                                   QStringLiteral("SIZE"));
    parser.addOption(output);
    parser.addOption(paper);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("measurement files"), QStringLiteral("FILE..."));
    QStringList all = arguments;
    all.prepend(QStringLiteral("vnqtool report"));
    if (!parser.parse(all)) {
        std::fprintf(stderr, "vnqtool %s: %s\n", kName, qPrintable(parser.errorText()));
        return kExitUsage;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(HelpText(parser, kName)), stdout);
        return kExitOk;
    }
    const QStringList files = parser.positionalArguments();
    const QString out = parser.value(output);
    if (files.isEmpty() || out.isEmpty()) {
        std::fprintf(stderr, "vnqtool %s: expected FILE... -o REPORT.pdf\n%s", kName,
                     qPrintable(HelpText(parser, kName)));
        return kExitUsage;
    }
    QPageSize::PageSizeId size = velor::PaperFromLocale();
    if (parser.isSet(paper)) {
        const auto chosen = velor::PaperFromName(parser.value(paper));
        if (!chosen) {
            std::fprintf(stderr, "vnqtool %s: unknown paper '%s' (a4 or letter)\n", kName,
                         qPrintable(parser.value(paper)));
            return kExitUsage;
        }
        size = *chosen;
    }
    const bool toStandardOutput = out == QLatin1String("-");
    QString cause;
    if (!toStandardOutput && !CanWrite(out, &cause)) {
        std::fprintf(stderr, "vnqtool %s: cannot write %s: %s\n", kName, qPrintable(out), qPrintable(cause));
        return kExitFileError;
    }

    velor::MeasurementReport report(size, QDateTime::currentDateTime());
    ToolSession session;
    const bool progress = ::isatty(STDERR_FILENO) && files.size() > 1;
    int reported = 0;
    for (int i = 0; i < files.size(); ++i) {
        if (progress) std::fprintf(stderr, "\r%d/%lld %s\x1b[K", i + 1, static_cast<long long>(files.size()), qPrintable(files[i]));
        velor::CVelor32Doc* doc = session.Load(files[i]);
        if (!doc) {
            std::fprintf(stderr, "%svnqtool %s: %s left out: it could not be read\n", progress ? "\n" : "", kName,
                         qPrintable(files[i]));
            report.AddLeftOut(files[i]);
            continue;
        }
        report.AddMeasurement(*doc, files[i], velor::ContentsOfViews(*doc));
        ++reported;
    }
    if (progress) std::fputs("\n", stderr);
    if (reported == 0) {
        std::fprintf(stderr, "vnqtool %s: no file could be read; nothing written\n", kName);
        return kExitFileError;
    }
    const QByteArray pdf = report.Finish(files.size() > 1);
    if (pdf.isEmpty()) {
        std::fprintf(stderr, "vnqtool %s: the PDF could not be made\n", kName);
        return kExitFileError;
    }
    const bool complete = reported == files.size();
    if (toStandardOutput) return WriteStandardOutput(pdf) && complete ? kExitOk : kExitFileError;
    const velor::WriteResult written = velor::WriteWholeFile(out, pdf);
    if (!written.Ok()) {
        std::fprintf(stderr, "vnqtool %s: could not write %s: %s\n", kName, qPrintable(out), qPrintable(written.cause));
        return kExitFileError;
    }
    std::printf("wrote %s (%d of %lld measurements)\n", qPrintable(out), reported, static_cast<long long>(files.size()));
    return complete ? kExitOk : kExitFileError;
}

}  // namespace vnqtool
