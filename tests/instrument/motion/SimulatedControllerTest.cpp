// The simulated controller on its own: the azimuth each program turns, the reply each program
// gives, commands that arrive in pieces, and queued faults.

#include <gtest/gtest.h>

#include <string>

#include "instrument/motion/SimulatedController.h"

namespace velor {
namespace {

std::string Execute(SimulatedController& controller, int program) {
    controller.Receive("Y " + std::to_string(program) + "\rX\r");
    char buffer[64];
    const int count = controller.Transmit(buffer, sizeof buffer);
    return std::string(buffer, count);
}

TEST(SimulatedMotionController, ProgramsTurnThePhiTheyStandFor) {
    SimulatedController controller;
    const struct {
        int program;
        double phi;
    } steps[] = {{340, 0.9},   {360, 2.7},  {380, 6.3},  {540, 24.3},
                 {560, 33.3},  {500, 123.3}, {520, 33.3}, {200, 0.0}};
    for (const auto& step : steps) {
        Execute(controller, step.program);
        EXPECT_NEAR(controller.Phi(), step.phi, 1e-9) << step.program;
    }
}

TEST(SimulatedMotionController, PhiStaysWithinOneTurn) {
    SimulatedController controller;
    Execute(controller, 520);
    EXPECT_DOUBLE_EQ(controller.Phi(), 270.0);
    for (int i = 0; i < 5; ++i) Execute(controller, 500);
    EXPECT_DOUBLE_EQ(controller.Phi(), 0.0);
}

TEST(SimulatedMotionController, EachProgramAnswersWithItsLetter) {
    SimulatedController controller;
    for (int program : {200, 220, 240}) EXPECT_EQ(Execute(controller, program), "P\r") << program;
    for (int program = 300; program <= 560; program += 20) {
        EXPECT_EQ(Execute(controller, program), "N\r") << program;
    }
    EXPECT_EQ(Execute(controller, 1200), "N\r");
    controller.SetStatus(2);
    EXPECT_EQ(Execute(controller, 1220), "B 00002\r");
    EXPECT_EQ(Execute(controller, 600), "A\r");
    EXPECT_EQ(Execute(controller, 999), "E\r") << "an unknown program is refused";
}

TEST(SimulatedMotionController, ProgramsTheSystemDoesNotUseStayPut) {
    SimulatedController controller;
    Execute(controller, 540);
    for (int program : {220, 240, 300, 320, 400, 420, 440, 460, 480, 1200, 1220, 600, 999}) {
        Execute(controller, program);
    }
    EXPECT_DOUBLE_EQ(controller.Phi(), 18.0);
}

TEST(SimulatedMotionController, CommandsMayArriveInPieces) {
    SimulatedController controller;
    controller.Receive("R 10");
    controller.Receive("0\rS 9");
    controller.Receive("0\rF 8\rY 5");
    controller.Receive("40\rX");
    EXPECT_TRUE(controller.ProgramsRun().empty());
    controller.Receive("\r");
    EXPECT_EQ(controller.ProgramsRun(), std::vector<int>{540});
    EXPECT_EQ(controller.Speeds(), (SpeedSet{100, 90, 8}));
}

TEST(SimulatedMotionController, FaultsApplyOneProgramEachInOrder) {
    SimulatedController controller;
    controller.QueueFault(SimulatedController::Fault::Silence);
    controller.QueueFault(SimulatedController::Fault::WrongLetter);
    controller.QueueFault(SimulatedController::Fault::ShortReply);
    EXPECT_EQ(Execute(controller, 540), "");
    EXPECT_DOUBLE_EQ(controller.Phi(), 0.0) << "a lost command does not move";
    EXPECT_EQ(Execute(controller, 540), "P\r");
    EXPECT_EQ(Execute(controller, 1220), "B\r");
    EXPECT_EQ(Execute(controller, 540), "N\r");
    EXPECT_DOUBLE_EQ(controller.Phi(), 36.0);
}

}  // namespace
}  // namespace velor
