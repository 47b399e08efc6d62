#include "views/beamstats/LogSink.h"

#include <QFileInfo>

namespace velor {
namespace {

// An existing log is read in blocks of this size to count its records.
constexpr qint64 kCountBlock = 16383;

}  // namespace

std::unique_ptr<FileLogSink> FileLogSink::Open(const QString& path, bool overwrite, int* lineFeeds, QString* error) {
    std::unique_ptr<FileLogSink> sink(new FileLogSink(path));
    QFile& file = sink->m_file;
    int count = 0;
    bool opened;
    const QFileInfo info(path);
    if (overwrite || !info.exists()) {
        opened = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    } else if (!info.isFile()) {
        // A device or a pipe holds no earlier records to count, and reading one may never end.
        opened = file.open(QIODevice::WriteOnly);
    } else {
        opened = file.open(QIODevice::ReadWrite);
        QByteArray block;
        while (opened && !file.atEnd()) {
            block = file.read(kCountBlock);
            if (block.isEmpty()) {
                opened = false;  // a read error: the records cannot be counted
                break;
            }
            count += static_cast<int>(block.count('\n'));
        }
        opened = opened && file.seek(file.size());
    }
    if (!opened) {
        if (error) *error = file.errorString();
        return nullptr;
    }
    if (lineFeeds) *lineFeeds = count;
    return sink;
}

bool FileLogSink::Write(const QByteArray& bytes, QString* error) {
    if (m_file.write(bytes) == bytes.size() && m_file.flush()) return true;
    if (error) *error = m_file.errorString();
    return false;
}

}  // namespace velor
