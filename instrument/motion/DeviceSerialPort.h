#pragma once
// A serial device, on QSerialPort. Reads take what the driver already holds and never wait,
// so the caller's own polling decides how long a reply may take.

#include <QString>
#include <memory>

#include "instrument/motion/SerialPort.h"
#include "instrument/motion/SerialSettings.h"

class QSerialPort;

namespace velor {

class DeviceSerialPort final : public SerialPort {
public:
    // Opens and sets up the device; on failure returns null and says why in error.
    static std::unique_ptr<DeviceSerialPort> Open(const SerialSettings& settings, QString* error);
    ~DeviceSerialPort() override;

    void Write(std::string_view text) override;
    int Read(char* buffer, int maxCount) override;
    void DiscardInput() override;
    void Close() override;

private:
    explicit DeviceSerialPort(std::unique_ptr<QSerialPort> port);

    std::unique_ptr<QSerialPort> m_port;
};

}  // namespace velor
