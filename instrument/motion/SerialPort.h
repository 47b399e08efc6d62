#pragma once
// The line to the motion controller as the protocol uses it. A real device and the simulated
// controller both sit behind it, so the protocol runs the same against either.

#include <string_view>

namespace velor {

class SerialPort {
public:
    virtual ~SerialPort() = default;

    virtual void Write(std::string_view text) = 0;

    // Copies up to maxCount bytes that have already arrived; never waits. Returns the count,
    // 0 when nothing is there.
    virtual int Read(char* buffer, int maxCount) = 0;

    virtual void Close() = 0;
};

}  // namespace velor
