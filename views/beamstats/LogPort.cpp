#include "views/beamstats/LogPort.h"

#include <QRegularExpression>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <fcntl.h>
#include <optional>
#include <termios.h>
#include <unistd.h>

#include "views/beamstats/BeamDataData.h"

namespace velor {
namespace {

// Longest name the record holds (16 bytes with the terminating NUL).
constexpr int kMaxPortName = static_cast<int>(sizeof(CBeamDataData::m_szLogPort)) - 1;
// A port that holds back this much (a line stalled by flow control) has stopped taking data.
constexpr qint64 kMaxPending = 256 * 1024;
// How long closing waits for the last records to leave.
constexpr int kDrainMs = 2000;

struct LineSettings {
    qint32 baud = 9600;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QSerialPort::FlowControl flow = QSerialPort::NoFlowControl;
};

qint32 BaudOf(speed_t speed) {
    static const struct {
        speed_t code;
        qint32 baud;
    } kSpeeds[] = {{B50, 50},         {B75, 75},         {B110, 110},       {B134, 134},       {B150, 150},
                   {B200, 200},       {B300, 300},       {B600, 600},       {B1200, 1200},     {B1800, 1800},
                   {B2400, 2400},     {B4800, 4800},     {B9600, 9600},     {B19200, 19200},   {B38400, 38400},
                   {B57600, 57600},   {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B500000, 500000},
                   {B576000, 576000}, {B921600, 921600}, {B1000000, 1000000}};
    for (const auto& s : kSpeeds) {
        if (s.code == speed) return s.baud;
    }
    return 9600;
}

// The line as it is set up now, so that opening it for the log changes none of it.
std::optional<LineSettings> CurrentLine(const QString& device) {
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    termios t{};
    const bool ok = ::tcgetattr(fd, &t) == 0;
    ::close(fd);
    if (!ok) return std::nullopt;
    LineSettings line;
    line.baud = BaudOf(::cfgetospeed(&t));
    switch (t.c_cflag & CSIZE) {
        case CS5: line.dataBits = QSerialPort::Data5; break;
        case CS6: line.dataBits = QSerialPort::Data6; break;
        case CS7: line.dataBits = QSerialPort::Data7; break;
        default: line.dataBits = QSerialPort::Data8; break;
    }
    if (t.c_cflag & PARENB) {
        const bool odd = (t.c_cflag & PARODD) != 0;
        if (t.c_cflag & CMSPAR) {
            line.parity = odd ? QSerialPort::MarkParity : QSerialPort::SpaceParity;
        } else {
            line.parity = odd ? QSerialPort::OddParity : QSerialPort::EvenParity;
        }
    }
    if (t.c_cflag & CSTOPB) line.stopBits = QSerialPort::TwoStop;
    if (t.c_cflag & CRTSCTS) {
        line.flow = QSerialPort::HardwareControl;
    } else if (t.c_iflag & (IXON | IXOFF)) {
        line.flow = QSerialPort::SoftwareControl;
    }
    return line;
}

class PortLogSink final : public LogSink {
public:
    explicit PortLogSink(const QString& device) {
        m_port.setPortName(device);
        QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port, [this](QSerialPort::SerialPortError e) {
            if (e != QSerialPort::NoError && e != QSerialPort::TimeoutError && m_error.isEmpty()) {
                m_error = m_port.errorString();
            }
        });
    }
    ~PortLogSink() override {
        if (!m_port.isOpen()) return;
        while (m_port.bytesToWrite() > 0 && m_port.waitForBytesWritten(kDrainMs)) {
        }
        m_port.close();
    }

    bool Open(const LineSettings& line) {
        m_port.setBaudRate(line.baud);
        m_port.setDataBits(line.dataBits);
        m_port.setParity(line.parity);
        m_port.setStopBits(line.stopBits);
        m_port.setFlowControl(line.flow);
        return m_port.open(QIODevice::WriteOnly);
    }
    QString ErrorString() const { return m_port.errorString(); }

    bool Write(const QByteArray& bytes, QString* error) override {
        if (m_error.isEmpty()) {
            if (m_port.write(bytes) != bytes.size()) {
                m_error = m_port.errorString();
            } else {
                m_port.flush();  // as much as the line takes now; the rest follows on its own
                if (m_error.isEmpty() && m_port.bytesToWrite() > kMaxPending) {
                    m_error = QStringLiteral("The port does not take the data.");
                }
            }
        }
        if (m_error.isEmpty()) return true;
        if (error) *error = m_error;
        return false;
    }

private:
    QSerialPort m_port;
    QString m_error;
};

}  // namespace

QString LogPortDevice(const QString& name) {
    static const QRegularExpression kComName(QStringLiteral("^COM([1-9][0-9]*):?$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QString trimmed = name.trimmed();
    const QRegularExpressionMatch com = kComName.match(trimmed);
    if (com.hasMatch()) return QStringLiteral("/dev/ttyS%1").arg(com.captured(1).toInt() - 1);
    if (trimmed.startsWith(QLatin1Char('/'))) return trimmed;
    return QStringLiteral("/dev/") + trimmed;
}

QStringList LogPortChoices() {
    QStringList choices{QStringLiteral("COM1"), QStringLiteral("COM2")};
    QStringList others;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString path = info.systemLocation();
        if (path == LogPortDevice(QStringLiteral("COM1")) || path == LogPortDevice(QStringLiteral("COM2"))) continue;
        if (path.size() <= kMaxPortName && !others.contains(path)) others << path;
    }
    others.sort();
    return choices + others;
}

std::unique_ptr<LogSink> OpenLogPort(const QString& name, QString* error) {
    const QString device = LogPortDevice(name);
    const std::optional<LineSettings> line = CurrentLine(device);
    if (!line) {
        if (error) *error = QStringLiteral("%1 is not a serial device that can be opened.").arg(device);
        return nullptr;
    }
    auto sink = std::make_unique<PortLogSink>(device);
    if (!sink->Open(*line)) {
        if (error) *error = sink->ErrorString();
        return nullptr;
    }
    return sink;
}

}  // namespace velor
