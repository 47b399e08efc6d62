// vnqtool export-asc / export-prw: the measurement's ASCII export and its 3D data file, written
// by the viewer's own export code, or to standard output for an OUT of "-".

#include <QCommandLineParser>
#include <cstdio>
#include <functional>

#include "document/Velor32Doc.h"
#include "document/export/AsciiExport.h"
#include "document/file/FileMessages.h"
#include "tools/vnqtool/CommandLine.h"
#include "tools/vnqtool/Commands.h"
#include "tools/vnqtool/StandardOutput.h"
#include "tools/vnqtool/ToolSession.h"

namespace vnqtool {
namespace {

struct Export {
    const char* name;
    const char* description;
    // The export's bytes, for standard output.
    std::function<QByteArray(velor::CVelor32Doc&)> bytes;
    // The export to a file, as the viewer writes it; reports its own failures.
    std::function<bool(ToolSession&, velor::CVelor32Doc&, const QString&)> writeFile;
};

int RunExport(const QStringList& arguments, const Export& exporter) {
    QCommandLineParser parser;
    QStringList files;
    const int stop = ParseCommand(parser, exporter.name, exporter.description, arguments,
                                  {QStringLiteral("FILE"), QStringLiteral("OUT")}, files);
    if (stop >= 0) return stop;
    ToolSession session;
    velor::CVelor32Doc* doc = session.Load(files[0]);
    if (!doc) return kExitFileError;
    if (files[1] == QLatin1String("-")) {
        return WriteStandardOutput(exporter.bytes(*doc)) ? kExitOk : kExitFileError;
    }
    if (!exporter.writeFile(session, *doc, files[1])) return kExitFileError;
    std::printf("wrote %s\n", qPrintable(files[1]));
    return kExitOk;
}

}  // namespace

int RunExportAsc(const QStringList& arguments) {
    return RunExport(arguments,
                     {"export-asc",
                      "Writes the measurement's ASCII export to OUT (- for standard output): the "
                      "gain and the\nprofiles in counts, then the text of its views (the notes and "
                      "the power view).",
                      [](velor::CVelor32Doc& doc) { return velor::AsciiExportText(doc); },
                      [](ToolSession& session, velor::CVelor32Doc& doc, const QString& out) {
                          return velor::ExportAscii(doc, out, session.Prompt());
                      }});
}

int RunExportPrw(const QStringList& arguments) {
    return RunExport(arguments,
                     {"export-prw",
                      "Writes the measurement's 3D data file to OUT (- for standard output): N, "
                      "3241, the angle\ngrid and the scans from 0° up to 180°.",
                      [](velor::CVelor32Doc& doc) { return doc.Data3dExport(); },
                      [](ToolSession& session, velor::CVelor32Doc& doc, const QString& out) {
                          return velor::Report3dExport(doc.Export3dData(out), out, session.Prompt());
                      }});
}

}  // namespace vnqtool
