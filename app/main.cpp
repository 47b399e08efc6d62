// Velor32: the Orbiscan Viewer program.

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>

#include "app/Application.h"
#include "app/GuiPrompt.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Lumora"));
    QApplication::setApplicationName(QStringLiteral("Orbiscan Viewer"));
    QApplication::setApplicationVersion(QStringLiteral("4.0.4"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Orbiscan Viewer: opens far-field measurements (.vnq) and configurations (.cfg)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("measurement to open"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                       QStringLiteral("Save a picture of the main window to PATH once FILE is "
                                                      "open, then quit (for use without a display)."),
                                       QStringLiteral("PATH"));
    parser.addOption(screenshot);
    parser.process(application);

    velor::GuiPrompt prompt;
    velor::CVelor32App app(prompt);
    velor::StartOptions options;
    if (!parser.positionalArguments().isEmpty()) options.file = parser.positionalArguments().first();
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
