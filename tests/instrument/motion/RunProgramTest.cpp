// Running a motion program: the reply letter that completes it, the letters and silences that
// end the program, the resends allowed for 1200 and 1220, and the 10 s limit on the fake clock.

#include <gtest/gtest.h>

#include <memory>

#include "tests/instrument/motion/MotionRig.h"

namespace velor::test {
namespace {

using Fault = SimulatedController::Fault;

TEST(MotionRunProgram, AnNReplyCompletesAStep) {
    MotionRig rig;
    EXPECT_EQ(rig.controller.RunProgram(540), "N\r");
    EXPECT_EQ(rig.Sent(), "Y 540\rX\r");
    EXPECT_DOUBLE_EQ(rig.simulated.Phi(), 18.0);
    EXPECT_TRUE(rig.controller.IsConnected());
    EXPECT_TRUE(rig.prompt.Messages().empty());
}

TEST(MotionRunProgram, HomingIsAcknowledgedWithP) {
    MotionRig rig;
    rig.controller.RunProgram(500);
    EXPECT_EQ(rig.controller.RunProgram(200), "P\r");
    EXPECT_DOUBLE_EQ(rig.simulated.Phi(), 0.0);
}

TEST(MotionRunProgram, AWrongLetterEndsTheProgramWithCode13) {
    MotionRig rig;
    rig.simulated.QueueFault(Fault::WrongLetter);  // 'P' where 'N' belongs
    EXPECT_EQ(ExitCodeOf([&] { rig.controller.RunProgram(540); }), 13);
    ExpectControllerLost(rig);
    EXPECT_EQ(rig.Sent(), "Y 540\rX\r") << "a moving program is never sent twice";
}

TEST(MotionRunProgram, SilenceEndsTheProgramAfterTenSeconds) {
    MotionRig rig;
    const uint32_t start = rig.clock.now;
    rig.simulated.QueueFault(Fault::Silence);
    EXPECT_EQ(ExitCodeOf([&] { rig.controller.RunProgram(340); }), 13);
    ExpectControllerLost(rig);
    EXPECT_EQ(rig.clock.now - start, 10000u);
}

TEST(MotionRunProgram, AReplyJustInsideTheLimitCompletes) {
    MotionRig rig;
    rig.simulated.SetReplyDelay(99);
    EXPECT_EQ(rig.controller.RunProgram(360), "N\r");
    EXPECT_EQ(rig.sleeper.slept, 9900u);
    EXPECT_TRUE(rig.prompt.Messages().empty());
}

TEST(MotionRunProgram, TheTickCounterWrapDoesNotCutTheWaitShort) {
    MotionRig rig;
    rig.clock.now = 0xFFFFFF00u;
    rig.simulated.QueueFault(Fault::Silence);
    EXPECT_EQ(ExitCodeOf([&] { rig.controller.RunProgram(340); }), 13);
    EXPECT_EQ(rig.sleeper.slept, 10000u);
}

TEST(MotionRunProgram, FastSpeedProgramIsResentUntilItsLetterComes) {
    MotionRig rig;
    rig.simulated.QueueFault(Fault::WrongLetter);
    rig.simulated.QueueFault(Fault::WrongLetter);
    EXPECT_EQ(rig.controller.RunProgram(1200), "N\r");
    EXPECT_EQ(rig.Sent(), Repeat("Y 1200\rX\r", 3));
    EXPECT_TRUE(rig.prompt.Messages().empty());
}

class MotionResentProgram : public ::testing::TestWithParam<int> {};

TEST_P(MotionResentProgram, ThreeWrongLettersEndTheProgram) {
    MotionRig rig;
    for (int i = 0; i < 4; ++i) rig.simulated.QueueFault(Fault::WrongLetter);
    EXPECT_EQ(ExitCodeOf([&] { rig.controller.RunProgram(GetParam()); }), 13);
    ExpectControllerLost(rig);
    EXPECT_EQ(rig.Sent(), Repeat("Y " + std::to_string(GetParam()) + "\rX\r", 3));
}

TEST_P(MotionResentProgram, SilenceIsNotResent) {
    MotionRig rig;
    rig.simulated.QueueFault(Fault::Silence);
    EXPECT_EQ(ExitCodeOf([&] { rig.controller.RunProgram(GetParam()); }), 13);
    EXPECT_EQ(rig.Sent(), "Y " + std::to_string(GetParam()) + "\rX\r");
}

INSTANTIATE_TEST_SUITE_P(FastSpeedsAndStatus, MotionResentProgram, ::testing::Values(1200, 1220));

TEST(MotionRunProgram, StatusProgramReturnsTheStatusText) {
    MotionRig rig;
    rig.simulated.SetStatus(2);
    EXPECT_EQ(rig.controller.RunProgram(1220), "B 00002\r");
}

TEST(MotionRunProgram, AProgramWithoutALetterTakesAnyReply) {
    MotionRig rig;
    EXPECT_EQ(rig.controller.RunProgram(600), "A\r");
    EXPECT_TRUE(rig.prompt.Messages().empty());
}

TEST(MotionRunProgram, ALongReplyIsCutAt99Bytes) {
    RecordingPrompt prompt;
    FakeClock clock;
    FakeSleeper sleeper(clock);
    std::deque<std::string> replies{"N" + std::string(150, 'x')};
    std::vector<int> readSizes;
    MotionController controller(prompt, clock, sleeper);
    controller.Connect(std::make_unique<ScriptedPort>(&replies, &readSizes));
    EXPECT_EQ(controller.RunProgram(540), "N" + std::string(98, 'x'));
    EXPECT_EQ(readSizes, std::vector<int>{99});
}

// Input that is on the line before a command, or ahead of its reply, is no answer to it.
TEST(MotionRunProgram, InputLeftOnTheLineNeverAnswersTheNextCommand) {
    const struct {
        const char* what;
        std::string waiting;  // on the line before the command goes out
        std::string reply;
    } cases[] = {
        {"a late reply to an earlier command", "P\r", "N\r"},
        {"line noise", "x?\n", "N\r"},
        {"line ends ahead of the letter", "", "\r\nN\r"},
    };
    for (const auto& c : cases) {
        RecordingPrompt prompt;
        FakeClock clock;
        FakeSleeper sleeper(clock);
        std::deque<std::string> replies{c.reply};
        std::vector<int> readSizes;
        auto port = std::make_unique<ScriptedPort>(&replies, &readSizes);
        port->Arrive(c.waiting);
        MotionController controller(prompt, clock, sleeper);
        controller.Connect(std::move(port));
        EXPECT_EQ(ExitCodeOf([&] { EXPECT_EQ(controller.RunProgram(540), "N\r") << c.what; }), -1)
            << c.what;
        EXPECT_TRUE(prompt.Messages().empty()) << c.what;
    }
}

TEST(MotionRunProgram, AReplySplitAfterItsLetterDoesNotSpoilTheNextCommand) {
    MotionRig rig;
    rig.simulated.QueueFault(Fault::SplitReply);  // "N", and "\r" one read later
    EXPECT_EQ(rig.controller.RunProgram(540), "N");
    EXPECT_EQ(ExitCodeOf([&] { rig.controller.RunProgram(540); }), -1);
    EXPECT_TRUE(rig.prompt.Messages().empty());
    EXPECT_DOUBLE_EQ(rig.simulated.Phi(), 36.0);
}

}  // namespace
}  // namespace velor::test
