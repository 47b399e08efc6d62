#pragma once
// Option parsing shared by the subcommands: --help, flags and the positional file arguments.

#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>

#include "tools/vnqtool/Commands.h"

namespace vnqtool {

// Parses a subcommand's arguments, expecting exactly the positional arguments named in
// `names`. Returns an exit code to stop with (help shown or a usage error), or -1 to go on
// with the positional values in `values`.
inline int ParseCommand(QCommandLineParser& parser, const char* name, const char* description,
                        const QStringList& arguments, const QStringList& names, QStringList& values) {
    parser.setApplicationDescription(QString::fromUtf8(description));
    parser.addHelpOption();
    for (const QString& positional : names) {
        parser.addPositionalArgument(positional, positional == QLatin1String("FILE")
                                                     ? QStringLiteral("measurement file")
                                                     : QStringLiteral("file to write"));
    }
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
    values = parser.positionalArguments();
    if (values.size() != names.size()) {
        std::fprintf(stderr, "vnqtool %s: expected %s\n%s", name, qPrintable(names.join(QLatin1Char(' '))),
                     qPrintable(parser.helpText()));
        return kExitUsage;
    }
    return -1;
}

// The common case: one FILE argument.
inline int ParseCommand(QCommandLineParser& parser, const char* name, const char* description,
                        const QStringList& arguments, QString& file) {
    QStringList values;
    const int stop = ParseCommand(parser, name, description, arguments, {QStringLiteral("FILE")}, values);
    if (stop < 0) file = values.first();
    return stop;
}

}  // namespace vnqtool
