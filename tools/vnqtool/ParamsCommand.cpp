// vnqtool params: the beam parameters of any number of measurements, as the viewer computes
// them, in one table. Files are read in parallel on every core; a file that cannot be read is
// reported with the viewer's message and the others are still processed.

#include <QCommandLineParser>
#include <QTextStream>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "document/HeadlessSession.h"
#include "tools/vnqtool/CommandLine.h"
#include "tools/vnqtool/Commands.h"
#include "tools/vnqtool/FreeCores.h"
#include "tools/vnqtool/ParamsTable.h"
#include "views/HeadlessSections.h"

namespace vnqtool {
namespace {

using namespace velor;

// The user of one worker: messages are kept for the file they concern and printed in order
// once every file is done; a question is answered Yes, as the other commands answer it.
class CollectingPrompt : public UserPrompt {
public:
    PromptAnswer Show(const PromptMessage& message) override {
        const QString caption = message.caption.isEmpty() ? kApplicationName : message.caption;
        messages += caption + QStringLiteral(": ") + message.text + QLatin1Char('\n');
        return message.buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Yes;
    }
    QString messages;

protected:
    void ReportFatal(const QString& text, int) override { messages += QStringLiteral("fatal: ") + text + QLatin1Char('\n'); }
};

// Reads the files whose turn comes up until none is left.
void Work(std::vector<FileParameters>& files, std::atomic<size_t>& next, const ParameterChoice& choice) {
    CollectingPrompt prompt;
    ViewTypeRegistry viewTypes;
    RegisterHeadlessViewSections(viewTypes);
    HeadlessSession session(prompt, viewTypes);
    for (size_t i = next++; i < files.size(); i = next++) {
        FileParameters& file = files[i];
        prompt.messages.clear();
        if (CVelor32Doc* doc = session.File().LoadDataFile(file.path)) {
            file.loaded = true;
            CollectParameters(*doc, file, choice);
        }
        file.errors = prompt.messages;
    }
}

// "-" stands for the names on standard input, one a line.
QStringList ExpandFileNames(const QStringList& arguments) {
    QStringList names;
    for (const QString& argument : arguments) {
        if (argument != QLatin1String("-")) {
            names << argument;
            continue;
        }
        QTextStream in(stdin);
        for (QString line; in.readLineInto(&line);) {
            if (!line.trimmed().isEmpty()) names << line.trimmed();
        }
    }
    return names;
}

}  // namespace

int RunParams(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print JSON: one array, an object per file."));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("Print CSV: a header row, a row per file and axis."));
    const QCommandLineOption jobs(QStringLiteral("jobs"),
                                  QStringLiteral("Read N files at a time (default: one per free core)."), QStringLiteral("N"));
    const QCommandLineOption only(
        QStringLiteral("only"),
        QStringLiteral("Compute and print only these parameters: CSV column names, or their beginnings before "
                       "\"_\" (width,na,centroid,peak stands for the widths, the apertures, the centroid, the peak "
                       "angle and its amplitude)."),
        QStringLiteral("NAMES"));
    parser.addOption(json);
    parser.addOption(csv);
    parser.addOption(jobs);
    parser.addOption(only);
    parser.setApplicationDescription(QStringLiteral(
        "Prints the beam parameters of each measured axis of every FILE: angular width and\n"
        "numerical aperture at 5 %, 13.5 % and 50 %, centroid and peak angle, amplitude at the\n"
        "peak in the measurement's units, mode-field diameter with the dynamic range it rests on\n"
        "(the peak over the 16-count floor, in dB) and the angles its integral covered, the\n"
        "effective area (aeff, in µm²) of the near field computed from the same far field, the\n"
        "second-moment width and NA, and the Gaussian fit's 1/e² width, centre and R² (\"no fit\",\n"
        "an empty CSV field or JSON null when there is none); in perpendicular-axes mode also the\n"
        "width ratios; with 3D data the divergences along the beam's principal axes, the\n"
        "ellipticity and the orientation. The effective area depends on the dynamic range: a side\n"
        "lobe hidden below the floor makes a step-index fiber's area read low, and aeff_note says\n"
        "so beside it, or why there is no area (aeff is then 0). The text shows the viewer's\n"
        "decimals; CSV and JSON carry every value at full precision. FILE - reads names from\n"
        "standard input. A file that cannot be read is reported on standard error; the exit\n"
        "status is then 1."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("measurement files"), QStringLiteral("FILE..."));
    QStringList all = arguments;
    all.prepend(QStringLiteral("vnqtool params"));
    if (!parser.parse(all)) {
        std::fprintf(stderr, "vnqtool params: %s\n", qPrintable(parser.errorText()));
        return kExitUsage;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(HelpText(parser, "params")), stdout);
        return kExitOk;
    }
    if (parser.isSet(json) && parser.isSet(csv)) {
        std::fprintf(stderr, "vnqtool params: choose one of --json and --csv\n");
        return kExitUsage;
    }
    size_t jobCount = static_cast<size_t>(FreeCores());
    if (parser.isSet(jobs)) {
        bool ok = false;
        const int n = parser.value(jobs).toInt(&ok);
        if (!ok || n < 1) {
            std::fprintf(stderr, "vnqtool params: --jobs takes a number of at least 1\n");
            return kExitUsage;
        }
        jobCount = static_cast<size_t>(n);
    }
    ParameterChoice choice;
    if (parser.isSet(only)) {
        const QStringList chosen = parser.value(only).split(QLatin1Char(','), Qt::SkipEmptyParts);
        choice = ParameterChoice(chosen);
        const QStringList unknown = choice.Unknown();
        if (!unknown.isEmpty() || chosen.isEmpty()) {
            std::fprintf(stderr, "vnqtool params: --only names no parameter: %s\n",
                         qPrintable(unknown.isEmpty() ? parser.value(only) : unknown.join(QLatin1Char(','))));
            return kExitUsage;
        }
    }
    const QStringList names = ExpandFileNames(parser.positionalArguments());
    if (names.isEmpty()) {
        std::fprintf(stderr, "vnqtool params: expected FILE...\n%s", qPrintable(HelpText(parser, "params")));
        return kExitUsage;
    }

    std::vector<FileParameters> files(static_cast<size_t>(names.size()));
    for (size_t i = 0; i < files.size(); ++i) files[i].path = names[static_cast<int>(i)];
    std::atomic<size_t> next{0};
    const size_t workers = std::min(jobCount, files.size());
    std::vector<std::thread> threads;
    for (size_t w = 1; w < workers; ++w) threads.emplace_back(Work, std::ref(files), std::ref(next), std::cref(choice));
    Work(files, next, choice);
    for (std::thread& t : threads) t.join();

    bool failed = false;
    for (const FileParameters& f : files) {
        if (!f.errors.isEmpty()) {
            for (const QString& line : f.errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(f.path), qPrintable(line));
            }
        }
        failed = failed || !f.loaded;
    }
    if (parser.isSet(json)) {
        PrintJson(files);
    } else if (parser.isSet(csv)) {
        PrintCsv(files);
    } else {
        PrintText(files);
    }
    return failed ? kExitFileError : kExitOk;
}

}  // namespace vnqtool
