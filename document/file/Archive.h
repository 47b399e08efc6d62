#pragma once
// Sequential binary access to an open file: the data file is written and read strictly in
// order, with no index and no seeking back.

#include <QtGlobal>

class QIODevice;

namespace velor {

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

private:
    QIODevice& m_device;
};

}  // namespace velor
