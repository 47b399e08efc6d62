// Velor32: the Orbiscan Viewer program.

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>
#include <stdexcept>

#include "ProgramIdentity.h"
#include "app/Application.h"
#include "app/DesktopIdentity.h"
#include "app/GuiPrompt.h"
#include "app/StationCommandLine.h"
#include "common/FileSizeSignal.h"
#include "views/view3d/SurfaceFormat.h"

namespace {

struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption screenshot{QStringLiteral("screenshot"),
                                  QStringLiteral("Save a picture of the main window to PATH once FILE is "
                                                 "open, then quit (for use without a display)."),
                                  QStringLiteral("PATH")};
    velor::StationCommandLine station;

    // Parses the arguments; --help, --version and usage errors end the process here.
    void Process(QCoreApplication& application) {
        QCoreApplication::setOrganizationName(QStringLiteral("Lumora"));
        QCoreApplication::setApplicationName(QStringLiteral("Orbiscan Viewer"));
        QCoreApplication::setApplicationVersion(QStringLiteral(VELOR_VERSION));
        parser.setApplicationDescription(QStringLiteral(
            "Orbiscan Viewer: opens far-field measurements (.vnq) and configurations (.cfg).\n"
            "Without --simulate, --board or --motion-port the program is a viewing station: data "
            "reach it through files."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("measurement to open"));
        parser.addOption(screenshot);
        station.AddTo(parser);
        parser.process(application);
    }
};

// Help and version need no display: they are answered before the GUI starts.
bool AsksOnlyForText(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "-h" || arg == "--help" || arg == "--help-all" || arg == "-v" || arg == "--version")
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    velor::IgnoreFileSizeSignal();
    if (AsksOnlyForText(argc, argv)) {
        QCoreApplication core(argc, argv);
        CommandLine().Process(core);
        return 0;
    }
    velor::UseSurfaceFormatFor3dViews();
    QApplication application(argc, argv);
    CommandLine line;
    line.Process(application);
    QCommandLineParser& parser = line.parser;
    const QCommandLineOption& screenshot = line.screenshot;
    const velor::StationCommandLine& stationLine = line.station;

    velor::StartOptions options;
    try {
        options.station = stationLine.StationFrom(parser);
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "%s: %s\n",
                     qPrintable(QApplication::applicationFilePath().section(QLatin1Char('/'), -1)),
                     e.what());
        return 2;
    }

    velor::ApplyDesktopIdentity();
    velor::GuiPrompt prompt;
    velor::CVelor32App app(prompt);
    if (!parser.positionalArguments().isEmpty())
        options.file = parser.positionalArguments().first();
    options.showOpenDialog = !parser.isSet(screenshot);
    if (!app.InitInstance(options)) return 1;
    prompt.SetParent(&app.MainFrame());

    if (parser.isSet(screenshot)) {
        const QString path = parser.value(screenshot);
        QTimer::singleShot(500, &application, [&app, path] {
            const bool saved = app.MainFrame().grab().save(path);
            std::printf("%s %s\n", saved ? "screenshot saved to" : "could not save screenshot to",
                        qPrintable(path));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
