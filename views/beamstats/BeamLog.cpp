#include "views/beamstats/BeamLog.h"

#include <QFile>

#include "common/UserPrompt.h"
#include "views/beamstats/BeamStatistics.h"
#include "views/beamstats/LogPort.h"

namespace velor {
namespace {

const QString kTooManyRecords = QStringLiteral("Too many samples have been recorded.Logging has stopped.");
const QString kCannotOpenFile = QStringLiteral("Could not access specified file for data logging.");
const QString kCannotOpenPort = QStringLiteral("Could not open specified port for data logging.");
const QString kWriteFailed = QStringLiteral("Could not write to the data log:\n%1\nLogging has stopped.");

const QByteArray kLineEnd("\r\n");

template <size_t N>
QByteArray Text(const char (&field)[N]) {
    return QByteArray(field, static_cast<int>(qstrnlen(field, N)));
}

}  // namespace

BeamLog::BeamLog(CBeamDataData& settings, UserPrompt& prompt, LocalTime now, PortOpener openPort)
    : m_settings(settings),
      m_prompt(prompt),
      m_now(std::move(now)),
      m_openPort(openPort ? std::move(openPort) : PortOpener(&OpenLogPort)) {}

BeamLog::~BeamLog() = default;

void BeamLog::Close() {
    m_sink.reset();
    m_records = 0;
}

bool BeamLog::Open(bool overwrite) {
    Close();
    QString reason;
    if (m_settings.m_nLogOutput == kLogPort) {
        m_sink = m_openPort(QString::fromLatin1(Text(m_settings.m_szLogPort)), &reason);
        if (!m_sink) {
            m_settings.m_nLogOutput = kLogNone;
            m_prompt.Message(kCannotOpenPort, QString(), PromptIcon::None);
            return false;
        }
    } else if (m_settings.m_nLogOutput == kLogFile) {
        int lineFeeds = 0;
        m_sink = FileLogSink::Open(QFile::decodeName(Text(m_settings.m_szLogFile)), overwrite, &lineFeeds, &reason);
        if (!m_sink) {
            m_settings.m_nLogOutput = kLogNone;
            m_prompt.Message(kCannotOpenFile, QString(), PromptIcon::None);
            return false;
        }
        m_records = lineFeeds;
    }
    return true;
}

QByteArray BeamLog::Delimiter() const {
    switch (m_settings.m_nDelimiter) {
        case kDelimTab: return QByteArrayLiteral("\t");
        case kDelimSemicolon: return QByteArrayLiteral(";");
        case kDelimComma: return QByteArrayLiteral(",");
        case kDelimSpace: return QByteArrayLiteral(" ");
        default: return kLineEnd;
    }
}

void BeamLog::Field(const QByteArray& text) {
    m_pending += text;
    m_pending += Delimiter();
}

void BeamLog::Quoted(const QString& text) { Field('"' + text.toLatin1() + '"'); }

void BeamLog::WriteHeader(const std::vector<BeamRow>& rows) {
    if (!m_sink || m_settings.m_nLogOutput == kLogNone) return;
    m_pending.clear();
    if (m_settings.m_bLogSerial) m_pending += '"' + Text(m_settings.m_szSerial) + '"' + kLineEnd;
    if (m_settings.m_bLogDate) {
        m_pending += '"' + m_now().date().toString(QStringLiteral("MM/dd/yyyy")).toLatin1() + '"' + kLineEnd;
    }
    if (m_settings.m_bLogTime) Quoted(QStringLiteral("Time"));
    for (const BeamRow& row : rows) {
        // The name heads the row's Value field; a hidden Value column leaves only the headings.
        if (m_settings.ColumnShown(kColValue)) Quoted(row.name);
        for (int column = kColMean; column < kColumnCount; ++column) {
            if (m_settings.ColumnShown(column)) Quoted(BeamStatistics::Heading(column));
        }
    }
    m_pending += kLineEnd;
    Flush();
}

bool BeamLog::BeginRecord() {
    if (!m_sink || m_settings.m_nLogOutput == kLogNone) return false;
    if (m_settings.m_nLogOutput == kLogFile && ++m_records >= kMaxLogRecords) {
        m_sink.reset();
        m_settings.m_nLogOutput = kLogNone;
        m_prompt.Message(kTooManyRecords, QString(), PromptIcon::None);
        return false;
    }
    m_pending.clear();
    if (m_settings.m_bLogTime) Field(m_now().time().toString(QStringLiteral("HH:mm:ss")).toLatin1());
    return true;
}

void BeamLog::EndRecord() {
    m_pending += kLineEnd;
    Flush();
}

void BeamLog::Flush() {
    QString reason;
    if (m_sink && !m_sink->Write(m_pending, &reason)) Stop(kWriteFailed.arg(reason));
    m_pending.clear();
}

void BeamLog::Stop(const QString& message) {
    m_sink.reset();
    m_settings.m_nLogOutput = kLogNone;
    m_prompt.Message(message, QString(), PromptIcon::Exclamation);
}

}  // namespace velor
