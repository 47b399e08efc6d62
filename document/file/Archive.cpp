#include "document/file/Archive.h"

#include <QIODevice>

namespace velor {

qint64 Archive::Read(void* data, qint64 size) {
    if (size <= 0) return 0;
    const qint64 got = m_device.read(static_cast<char*>(data), size);
    return got < 0 ? 0 : got;
}

bool Archive::Write(const void* data, qint64 size) {
    if (size <= 0) return true;
    return m_device.write(static_cast<const char*>(data), size) == size;
}

bool Archive::Skip(qint64 size) {
    if (size <= 0) return true;
    return m_device.skip(size) == size;
}

qint64 Archive::Peek(void* data, qint64 size) {
    if (size <= 0) return 0;
    const qint64 got = m_device.peek(static_cast<char*>(data), size);
    return got < 0 ? 0 : got;
}

}  // namespace velor
