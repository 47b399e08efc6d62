#pragma once
// Option parsing shared by the subcommands: --help, flags and the positional file arguments.

#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>

#include "tools/vnqtool/Commands.h"

namespace vnqtool {

// The parser's help with the usage line naming the command as it is typed: Qt's own line starts
// with the program's path as it was started and leaves the subcommand out.
inline QString HelpText(const QCommandLineParser& parser, const char* name) {
    QString text = parser.helpText();
    const qsizetype start = text.indexOf(QLatin1String("Usage: "));
    const qsizetype options = text.indexOf(QLatin1String(" [options]"), start);
    if (start == 0 && options > start) {
        text.replace(0, options, QStringLiteral("Usage: vnqtool %1").arg(QLatin1String(name)));
    }
    return text;
}

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
        std::fputs(qPrintable(HelpText(parser, name)), stdout);
        return kExitOk;
    }
    values = parser.positionalArguments();
    if (values.size() != names.size()) {
        std::fprintf(stderr, "vnqtool %s: expected %s\n%s", name, qPrintable(names.join(QLatin1Char(' '))),
                     qPrintable(HelpText(parser, name)));
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
