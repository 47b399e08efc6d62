#pragma once
// Writing a whole file so that nothing the user had is lost: the bytes go to a file beside the
// target, which is flushed, checked and synced and only then renamed over the target. Any
// failure leaves the earlier file as it was and no partial file behind.
//
// A folder that allows no new file beside the target (read-only, immutable) while the target
// itself may be written gets the file written in place — the one case in which a save cannot
// be atomic. The bytes are complete before the target is touched, so only the write itself
// can fail there; the earlier content is read first and written back when it does, and the
// cause says whether that worked. A target that cannot be read back is not written in place.

#include <QByteArray>
#include <QString>

namespace velor {

enum class WriteOutcome { Written, CannotOpen, WriteFailed };

struct WriteResult {
    WriteOutcome outcome = WriteOutcome::Written;
    QString cause;         // the system's reason for a failure
    bool inPlace = false;  // written straight into the target
    bool Ok() const { return outcome == WriteOutcome::Written; }
};

WriteResult WriteWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace velor
