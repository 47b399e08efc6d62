#pragma once
// Sequential binary access to an open file: the data file is written and read strictly in
// order, with no index and no seeking back.

#include <QtGlobal>
#include <cstdint>
#include <vector>

class QIODevice;

namespace velor {

// A block header as the reader met it, and whether the block's bytes were read and matched
// their checksum.
struct ReadBlockRecord {
    uint16_t tag;
    uint16_t length;
    uint16_t crc;
    bool checked;
};

class Archive {
public:
    explicit Archive(QIODevice& device) : m_device(&device) {}
    // Reads a file open for reading through its descriptor, each record straight into the
    // memory it is meant for: one system call per record, which also brings the bytes after
    // it (the next block's header) into a small lookahead. Nothing can be written.
    explicit Archive(int fileDescriptor);
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    // Reads up to size bytes; returns how many arrived (fewer at the end of the file or on a
    // read error).
    qint64 Read(void* data, qint64 size);
    // Writes all bytes; false if the device refused any of them.
    bool Write(const void* data, qint64 size);
    // Passes over size bytes; false if the file ended first.
    bool Skip(qint64 size);
    // Looks at up to size bytes ahead without reading them; returns how many are there.
    qint64 Peek(void* data, qint64 size);
    // Bytes of the file not read yet.
    qint64 BytesAvailable() const;

    // Keeps a record of every block header read, for tools that show what a file holds.
    void SetReadLog(std::vector<ReadBlockRecord>* log) { m_log = log; }
    std::vector<ReadBlockRecord>* ReadLog() const { return m_log; }

private:
    qint64 ReadFromFile(void* data, qint64 size);
    // Brings the lookahead up to `wanted` bytes where the file has them.
    void FillLookahead(qint64 wanted);

    QIODevice* m_device = nullptr;
    std::vector<ReadBlockRecord>* m_log = nullptr;

    // Reading through a descriptor: where the next unread byte after the lookahead lies.
    int m_fd = -1;
    qint64 m_offset = 0;
    qint64 m_fileSize = 0;
    static constexpr qint64 kLookahead = 64;
    unsigned char m_ahead[kLookahead];
    qint64 m_aheadBegin = 0;
    qint64 m_aheadEnd = 0;
};

}  // namespace velor
