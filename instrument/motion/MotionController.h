#pragma once
// The azimuth stage's motion controller on its serial line: speeds, numbered motion programs,
// reset and status. Every exchange blocks the calling thread until the reply or the timeout.
// A controller that stops answering a program ends the program: the stage's position is then
// unknown and no measurement taken after it could be trusted.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/Clock.h"
#include "common/UserPrompt.h"
#include "instrument/motion/MotionStage.h"
#include "instrument/motion/SerialPort.h"

namespace velor {

inline constexpr int kExitNoMotionController = 13;

class MotionController final : public MotionStage {
public:
    // Times replies with the steady clock and really sleeps between polls.
    explicit MotionController(UserPrompt& prompt);
    MotionController(UserPrompt& prompt, const MillisecondClock& clock, Sleeper& sleeper);
    ~MotionController() override;
    MotionController(const MotionController&) = delete;
    MotionController& operator=(const MotionController&) = delete;

    // Takes over an open line and marks the controller connected; a line held before is closed.
    void Connect(std::unique_ptr<SerialPort> port);
    bool IsConnected() const override { return m_port != nullptr; }

    // Writes the speeds command; each value goes out as its low byte. No reply is read.
    void SetSpeeds(int r, int s, int f);
    void SelectSpeeds(int headVariant, int program) override;
    std::string RunProgram(int program) override;
    bool ResetController() override;
    // The controller's status byte; 0 when it does not answer or answers something else.
    uint8_t QueryStatus();
    // Homes the stage; true only when the controller then reports a status without the homing
    // error. A status that never came proves nothing about where the stage is.
    bool CheckHome() override;
    // Closes the line. Always true.
    bool Disconnect();

    // What a reply is read for: a program's letter, the status text, or anything at all.
    enum class ReplyKind { Program, Status, Any };

private:
    // The status byte; nothing when no 'B' reply came.
    std::optional<uint8_t> ReadStatus();
    void WriteProgram(int program);
    int ReadReply(char* buffer, int maxCount, uint32_t timeoutUnits, bool wait, ReplyKind kind);
    [[noreturn]] void AbortProgram();

    UserPrompt& m_prompt;
    const MillisecondClock& m_clock;
    Sleeper& m_sleeper;
    // Held exactly while connected: connecting hands it over, disconnecting closes and drops it.
    std::unique_ptr<SerialPort> m_port;
};

}  // namespace velor
