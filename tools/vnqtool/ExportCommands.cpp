// vnqtool export-asc / export-prw / export-h5: the measurement's ASCII export, its 3D data file
// and its HDF5 file, written by the viewer's own export code, or to standard output for an OUT
// of "-".

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <functional>

#include "document/Velor32Doc.h"
#include "document/export/AsciiExport.h"
#include "document/export/Hdf5Export.h"
#include "document/file/FileMessages.h"
#include "tools/vnqtool/CommandLine.h"
#include "tools/vnqtool/Commands.h"
#include "tools/vnqtool/StandardOutput.h"
#include "tools/vnqtool/ToolSession.h"
#include "views/ViewContents.h"

namespace vnqtool {
namespace {

struct Export {
    const char* name;
    const char* description;
    // The export's bytes, for standard output; empty after a message when they cannot be made.
    std::function<QByteArray(velor::CVelor32Doc&)> bytes;
    // The export to a file, as the viewer writes it; reports its own failures.
    std::function<bool(ToolSession&, velor::CVelor32Doc&, const QString&)> writeFile;
    // An export that is never empty: empty bytes mean it failed.
    bool mayFail = false;
};

velor::Hdf5Source Hdf5SourceOf(velor::CVelor32Doc& doc, const QString& file) {
    return {velor::ContentsOfViews(doc).note, QFileInfo(file).fileName()};
}

// source, when given, receives FILE before the export runs.
int RunExport(const QStringList& arguments, const Export& exporter, QString* source = nullptr) {
    QCommandLineParser parser;
    QStringList files;
    const int stop = ParseCommand(parser, exporter.name, exporter.description, arguments,
                                  {QStringLiteral("FILE"), QStringLiteral("OUT")}, files);
    if (stop >= 0) return stop;
    if (source) *source = files[0];
    ToolSession session;
    velor::CVelor32Doc* doc = session.Load(files[0]);
    if (!doc) return kExitFileError;
    if (files[1] == QLatin1String("-")) {
        const QByteArray bytes = exporter.bytes(*doc);
        if (bytes.isEmpty() && exporter.mayFail) return kExitFileError;
        return WriteStandardOutput(bytes) ? kExitOk : kExitFileError;
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

namespace vnqtool {

int RunExportH5(const QStringList& arguments) {
    QString source;
    return RunExport(
        arguments,
        {"export-h5",
         "Writes the measurement as HDF5 to OUT (- for standard output): the settings as attributes\n"
         "with their units, the angle grid, each measured axis's profile, the 3D data set with its\n"
         "azimuths, the standard parameters and the note (README, \"HDF5 export\").",
         [&source](velor::CVelor32Doc& doc) {
             QString error;
             const QByteArray bytes = velor::Hdf5ExportBytes(doc, Hdf5SourceOf(doc, source), &error);
             if (bytes.isEmpty()) std::fprintf(stderr, "vnqtool export-h5: %s\n", qPrintable(error));
             return bytes;
         },
         [&source](ToolSession& session, velor::CVelor32Doc& doc, const QString& out) {
             return velor::Report3dExport(velor::ExportHdf5(doc, Hdf5SourceOf(doc, source), out), out,
                                          session.Prompt());
         },
         true},
        &source);
}

}  // namespace vnqtool
