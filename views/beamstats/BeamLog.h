#pragma once
// The beam statistics log: one line of delimited text per sample, after a header naming the
// rows, written to a file or a serial port. A log file holds at most 16383 records; a write
// that fails stops the log with a message rather than losing records unnoticed.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "views/beamstats/BeamDataData.h"
#include "views/beamstats/BeamRows.h"
#include "views/beamstats/LogSink.h"

namespace velor {

class UserPrompt;

inline constexpr int kMaxLogRecords = 16383;

class BeamLog {
public:
    using LocalTime = std::function<QDateTime()>;
    using PortOpener = std::function<std::unique_ptr<LogSink>(const QString& name, QString* error)>;

    // The output, names, delimiter and flags are the settings'; stopping the log sets their
    // output to none.
    BeamLog(CBeamDataData& settings, UserPrompt& prompt, LocalTime now = &QDateTime::currentDateTime,
            PortOpener openPort = {});
    ~BeamLog();

    // Closes the log and opens the output the settings name (a file is overwritten only when
    // asked). False after telling the user; the output is then none.
    bool Open(bool overwrite = false);
    void Close();
    bool IsOpen() const { return m_sink != nullptr; }
    // Records a log file holds, its earlier line feeds included.
    int RecordCount() const { return m_records; }

    // The serial number and the date when asked for, then the row names with the headings of
    // the shown statistic columns.
    void WriteHeader(const std::vector<BeamRow>& rows);

    // A sample's record: false when nothing is to be written (no log open, or the file is
    // full, which stops the log). The time field comes first when asked for.
    bool BeginRecord();
    // The text and the delimiter.
    void Field(const QByteArray& text);
    // The line end; the record is written whole.
    void EndRecord();

private:
    QByteArray Delimiter() const;
    void Quoted(const QString& text);
    void Flush();
    void Stop(const QString& message);

    CBeamDataData& m_settings;
    UserPrompt& m_prompt;
    LocalTime m_now;
    PortOpener m_openPort;
    std::unique_ptr<LogSink> m_sink;
    int m_records = 0;
    QByteArray m_pending;
};

}  // namespace velor
