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
    explicit Archive(QIODevice& device) : m_device(device) {}

    // Reads up to size bytes; returns how many arrived (fewer at the end of the file or on a
    // read error).
    qint64 Read(void* data, qint64 size);
    // Writes all bytes; false if the device refused any of them.
    bool Write(const void* data, qint64 size);
    // Passes over size bytes; false if the file ended first.
    bool Skip(qint64 size);
    // Looks at up to size bytes ahead without reading them; returns how many are there.
    qint64 Peek(void* data, qint64 size);

    QIODevice& Device() { return m_device; }

    // Keeps a record of every block header read, for tools that show what a file holds.
    void SetReadLog(std::vector<ReadBlockRecord>* log) { m_log = log; }
    std::vector<ReadBlockRecord>* ReadLog() const { return m_log; }

private:
    QIODevice& m_device;
    std::vector<ReadBlockRecord>* m_log = nullptr;
};

}  // namespace velor
