#include "tools/vnqtool/StandardOutput.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "tools/vnqtool/Commands.h"

namespace vnqtool {
namespace {

void ReportFailure(const char* cause) {
    std::fprintf(stderr, "vnqtool: error writing standard output%s%s\n", *cause ? ": " : "", cause);
}

}  // namespace

bool WriteStandardOutput(const QByteArray& bytes) {
    std::fflush(stdout);
    QFile out;
    if (out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered,
                 QFileDevice::DontCloseHandle) &&
        out.write(bytes) == bytes.size()) {
        return true;
    }
    ReportFailure(qPrintable(out.errorString()));
    return false;
}

int DeliverStandardOutput(int status) {
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    const int cause = errno;
    if (flushed && !std::ferror(stdout)) return status;
    // A failure in an earlier, larger write left no cause behind.
    ReportFailure(flushed ? "" : std::strerror(cause));
    return status == kExitOk ? kExitFileError : status;
}

}  // namespace vnqtool
