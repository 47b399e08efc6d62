// Connection state: a disconnected controller sends nothing and fails every query, Disconnect
// and destruction close the line, a new connection replaces the old one, reset answers or times
// out after 30 s, and the document reaches all of it through MotionStage.

#include <gtest/gtest.h>

#include <memory>

#include "tests/instrument/motion/MotionRig.h"

namespace velor::test {
namespace {

using Fault = SimulatedController::Fault;

void UseEveryOperation(MotionController& controller) {
    controller.SetSpeeds(1, 2, 3);
    controller.SelectSpeeds(0, 340);
    EXPECT_EQ(controller.RunProgram(540), "");
    EXPECT_FALSE(controller.ResetController());
    EXPECT_EQ(controller.QueryStatus(), 0);
    EXPECT_FALSE(controller.CheckHome());
}

TEST(MotionDisconnected, SendsNothingAndEveryQueryFails) {
    MotionRig rig(false);
    EXPECT_FALSE(rig.controller.IsConnected());
    UseEveryOperation(rig.controller);
    EXPECT_EQ(rig.simulated.Received(), "");
    EXPECT_EQ(rig.simulated.Reads(), 0);
    EXPECT_TRUE(rig.prompt.Messages().empty());
}

TEST(MotionDisconnect, ClosesTheLineForGood) {
    MotionRig rig;
    ASSERT_TRUE(rig.simulated.IsPortOpen());
    EXPECT_TRUE(rig.controller.Disconnect());
    EXPECT_FALSE(rig.controller.IsConnected());
    EXPECT_FALSE(rig.simulated.IsPortOpen());
    UseEveryOperation(rig.controller);
    EXPECT_EQ(rig.simulated.Received(), "");
    EXPECT_TRUE(rig.controller.Disconnect()) << "disconnecting twice is harmless";
}

TEST(MotionDisconnect, DestroyingTheControllerClosesTheLine) {
    MotionRig rig(false);
    {
        MotionController controller(rig.prompt, rig.clock, rig.sleeper);
        ConnectSimulated(controller, rig.simulated);
        EXPECT_TRUE(rig.simulated.IsPortOpen());
    }
    EXPECT_FALSE(rig.simulated.IsPortOpen());
}

TEST(MotionConnect, ANewConnectionReplacesTheOldOne) {
    SimulatedController second;  // outlives the controller that ends up holding a line to it
    MotionRig rig;
    ConnectSimulated(rig.controller, second);
    EXPECT_FALSE(rig.simulated.IsPortOpen());
    EXPECT_TRUE(second.IsPortOpen());
    rig.controller.RunProgram(540);
    EXPECT_EQ(rig.simulated.Received(), "");
    EXPECT_EQ(second.Received(), "Y 540\rX\r");

    ConnectSimulated(rig.controller, second);
    EXPECT_TRUE(second.IsPortOpen()) << "reconnecting to the same controller keeps a line open";
}

TEST(MotionReset, SendsProgram600AndReportsTheAnswer) {
    MotionRig rig;
    rig.simulated.SetStatus(2);
    EXPECT_TRUE(rig.controller.ResetController());
    EXPECT_EQ(rig.Sent(), "Y 600\rX\r");
    EXPECT_EQ(rig.simulated.Status(), 0);
}

TEST(MotionReset, SilenceGivesUpAfterThirtySecondsAndIsNotFatal) {
    MotionRig rig;
    rig.simulated.QueueFault(Fault::Silence);
    EXPECT_FALSE(rig.controller.ResetController());
    EXPECT_EQ(rig.sleeper.slept, 30000u);
    EXPECT_TRUE(rig.controller.IsConnected());
    EXPECT_TRUE(rig.prompt.Messages().empty());
}

TEST(MotionReset, ReadsAtMostTenBytes) {
    RecordingPrompt prompt;
    FakeClock clock;
    FakeSleeper sleeper(clock);
    std::deque<std::string> answers{"A0123456789abcdef\r"};
    std::vector<int> readSizes;
    MotionController controller(prompt, clock, sleeper);
    controller.Connect(std::make_unique<ScriptedPort>(&answers, &readSizes));
    EXPECT_TRUE(controller.ResetController());
    EXPECT_EQ(readSizes, std::vector<int>{10});
}

TEST(MotionStageInterface, TheDocumentDrivesTheControllerThroughIt) {
    MotionRig rig;
    MotionStage& stage = rig.controller;
    EXPECT_TRUE(stage.IsConnected());
    stage.SelectSpeeds(1, 560);
    EXPECT_EQ(stage.RunProgram(560), "N\r");
    EXPECT_DOUBLE_EQ(rig.simulated.Phi(), 9.0);
    EXPECT_TRUE(stage.CheckHome());
    EXPECT_TRUE(stage.ResetController());
    EXPECT_EQ(rig.Sent(), "R 150\rS 150\rF 12\rY 560\rX\rY 200\rX\rY 1220\rX\rY 600\rX\r");
}

TEST(MotionStageInterface, NoMotionStageIsNeverConnectedAndDoesNothing) {
    NoMotionStage none;
    MotionStage& stage = none;
    stage.SelectSpeeds(0, 340);
    EXPECT_FALSE(stage.IsConnected());
    EXPECT_EQ(stage.RunProgram(540), "");
    EXPECT_FALSE(stage.ResetController());
    EXPECT_FALSE(stage.CheckHome());
}

}  // namespace
}  // namespace velor::test
