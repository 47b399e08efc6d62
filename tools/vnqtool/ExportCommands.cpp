// vnqtool export-asc / export-prw: the measurement's ASCII export and its 3D data file, written
// by the viewer's own export code.

#include <QCommandLineParser>
#include <cstdio>

#include "document/Velor32Doc.h"
#include "document/export/AsciiExport.h"
#include "document/file/FileMessages.h"
#include "tools/vnqtool/CommandLine.h"
#include "tools/vnqtool/Commands.h"
#include "tools/vnqtool/ToolSession.h"

namespace vnqtool {
int RunExportAsc(const QStringList& arguments) {
    QCommandLineParser parser;
    QStringList files;
    const int stop = ParseCommand(parser, "export-asc",
                                "Writes the measurement's ASCII export to OUT: the gain and the "
                                "profiles in counts, then\nthe text of its views (the notes).",
                                arguments, {QStringLiteral("FILE"), QStringLiteral("OUT")}, files);
    if (stop >= 0) return stop;
    const QString& in = files[0];
    const QString& out = files[1];
    ToolSession session;
    velor::CVelor32Doc* doc = session.Load(in);
    if (!doc) return kExitFileError;
    if (!velor::ExportAscii(*doc, out, session.Prompt())) return kExitFileError;
    std::printf("wrote %s\n", qPrintable(out));
    return kExitOk;
}

int RunExportPrw(const QStringList& arguments) {
    QCommandLineParser parser;
    QStringList files;
    const int stop = ParseCommand(parser, "export-prw",
                                "Writes the measurement's 3D data file to OUT: N, 3241, the angle "
                                "grid and the scans\nfrom 0° up to 180°.",
                                arguments, {QStringLiteral("FILE"), QStringLiteral("OUT")}, files);
    if (stop >= 0) return stop;
    const QString& in = files[0];
    const QString& out = files[1];
    ToolSession session;
    velor::CVelor32Doc* doc = session.Load(in);
    if (!doc) return kExitFileError;
    if (!doc->Export3dData(out)) {
        session.Prompt().Message(velor::filemsg::kCouldNotSaveFile, QStringLiteral("Process Error"),
                                 velor::PromptIcon::Exclamation);
        return kExitFileError;
    }
    std::printf("wrote %s\n", qPrintable(out));
    return kExitOk;
}

}  // namespace vnqtool
