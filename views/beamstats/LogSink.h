#pragma once
// Where the beam statistics log goes: a file or a serial port. Every write is checked.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

namespace velor {

class LogSink {
public:
    virtual ~LogSink() = default;
    // Writes all bytes; false, with the system's reason, when any of them could not be.
    virtual bool Write(const QByteArray& bytes, QString* error) = 0;
};

// A log file, appended to: an existing file is kept and written at its end (unless it is to be
// overwritten), and its line feeds are counted as the records it already holds.
class FileLogSink final : public LogSink {
public:
    static std::unique_ptr<FileLogSink> Open(const QString& path, bool overwrite, int* lineFeeds, QString* error);
    bool Write(const QByteArray& bytes, QString* error) override;

private:
    explicit FileLogSink(const QString& path) : m_file(path) {}
    QFile m_file;
};

}  // namespace velor
