#include "instrument/motion/DeviceSerialPort.h"

#include <QSerialPort>

namespace velor {
namespace {

// A command is a few bytes: at 9600 baud this is ample, and a line stuck on flow control
// does not hang the caller; the reply timeout then reports the lost controller.
constexpr int kWriteTimeoutMs = 2000;

bool ToQt(SerialParity parity, QSerialPort::Parity* out) {
    switch (parity) {
        case SerialParity::None: *out = QSerialPort::NoParity; return true;
        case SerialParity::Even: *out = QSerialPort::EvenParity; return true;
        case SerialParity::Odd: *out = QSerialPort::OddParity; return true;
        case SerialParity::Space: *out = QSerialPort::SpaceParity; return true;
        case SerialParity::Mark: *out = QSerialPort::MarkParity; return true;
    }
    return false;
}

bool ToQt(SerialFlowControl flow, QSerialPort::FlowControl* out) {
    switch (flow) {
        case SerialFlowControl::None: *out = QSerialPort::NoFlowControl; return true;
        case SerialFlowControl::Hardware: *out = QSerialPort::HardwareControl; return true;
        case SerialFlowControl::Software: *out = QSerialPort::SoftwareControl; return true;
    }
    return false;
}

// Checked before opening so that a bad setting never leaves a half-configured device open.
QString CheckSettings(const SerialSettings& settings) {
    if (settings.portName.isEmpty()) return QStringLiteral("No serial port is named.");
    if (settings.baudRate <= 0) {
        return QStringLiteral("Baud rate %1 is not valid.").arg(settings.baudRate);
    }
    if (settings.dataBits < 5 || settings.dataBits > 8) {
        return QStringLiteral("%1 data bits are not supported (5 to 8).").arg(settings.dataBits);
    }
    if (settings.stopBits != 1 && settings.stopBits != 2) {
        return QStringLiteral("%1 stop bits are not supported (1 or 2).").arg(settings.stopBits);
    }
    return {};
}

}  // namespace

std::unique_ptr<DeviceSerialPort> DeviceSerialPort::Open(const SerialSettings& settings,
                                                         QString* error) {
    QString problem = CheckSettings(settings);
    QSerialPort::Parity parity{};
    QSerialPort::FlowControl flow{};
    if (problem.isEmpty() && (!ToQt(settings.parity, &parity) ||
                              !ToQt(settings.flowControl, &flow))) {
        problem = QStringLiteral("The parity or flow control setting is not valid.");
    }
    auto port = std::make_unique<QSerialPort>();
    if (problem.isEmpty()) {
        port->setPortName(settings.portName);
        if (!port->open(QIODevice::ReadWrite)) problem = port->errorString();
    }
    // The line settings take effect on the open device.
    if (problem.isEmpty() &&
        !(port->setBaudRate(settings.baudRate) &&
          port->setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits)) &&
          port->setParity(parity) &&
          port->setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
          port->setFlowControl(flow))) {
        problem = port->errorString();
        port->close();
    }
    if (!problem.isEmpty()) {
        if (error) {
            *error = QStringLiteral("Cannot open the serial port \"%1\": %2")
                         .arg(settings.portName, problem);
        }
        return nullptr;
    }
    // Whatever arrived before the first command is no answer to it.
    port->clear(QSerialPort::Input);
    return std::unique_ptr<DeviceSerialPort>(new DeviceSerialPort(std::move(port)));
}

DeviceSerialPort::DeviceSerialPort(std::unique_ptr<QSerialPort> port) : m_port(std::move(port)) {}

DeviceSerialPort::~DeviceSerialPort() = default;

void DeviceSerialPort::Write(std::string_view text) {
    if (!m_port->isOpen()) return;
    m_port->write(text.data(), static_cast<qint64>(text.size()));
    // Without an event loop nothing else would push the bytes out.
    while (m_port->bytesToWrite() > 0 && m_port->waitForBytesWritten(kWriteTimeoutMs)) {
    }
}

int DeviceSerialPort::Read(char* buffer, int maxCount) {
    if (!m_port->isOpen() || maxCount <= 0) return 0;
    // A zero wait moves what the driver holds into the port's buffer and returns at once.
    if (m_port->bytesAvailable() < maxCount) {
        m_port->waitForReadyRead(0);
        m_port->clearError();  // the zero wait reports a timeout that means only "nothing yet"
    }
    const qint64 count = m_port->read(buffer, maxCount);
    return count > 0 ? static_cast<int>(count) : 0;
}

void DeviceSerialPort::DiscardInput() {
    // Both the driver's buffer and the port's own.
    if (m_port->isOpen()) m_port->clear(QSerialPort::Input);
}

void DeviceSerialPort::Close() { m_port->close(); }

}  // namespace velor
