// vnqtool new: writes a default measurement or configuration file that the viewer opens.

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "tools/vnqtool/CommandLine.h"
#include "tools/vnqtool/Commands.h"
#include "tools/vnqtool/ToolSession.h"
#include "views/notes/NoteSection.h"

namespace vnqtool {

using namespace velor;

int RunNew(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption config(QStringLiteral("config"),
                                    QStringLiteral("Write a configuration file (FILE must end in .cfg)."));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Replace FILE if it exists."));
    parser.addOption(config);
    parser.addOption(force);
    QString path;
    const int stop = ParseCommand(parser, "new",
                                  "Writes a new measurement with default settings and one notes "
                                  "section. The file's\nextension decides its kind, as in the "
                                  "viewer: .cfg is a configuration file,\nanything else a data "
                                  "file.",
                                  arguments, path);
    if (stop >= 0) return stop;

    const bool wantConfig = parser.isSet(config);
    const bool isConfigName = DataFile::FileTypeForPath(path) == kFileTypeConfig;
    if (wantConfig != isConfigName) {
        std::fprintf(stderr, "vnqtool new: %s\n",
                     wantConfig ? "a configuration file's name must end in .cfg"
                                : "a name ending in .cfg makes a configuration file; add --config");
        return kExitUsage;
    }
    if (QFileInfo::exists(path) && !parser.isSet(force)) {
        std::fprintf(stderr, "vnqtool new: %s exists (use --force to replace it)\n", qPrintable(path));
        return kExitUsage;
    }

    ToolSession session;
    CVelor32Doc* document = session.NewDocument();
    auto note = std::make_unique<NoteSection>();
    note->SetText(QByteArrayLiteral("New measurement created by vnqtool."));
    document->AdoptView(std::move(note));

    if (!session.File().SaveDataFile(path)) return kExitFileError;
    std::printf("wrote %s\n", qPrintable(path));
    return kExitOk;
}

}  // namespace vnqtool
