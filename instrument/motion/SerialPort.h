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

    // Throws away whatever has arrived and not been read: a late reply or line noise must not
    // be taken for the answer to the next command.
    virtual void DiscardInput() {
        char scrap[64];
        // Bounded, so that a line that never stops talking cannot hold the caller.
        for (int i = 0; i < 64 && Read(scrap, static_cast<int>(sizeof scrap)) > 0; ++i) {
        }
    }

    virtual void Close() = 0;
};

}  // namespace velor
