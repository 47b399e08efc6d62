#include "common/WholeFileWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
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

// Writes all of bytes from the file's current position and flushes; counts what reached the
// file in *done. A write cut short (at a file-size limit, on a full disk) reports no error
// of its own: the rest is written again, so that the attempt that fails says why.
bool WriteEverything(QFileDevice& file, const QByteArray& bytes, qint64* done = nullptr) {
    qint64 count = 0;
    bool complete = true;
    while (count < bytes.size()) {
        errno = 0;
        const qint64 written = file.write(bytes.constData() + count, bytes.size() - count);
        if (written <= 0) {
            complete = false;
            break;
        }
        count += written;
    }
    if (done) *done = count;
    return complete && file.flush() && file.error() == QFileDevice::NoError;
}

QString CauseOf(const QFileDevice& file) {
    if (file.error() != QFileDevice::NoError) return file.errorString();
    return errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
}

// The new bytes go over the target from its start without shortening it first, so what was
// not reached keeps the earlier content and the blocks it had stay allocated: after a failed
// write, putting back the stretch that was overwritten needs no room the file did not have.
WriteResult WriteInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    // Without the earlier content in hand a failed write could not be undone: no attempt.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        return Failure(WriteOutcome::CannotOpen, file.errorString(), true);
    }
    const QByteArray earlier = file.readAll();
    if (file.error() != QFileDevice::NoError) return Failure(WriteOutcome::CannotOpen, file.errorString(), true);
    qint64 reached = 0;
    if (file.seek(0) && WriteEverything(file, bytes, &reached) && file.resize(bytes.size()) &&
        ::fsync(file.handle()) == 0) {
        return WriteResult{WriteOutcome::Written, QString(), true};
    }
    const QString cause = CauseOf(file);
    file.unsetError();
    const QByteArray overwritten = earlier.left(static_cast<int>(std::min<qint64>(reached, earlier.size())));
    const bool restored = file.seek(0) && WriteEverything(file, overwritten) && file.resize(earlier.size()) &&
                          ::fsync(file.handle()) == 0;
    return Failure(WriteOutcome::WriteFailed,
                   cause + (restored ? QStringLiteral(". The earlier file was written back unchanged.")
                                     : QStringLiteral(". The earlier file could not be written back: ") +
                                           CauseOf(file)),
                   true);
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
    if (!WriteEverything(file, bytes)) {
        const QString cause = CauseOf(file);
        file.cancelWriting();
        return Failure(WriteOutcome::WriteFailed, cause, false);
    }
    if (!file.commit()) return Failure(WriteOutcome::WriteFailed, file.errorString(), false);
    return WriteResult{};
}

}  // namespace velor
