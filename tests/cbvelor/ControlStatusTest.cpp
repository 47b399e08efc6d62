// Control pulses that leave the shadow alone (motor, arm, read start), the over-scale reset
// that does not, and the status queries.

#include <gtest/gtest.h>

#include "BusTrace.h"
#include "cbvelor/cbvelor.h"

namespace cbvelor::test {
namespace {

class CbVelorControlTest : public BoardTest {};

TEST_F(CbVelorControlTest, MotorAndArmWritesLeaveTheShadow) {
    Start();
    CbVelorSpinMotor(0, 0);
    CbVelorArmCard(0);
    CbVelorSpinMotor(0, 1);
    EXPECT_EQ(WritesTo(0x41), std::vector<int>({0x0B, 0x0D, 0x0F, 0x0F}));
    EXPECT_EQ(RegisterWrites().size(), 4u);
}

TEST_F(CbVelorControlTest, OverScaleResetLeavesItsBitSetInTheShadow) {
    Start();
    CbVelorResetOverScale(0);
    CbVelorResetOverScale(0);
    CbVelorArmCard(0);
    CbVelorSpinMotor(0, 0);
    EXPECT_EQ(WritesTo(0x41), std::vector<int>({0x0F, 0x8F, 0x0F, 0x8F, 0x8D, 0x8F, 0x8B}));
}

TEST_F(CbVelorControlTest, StatusQueriesReadRegister2Once) {
    cbw32sim::BoardConfig config;
    config.units[3].version = 3;
    config.units[3].head = 13;
    Start(config, 3);
    cbw32sim::RaiseOverScale(3);
    std::uint16_t head = 0;
    std::int16_t version = -1;
    std::int32_t overScale = -1;
    std::int32_t ready = -1;
    CbVelorGetHead(3, &head);
    CbVelorGetBoardVer(3, &version);
    CbVelorGetOverScale(3, &overScale);
    CbVelorIsReady(3, &ready);
    EXPECT_EQ(LoggedTrace(), Join({Configure(2), Repeat(Read(0x6A), 4)}));
    EXPECT_EQ(head, 13);
    EXPECT_EQ(version, 3);
    EXPECT_EQ(overScale, 1);
    EXPECT_EQ(ready, 1);
}

TEST_F(CbVelorControlTest, NullResultPointersStoreNothingButStillRead) {
    Start();
    CbVelorGetHead(0, nullptr);
    CbVelorGetBoardVer(0, nullptr);
    CbVelorGetOverScale(0, nullptr);
    CbVelorIsReady(0, nullptr);
    EXPECT_EQ(LoggedTrace(), Join({Configure(2), Repeat(Read(0x42), 4)}));
}

TEST_F(CbVelorControlTest, BoardVersionQueryLeavesTheStoredVersion) {
    Start(WithVersion(1, 2));  // unit 0 initialised at version 0, unit 2 at version 1
    std::int16_t version = -1;
    CbVelorGetBoardVer(2, &version);
    EXPECT_EQ(version, 1);
    cbw32sim::ClearCallLog();
    CbVelorWriteData(0, 4);
    EXPECT_EQ(WritesTo(0x46), std::vector<int>{0x34});
}

TEST_F(CbVelorControlTest, ReadyOnlyOnceTheCaptureCompletes) {
    cbw32sim::BoardConfig config;
    config.units[0].busyStatusReads = 2;
    Start(config);
    CbVelorArmCard(0);
    std::vector<std::int32_t> answers;
    for (int poll = 0; poll < 4; ++poll) {
        std::int32_t ready = -1;
        CbVelorIsReady(0, &ready);
        answers.push_back(ready);
    }
    EXPECT_EQ(answers, std::vector<std::int32_t>({0, 0, 1, 1}));
}

}  // namespace
}  // namespace cbvelor::test
