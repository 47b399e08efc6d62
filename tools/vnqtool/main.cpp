// vnqtool: inspects and creates measurement files from the command line.

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <memory>

#include "ProgramIdentity.h"
#include "common/FileSizeSignal.h"
#include "tools/vnqtool/Commands.h"
#include "tools/vnqtool/StandardOutput.h"

namespace {

const char kUsage[] =
    "Usage: vnqtool <command> [options] FILE\n"
    "\n"
    "Inspect and create Orbiscan Viewer measurement files (.vnq) and configuration\n"
    "files (.cfg).\n"
    "\n"
    "Commands:\n"
    "  info FILE            show the header, every setting and the file's sections\n"
    "  new [--config] FILE  write a new default data file (or configuration file)\n"
    "  params [--json|--csv] FILE...\n"
    "                       the beam parameters of each measured axis\n"
    "  nearfield FILE       the near field of each measured axis, as CSV\n"
    "  simulate [options] OUT\n"
    "                       a complete measurement of a simulated source\n"
    "  export-asc FILE OUT  the ASCII export (profiles in counts, the note)\n"
    "  export-prw FILE OUT  the 3D data file\n"
    "  export-h5 FILE OUT   every array, the settings and parameters as HDF5\n"
    "  report FILE... -o REPORT.pdf\n"
    "                       the measurement report: settings, parameters with their\n"
    "                       limits, pictures; a summary after several files\n"
    "\n"
    "An export's OUT of - writes to standard output. Run 'vnqtool <command> --help' for\n"
    "a command's options, 'vnqtool --version' for the version.\n";

int RunCommand(QStringList arguments) {
    if (arguments.isEmpty()) {
        std::fputs(kUsage, stderr);
        return vnqtool::kExitUsage;
    }
    const QString command = arguments.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        std::fputs(kUsage, stdout);
        return vnqtool::kExitOk;
    }
    if (command == QLatin1String("--version") || command == QLatin1String("-v")) {
        std::puts("vnqtool " VELOR_VERSION);
        return vnqtool::kExitOk;
    }
    if (command == QLatin1String("info")) return vnqtool::RunInfo(arguments);
    if (command == QLatin1String("new")) return vnqtool::RunNew(arguments);
    if (command == QLatin1String("params")) return vnqtool::RunParams(arguments);
    if (command == QLatin1String("nearfield")) return vnqtool::RunNearField(arguments);
    if (command == QLatin1String("simulate")) return vnqtool::RunSimulate(arguments);
    if (command == QLatin1String("export-asc")) return vnqtool::RunExportAsc(arguments);
    if (command == QLatin1String("export-prw")) return vnqtool::RunExportPrw(arguments);
    if (command == QLatin1String("export-h5")) return vnqtool::RunExportH5(arguments);
    if (command == QLatin1String("report")) return vnqtool::RunReport(arguments);

    std::fprintf(stderr, "vnqtool: unknown command '%s'\n\n%s", qPrintable(command), kUsage);
    return vnqtool::kExitUsage;
}

// The report draws its pictures and lays out its text with fonts, which need the GUI
// application object; it never needs a display, so it runs on the offscreen platform. Every
// other command makes do with the core application.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "report") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

int main(int argc, char* argv[]) {
    velor::IgnoreFileSizeSignal();
    const std::unique_ptr<QCoreApplication> app = MakeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vnqtool"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return vnqtool::DeliverStandardOutput(RunCommand(arguments));
}
