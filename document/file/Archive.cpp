#include "document/file/Archive.h"

#include <QIODevice>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <sys/uio.h>

namespace velor {

Archive::Archive(int fileDescriptor) : m_fd(fileDescriptor) {
    struct stat info {};
    if (::fstat(m_fd, &info) == 0) m_fileSize = info.st_size;
}

qint64 Archive::Read(void* data, qint64 size) {
    if (size <= 0) return 0;
    if (m_fd >= 0) return ReadFromFile(data, size);
    const qint64 got = m_device->read(static_cast<char*>(data), size);
    return got < 0 ? 0 : got;
}

qint64 Archive::ReadFromFile(void* data, qint64 size) {
    auto* out = static_cast<unsigned char*>(data);
    qint64 done = std::min(size, m_aheadEnd - m_aheadBegin);
    std::memcpy(out, m_ahead + m_aheadBegin, static_cast<size_t>(done));
    m_aheadBegin += done;
    while (done < size) {
        // The lookahead is empty here: the rest goes straight to its place, the bytes after it
        // into the lookahead, in one call.
        iovec parts[2] = {{out + done, static_cast<size_t>(size - done)}, {m_ahead, sizeof m_ahead}};
        const ssize_t got = ::preadv(m_fd, parts, 2, m_offset);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        m_offset += got;
        if (got <= size - done) {
            done += got;
            continue;
        }
        m_aheadBegin = 0;
        m_aheadEnd = got - (size - done);
        done = size;
    }
    return done;
}

void Archive::FillLookahead(qint64 wanted) {
    if (m_aheadBegin > 0) {
        std::memmove(m_ahead, m_ahead + m_aheadBegin, static_cast<size_t>(m_aheadEnd - m_aheadBegin));
        m_aheadEnd -= m_aheadBegin;
        m_aheadBegin = 0;
    }
    while (m_aheadEnd < std::min(wanted, kLookahead)) {
        const ssize_t got = ::pread(m_fd, m_ahead + m_aheadEnd, static_cast<size_t>(kLookahead - m_aheadEnd), m_offset);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        m_offset += got;
        m_aheadEnd += got;
    }
}

bool Archive::Write(const void* data, qint64 size) {
    if (size <= 0) return true;
    if (!m_device) return false;
    return m_device->write(static_cast<const char*>(data), size) == size;
}

bool Archive::Skip(qint64 size) {
    if (size <= 0) return true;
    if (m_fd < 0) return m_device->skip(size) == size;
    const qint64 fromLookahead = std::min(size, m_aheadEnd - m_aheadBegin);
    m_aheadBegin += fromLookahead;
    const qint64 rest = size - fromLookahead;
    const qint64 passed = std::clamp<qint64>(m_fileSize - m_offset, 0, rest);
    m_offset += passed;
    return passed == rest;
}

qint64 Archive::Peek(void* data, qint64 size) {
    if (size <= 0) return 0;
    if (m_fd < 0) {
        const qint64 got = m_device->peek(static_cast<char*>(data), size);
        return got < 0 ? 0 : got;
    }
    FillLookahead(size);
    const qint64 there = std::min(size, m_aheadEnd - m_aheadBegin);
    std::memcpy(data, m_ahead + m_aheadBegin, static_cast<size_t>(there));
    return there;
}

qint64 Archive::BytesAvailable() const {
    if (m_fd < 0) return m_device->bytesAvailable();
    return std::max<qint64>(0, m_fileSize - m_offset) + (m_aheadEnd - m_aheadBegin);
}

}  // namespace velor
