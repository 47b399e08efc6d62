#include "instrument/motion/MotionConnection.h"

#include "instrument/motion/DeviceSerialPort.h"

namespace velor {

QString ConnectSerial(MotionController& controller, const SerialSettings& settings) {
    // Closed before opening: a device cannot be opened twice, and a stale line must not
    // stay in use when the new one fails.
    controller.Disconnect();
    QString error;
    std::unique_ptr<DeviceSerialPort> port = DeviceSerialPort::Open(settings, &error);
    if (!port) return error;
    controller.Connect(std::move(port));
    return {};
}

void ConnectSimulated(MotionController& controller, SimulatedController& simulated) {
    controller.Connect(simulated.OpenPort());
}

}  // namespace velor
