// The status query and homing check: the five digits of a 'B' reply, the rounds for short or
// wrong replies, and a status that never came, which proves no homing.

#include <gtest/gtest.h>

#include "tests/instrument/motion/MotionRig.h"

namespace velor::test {
namespace {

using Fault = SimulatedController::Fault;

TEST(MotionStatus, HomingErrorMakesCheckHomeFail) {
    MotionRig rig;
    rig.simulated.SetStatus(2);
    EXPECT_FALSE(rig.controller.CheckHome());
    EXPECT_EQ(rig.Sent(), "Y 200\rX\rY 1220\rX\r");
    EXPECT_TRUE(rig.prompt.Messages().empty());
}

TEST(MotionStatus, CleanStatusMeansHome) {
    MotionRig rig;
    rig.controller.RunProgram(540);
    EXPECT_TRUE(rig.controller.CheckHome());
    EXPECT_DOUBLE_EQ(rig.simulated.Phi(), 0.0);
}

TEST(MotionStatus, OnlyBitOneIsAHomingError) {
    MotionRig rig;
    rig.simulated.SetStatus(5);
    EXPECT_EQ(rig.controller.QueryStatus(), 5);
    EXPECT_TRUE(rig.controller.CheckHome());
    rig.simulated.SetStatus(7);
    EXPECT_FALSE(rig.controller.CheckHome());
}

TEST(MotionStatus, ValueIsCutToItsLowByte) {
    MotionRig rig;
    rig.simulated.SetStatus(300);
    EXPECT_EQ(rig.controller.QueryStatus(), 44);
    rig.simulated.SetStatus(258);
    EXPECT_FALSE(rig.controller.CheckHome());
}

TEST(MotionStatus, AShortReplyIsDrainedWithoutWaitingAndAskedAgain) {
    MotionRig rig;
    rig.simulated.SetStatus(2);
    rig.simulated.QueueFault(Fault::ShortReply);  // "B\r"
    EXPECT_EQ(rig.controller.QueryStatus(), 2);
    EXPECT_EQ(rig.Sent(), Repeat("Y 1220\rX\r", 2));
    EXPECT_EQ(rig.simulated.Reads(), 3) << "reply, drain, reply";
    EXPECT_EQ(rig.sleeper.slept, 0u) << "the drain does not wait";
}

TEST(MotionStatus, AWrongLetterIsAskedAgainWithoutDraining) {
    MotionRig rig;
    rig.simulated.SetStatus(2);
    rig.simulated.QueueFault(Fault::WrongLetter);
    EXPECT_EQ(rig.controller.QueryStatus(), 2);
    EXPECT_EQ(rig.simulated.Reads(), 2);
}

TEST(MotionStatus, ThreeBadRoundsGiveZero) {
    for (Fault fault : {Fault::ShortReply, Fault::WrongLetter}) {
        MotionRig rig;
        rig.simulated.SetStatus(2);
        for (int i = 0; i < 4; ++i) rig.simulated.QueueFault(fault);
        EXPECT_EQ(rig.controller.QueryStatus(), 0);
        EXPECT_EQ(rig.Sent(), Repeat("Y 1220\rX\r", 3)) << "three rounds at most";
        EXPECT_TRUE(rig.prompt.Messages().empty()) << "a failed query is not fatal";
    }
}

TEST(MotionStatus, AShortReplyCountsItsLeadingDigits) {
    RecordingPrompt prompt;
    FakeClock clock;
    FakeSleeper sleeper(clock);
    std::deque<std::string> replies{"B 12\r", "B 12\r", "B 34x\r"};
    std::vector<int> readSizes;
    MotionController controller(prompt, clock, sleeper);
    controller.Connect(std::make_unique<ScriptedPort>(&replies, &readSizes));
    EXPECT_EQ(controller.QueryStatus(), 34);
    EXPECT_EQ(readSizes, std::vector<int>(6, 99)) << "three rounds, each with its drain";
}

TEST(MotionStatus, SilenceGivesZeroAfterOneRound) {
    MotionRig rig;
    rig.simulated.SetStatus(2);
    rig.simulated.QueueFault(Fault::Silence);
    EXPECT_EQ(rig.controller.QueryStatus(), 0);
    EXPECT_EQ(rig.Sent(), "Y 1220\rX\r");
    EXPECT_EQ(rig.sleeper.slept, 10000u);
    EXPECT_TRUE(rig.controller.IsConnected());
}

TEST(MotionStatus, AStatusThatNeverComesIsNoProofOfHome) {
    const struct {
        const char* what;
        Fault fault;
        int rounds;
    } cases[] = {
        {"no reply", Fault::Silence, 1},
        {"no 'B' reply in three rounds", Fault::WrongLetter, 3},
        {"only broken 'B' replies", Fault::ShortReply, 3},
    };
    for (const auto& c : cases) {
        MotionRig rig;
        rig.simulated.QueueFault(Fault::None);  // the homing answers
        for (int i = 0; i < c.rounds; ++i) rig.simulated.QueueFault(c.fault);
        EXPECT_FALSE(rig.controller.CheckHome()) << c.what;
        EXPECT_TRUE(rig.controller.IsConnected()) << c.what;
        EXPECT_TRUE(rig.prompt.Messages().empty()) << c.what;
    }
}

TEST(MotionStatus, AHomingThatIsNotAnsweredEndsTheProgram) {
    MotionRig rig;
    rig.simulated.QueueFault(Fault::WrongLetter);
    EXPECT_EQ(ExitCodeOf([&] { rig.controller.CheckHome(); }), 13);
    ExpectControllerLost(rig);
    EXPECT_EQ(rig.Sent(), "Y 200\rX\r");
}

}  // namespace
}  // namespace velor::test
