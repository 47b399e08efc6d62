#pragma once
// Option parsing shared by the subcommands: --help, flags and one file argument.

#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>

#include "tools/vnqtool/Commands.h"

namespace vnqtool {

// Parses a subcommand's arguments. Returns an exit code to stop with (help shown or a usage
// error), or -1 to go on; on success `file` holds the one positional argument.
inline int ParseCommand(QCommandLineParser& parser, const char* name, const char* description,
                        const QStringList& arguments, QString& file) {
    parser.setApplicationDescription(QString::fromLatin1(description));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("measurement file"));
    QStringList all = arguments;
    all.prepend(QStringLiteral("vnqtool %1").arg(QLatin1String(name)));
    if (!parser.parse(all)) {
        std::fprintf(stderr, "vnqtool %s: %s\n", name, qPrintable(parser.errorText()));
        return kExitUsage;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return kExitOk;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        std::fprintf(stderr, "vnqtool %s: expected one FILE argument\n%s", name,
                     qPrintable(parser.helpText()));
        return kExitUsage;
    }
    file = positional.first();
    return -1;
}

}  // namespace vnqtool
