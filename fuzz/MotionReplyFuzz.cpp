// The motion controller's reply handling: the controller answers the program's commands with
// whatever the input holds, arriving a few bytes at a time. Every exchange must end (on the
// reply, a timeout or the fatal exit of a controller that stops answering) without reading or
// writing beyond its buffers.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "fuzz/FuzzSession.h"
#include "instrument/motion/MotionController.h"
#include "instrument/motion/SerialPort.h"

namespace {

using namespace velor;

// Time that moves on only as the controller sleeps between its polls.
class SteppedTime : public MillisecondClock, public Sleeper {
public:
    uint32_t Now() const override { return m_now; }
    void SleepMs(uint32_t ms) override { m_now += ms; }

private:
    uint32_t m_now = 0;
};

// Hands out the input in pieces whose sizes the input's own bytes choose.
class ScriptedLine : public SerialPort {
public:
    ScriptedLine(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    void Write(std::string_view) override {}
    int Read(char* buffer, int maxCount) override {
        if (m_at >= m_size || maxCount <= 0) return 0;
        const size_t piece = std::min<size_t>({static_cast<size_t>(m_data[m_at] % 8), m_size - m_at - 1,
                                               static_cast<size_t>(maxCount)});
        ++m_at;  // the size byte itself is not delivered
        std::copy_n(reinterpret_cast<const char*>(m_data) + m_at, piece, buffer);
        m_at += piece;
        return static_cast<int>(piece);
    }
    void Close() override {}

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::AgreeingPrompt prompt;
    SteppedTime time;
    MotionController controller(prompt, time, time);
    controller.Connect(std::make_unique<ScriptedLine>(data, size));
    try {
        controller.SelectSpeeds(size > 0 ? data[0] % 3 : 0, 540);
        controller.RunProgram(540);
        controller.QueryStatus();
        controller.CheckHome();
        controller.ResetController();
        controller.RunProgram(200);
    } catch (const fuzz::FatalExitThrown&) {
        // A controller that stops answering ends the program: the expected way out.
    }
    return 0;
}
