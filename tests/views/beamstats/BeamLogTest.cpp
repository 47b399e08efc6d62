// The log of the samples: its header and records byte for byte for each delimiter and flag,
// the record count of a file it appends to and the stop at 16383 records, a file or port that
// cannot be opened or written, and a record written to a pseudo-terminal opened as the port.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include "tests/support/RecordingPrompt.h"
#include "views/beamstats/BeamLog.h"
#include "views/beamstats/BeamStatistics.h"
#include "views/beamstats/LogPort.h"

namespace velor::test {
namespace {

const QDateTime kNow(QDate(2024, 3, 7), QTime(9, 5, 3));

template <size_t N>
void Put(char (&field)[N], const QByteArray& text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.constData(), std::min<size_t>(text.size(), N - 1));
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One 13.5 % width row sampled at 12.34, logged.
class LogFixture : public ::testing::Test {
protected:
    LogFixture() {
        settings.m_nWidthFlags = 0x01;
        settings.m_bModeField = 0;
        settings.m_nLogOutput = kLogFile;
        Put(settings.m_szLogFile, QFile::encodeName(path));
        stats.RecreateWindows();
        stats.RebuildRows(BeamRowContext{});
    }
    void Sample(double v = 12.34) {
        stats.TakeSample([v](const BeamRow&) { return v; }, &log);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("run.plg"));
    RecordingPrompt prompt;
    CBeamDataData settings;
    BeamRowArrays arrays;
    BeamStatistics stats{settings, arrays};
    BeamLog log{settings, prompt, [] { return kNow; }};
};

TEST_F(LogFixture, HeaderAndRecordForEachDelimiterAndFlag) {
    const QByteArray name("\"13.5% Angular Width at 0.0\xB0 (deg)\"");
    const struct {
        const char* what;
        uint32_t delimiter, display, time, date, serial;
        QByteArray expected;
    } cases[] = {
        {"comma with time", kDelimComma, 0x01, 1, 0, 0, "\"Time\"," + name + ",\r\n09:05:03,12.3,\r\n"},
        {"tab, serial and date, Value, Mean and Max Limit", kDelimTab, 0x43, 0, 1, 1,
         "\"SN-7\"\r\n\"03/07/2024\"\r\n" + name + "\t\"Mean\"\t\"Max Limit\"\t\r\n12.3\t12.34\t\t\r\n"},
        {"Value hidden: the statistics are still written", kDelimSpace, 0x12, 0, 0, 0,
         "\"Mean\" \"Std Dev\" \r\n12.34 0.00 \r\n"},
        {"semicolon", kDelimSemicolon, 0x05, 0, 0, 0, name + ";\"Min\";\r\n12.3;12.3;\r\n"},
        {"line ends", kDelimLineEnd, 0x01, 0, 0, 0, name + "\r\n\r\n12.3\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path);
        settings.m_nDelimiter = c.delimiter;
        settings.m_nDisplayFlags = c.display;
        settings.m_bLogTime = c.time;
        settings.m_bLogDate = c.date;
        settings.m_bLogSerial = c.serial;
        Put(settings.m_szSerial, "SN-7");
        stats.Reset();
        stats.RebuildRows(BeamRowContext{});
        ASSERT_TRUE(log.Open());
        log.WriteHeader(stats.Rows());
        Sample();
        log.Close();
        EXPECT_EQ(ReadFile(path), c.expected);
    }
    EXPECT_TRUE(prompt.Messages().empty());
}

TEST_F(LogFixture, AnAmplitudeThatRoundsToZeroHasNoSignInRowCopyAndLog) {
    settings.m_nWidthFlags = 0;
    settings.m_nAmplitudeFlags = 0x01;  // at the centroid, relative units: two decimals
    settings.m_nDisplayFlags = 0x07;    // Value, Mean (three decimals), Min
    settings.m_nDelimiter = kDelimComma;
    stats.RebuildRows(BeamRowContext{});
    ASSERT_TRUE(log.Open());
    Sample(-0.001);  // the mean's third decimal still shows it
    stats.Reset();
    Sample(-0.0004);
    log.Close();
    const BeamCells& cells = stats.Cells().at(0);
    EXPECT_EQ(cells.text[kColValue], "0.00");
    EXPECT_EQ(cells.text[kColMean], "0.000");
    EXPECT_EQ(cells.text[kColMin], "0.00");
    EXPECT_TRUE(stats.CopyText().endsWith("\r\nValue:0.00\r\nMean:0.000\r\nMin:0.00\r\n"))
        << stats.CopyText().toStdString();
    EXPECT_EQ(ReadFile(path), "0.00,-0.001,0.00,\r\n0.00,0.000,0.00,\r\n");
    Sample(-0.005);
    EXPECT_EQ(stats.Cells().at(0).text[kColValue], "-0.01") << "what does not round to zero keeps its sign";
}

TEST_F(LogFixture, AppendingStopsAtTheLastRecordAFileMayHold) {
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("x\n").repeated(kMaxLogRecords - 3));
    }
    const qint64 before = QFileInfo(path).size();
    ASSERT_TRUE(log.Open());
    EXPECT_EQ(log.RecordCount(), kMaxLogRecords - 3);
    Sample();
    Sample();
    EXPECT_TRUE(prompt.Messages().empty());
    Sample();
    ASSERT_EQ(prompt.Messages().size(), 1u);
    EXPECT_EQ(prompt.Last().text, "Too many samples have been recorded.Logging has stopped.");
    EXPECT_EQ(settings.m_nLogOutput, static_cast<uint32_t>(kLogNone));
    Sample();
    EXPECT_EQ(settings.m_nSamples, 4u) << "the statistics go on";
    const QByteArray bytes = ReadFile(path);
    EXPECT_EQ(bytes.size(), before + 2 * 7) << "two records of \"12.3,\\r\\n\", appended";
    EXPECT_EQ(bytes.count('\n'), kMaxLogRecords - 1);
    EXPECT_TRUE(bytes.endsWith("x\n12.3,\r\n12.3,\r\n"));
}

TEST_F(LogFixture, OutputsThatFailStopTheLogWithTheirMessage) {
    const struct {
        const char* what;
        uint32_t output;
        QByteArray name;
        bool opens;
        const char* message;
    } cases[] = {
        {"file in no folder", kLogFile, "/nonexistent/folder/run.plg", false,
         "Could not access specified file for data logging."},
        {"port that is no device", kLogPort, "/dev/nonexistent", false,
         "Could not open specified port for data logging."},
        {"file that takes no bytes", kLogFile, "/dev/full", true, "Could not write to the data log:\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompt.Clear();
        settings.m_nLogOutput = c.output;
        Put(settings.m_szLogFile, c.name);
        Put(settings.m_szLogPort, c.name);
        EXPECT_EQ(log.Open(), c.opens);
        Sample();
        ASSERT_EQ(prompt.Messages().size(), 1u);
        EXPECT_TRUE(prompt.Last().text.startsWith(QString::fromLatin1(c.message))) << qPrintable(prompt.Last().text);
        EXPECT_EQ(settings.m_nLogOutput, static_cast<uint32_t>(kLogNone));
        EXPECT_FALSE(log.IsOpen());
    }
}

TEST(LogPortNames, ComNamesAreTheSerialPortsAndPathsStayAsTheyAre) {
    EXPECT_EQ(LogPortDevice("COM1"), "/dev/ttyS0");
    EXPECT_EQ(LogPortDevice("COM1:"), "/dev/ttyS0");
    EXPECT_EQ(LogPortDevice("com2:"), "/dev/ttyS1");
    EXPECT_EQ(LogPortDevice("COM12"), "/dev/ttyS11");
    EXPECT_EQ(LogPortDevice("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(LogPortDevice("ttyACM0"), "/dev/ttyACM0");
    EXPECT_EQ(LogPortChoices().mid(0, 2), (QStringList{"COM1", "COM2"}));
}

TEST_F(LogFixture, RecordsReachAPseudoTerminalOpenedAsThePort) {
    int master = -1;
    int slave = -1;
    char name[64] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    settings.m_nLogOutput = kLogPort;
    settings.m_nDelimiter = kDelimComma;
    settings.m_bLogTime = 1;
    Put(settings.m_szLogPort, name);
    ASSERT_TRUE(log.Open()) << name;
    log.WriteHeader(stats.Rows());
    Sample();
    log.Close();  // waits for the bytes to leave

    QByteArray received;
    char buffer[512];
    pollfd p{master, POLLIN, 0};
    while (poll(&p, 1, 1000) > 0) {
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0) break;
        received.append(buffer, static_cast<int>(n));
        if (received.endsWith("12.3,\r\n")) break;
    }
    close(slave);
    close(master);
    EXPECT_EQ(received, "\"Time\",\"13.5% Angular Width at 0.0\xB0 (deg)\",\r\n09:05:03,12.3,\r\n")
        << "line ends leave the port as written";
    EXPECT_TRUE(prompt.Messages().empty());
}

}  // namespace
}  // namespace velor::test
