#pragma once
// The subcommands of vnqtool. Each takes its own arguments (after the command name) and
// returns the process exit code.

#include <QStringList>

namespace vnqtool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;

int RunInfo(const QStringList& arguments);
int RunNew(const QStringList& arguments);
int RunParams(const QStringList& arguments);
int RunNearField(const QStringList& arguments);
int RunSimulate(const QStringList& arguments);
int RunExportAsc(const QStringList& arguments);
int RunExportPrw(const QStringList& arguments);
int RunExportH5(const QStringList& arguments);
int RunReport(const QStringList& arguments);

}  // namespace vnqtool
