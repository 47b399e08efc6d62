#include "common/WholeFileWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <unistd.h>

namespace velor {
namespace {

// The target may be written, but its folder takes no new file.
bool OnlyInPlaceIsPossible(const QString& path) {
    const QFileInfo target(path);
    return target.exists() && target.isFile() && target.isWritable() &&
           !QFileInfo(target.absolutePath()).isWritable();
}

WriteResult Failure(WriteOutcome outcome, const QString& cause, bool inPlace) {
    return WriteResult{outcome, cause, inPlace};
}

WriteResult WriteInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return Failure(WriteOutcome::CannotOpen, file.errorString(), true);
    }
    const bool written = file.write(bytes) == bytes.size() && file.flush() && ::fsync(file.handle()) == 0;
    const QString cause = file.errorString();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        return Failure(WriteOutcome::WriteFailed, cause, true);
    }
    return WriteResult{WriteOutcome::Written, QString(), true};
}

}  // namespace

WriteResult WriteWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (OnlyInPlaceIsPossible(path)) return WriteInPlace(path, bytes);
        return Failure(WriteOutcome::CannotOpen, file.errorString(), false);
    }
    // A failed write may show only when the last buffer goes out: flush and check before the
    // rename (which syncs the file first), or a short file would replace a good one.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString cause = file.errorString();
        file.cancelWriting();
        return Failure(WriteOutcome::WriteFailed, cause, false);
    }
    if (!file.commit()) return Failure(WriteOutcome::WriteFailed, file.errorString(), false);
    return WriteResult{};
}

}  // namespace velor
