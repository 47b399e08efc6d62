// vnqtool export-asc / export-prw: the measurement's ASCII export and its 3D data file, written
// by the viewer's own export code.

#include <QCommandLineParser>
#include <cstdio>
#include <functional>

#include "document/Velor32Doc.h"
#include "document/export/AsciiExport.h"
#include "document/file/FileMessages.h"
#include "tools/vnqtool/CommandLine.h"
#include "tools/vnqtool/Commands.h"
#include "tools/vnqtool/ToolSession.h"

namespace vnqtool {
namespace {

// Loads FILE and hands the document to `write` for OUT; write reports its own failures.
int RunExport(const QStringList& arguments, const char* name, const char* description,
              const std::function<bool(ToolSession&, velor::CVelor32Doc&, const QString&)>& write) {
    QCommandLineParser parser;
    QStringList files;
    const int stop = ParseCommand(parser, name, description, arguments,
                                  {QStringLiteral("FILE"), QStringLiteral("OUT")}, files);
    if (stop >= 0) return stop;
    ToolSession session;
    velor::CVelor32Doc* doc = session.Load(files[0]);
    if (!doc || !write(session, *doc, files[1])) return kExitFileError;
    std::printf("wrote %s\n", qPrintable(files[1]));
    return kExitOk;
}

}  // namespace

int RunExportAsc(const QStringList& arguments) {
    return RunExport(arguments, "export-asc",
                     "Writes the measurement's ASCII export to OUT: the gain and the profiles in "
                     "counts, then\nthe text of its views (the notes and the power view).",
                     [](ToolSession& session, velor::CVelor32Doc& doc, const QString& out) {
                         return velor::ExportAscii(doc, out, session.Prompt());
                     });
}

int RunExportPrw(const QStringList& arguments) {
    return RunExport(arguments, "export-prw",
                     "Writes the measurement's 3D data file to OUT: N, 3241, the angle grid and "
                     "the scans\nfrom 0° up to 180°.",
                     [](ToolSession& session, velor::CVelor32Doc& doc, const QString& out) {
                         return velor::Report3dExport(doc.Export3dData(out), out, session.Prompt());
                     });
}

}  // namespace vnqtool
