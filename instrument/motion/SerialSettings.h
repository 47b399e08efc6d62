#pragma once
// How the controller's serial line is set up. The controller talks 9600 baud, 8 data bits,
// no parity, one stop bit, without flow control unless told otherwise.

#include <QString>

namespace velor {

enum class SerialParity { None, Even, Odd, Space, Mark };
enum class SerialFlowControl { None, Hardware, Software };

struct SerialSettings {
    QString portName;  // a device name ("ttyS0") or a path ("/dev/ttyUSB0", a pseudo-terminal)
    int baudRate = 9600;
    int dataBits = 8;  // 5 to 8
    SerialParity parity = SerialParity::None;
    int stopBits = 1;  // 1 or 2
    SerialFlowControl flowControl = SerialFlowControl::None;
};

}  // namespace velor
