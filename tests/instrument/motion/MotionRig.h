#pragma once
// A motion controller wired to the simulated controller on a fake clock: replies come at once,
// timeouts pass without waiting, and a recorder stands in for the user.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "instrument/motion/MotionConnection.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingPrompt.h"

namespace velor::test {

inline const QString kControllerLostText = QStringLiteral(
    "No communication with Orbiscan's Motion Controller.\nCheck the configuration. "
    "Program aborted.");

struct MotionRig {
    explicit MotionRig(bool connect = true) {
        if (connect) ConnectSimulated(controller, simulated);
    }

    // What the host has sent since the previous call.
    std::string Sent() {
        const std::string fresh = simulated.Received().substr(m_seen);
        m_seen = simulated.Received().size();
        return fresh;
    }

    RecordingPrompt prompt;
    FakeClock clock;
    FakeSleeper sleeper{clock};
    SimulatedController simulated;  // declared before the controller: it outlives the line
    MotionController controller{prompt, clock, sleeper};

private:
    size_t m_seen = 0;
};

// The exit code an operation ends the program with; -1 when it returns.
template <typename Operation>
int ExitCodeOf(Operation&& operation) {
    try {
        operation();
    } catch (const FatalExitCalled& fatal) {
        return fatal.exitCode;
    }
    return -1;
}

// The user was told once, with the stop icon, and the line is closed.
inline void ExpectControllerLost(const MotionRig& rig) {
    ASSERT_EQ(rig.prompt.Messages().size(), 1u);
    EXPECT_EQ(rig.prompt.Last().text, kControllerLostText);
    EXPECT_EQ(rig.prompt.Last().icon, PromptIcon::Stop);
    EXPECT_FALSE(rig.controller.IsConnected());
    EXPECT_FALSE(rig.simulated.IsPortOpen());
}

inline std::string Repeat(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

// A line that answers each write with the next scripted reply and remembers how much each
// read asked for.
class ScriptedPort final : public SerialPort {
public:
    ScriptedPort(std::deque<std::string>* answers, std::vector<int>* readSizes)
        : m_answers(answers), m_readSizes(readSizes) {}
    void Write(std::string_view) override {
        if (m_answers->empty()) return;
        m_pending += m_answers->front();
        m_answers->pop_front();
    }
    int Read(char* buffer, int maxCount) override {
        m_readSizes->push_back(maxCount);
        const int count = std::min(maxCount, static_cast<int>(m_pending.size()));
        m_pending.copy(buffer, count);
        m_pending.erase(0, count);
        return count;
    }
    void DiscardInput() override { m_pending.clear(); }
    // Bytes that reach the line without being asked for.
    void Arrive(const std::string& bytes) { m_pending += bytes; }
    void Close() override {}

private:
    std::deque<std::string>* m_answers;
    std::vector<int>* m_readSizes;
    std::string m_pending;
};

}  // namespace velor::test
