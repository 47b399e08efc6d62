// Initialisation: the board check, the register sequence per board version, the board number
// rule and every refusal.

#include <gtest/gtest.h>

#include "BusTrace.h"
#include "cbvelor/cbvelor.h"
#include "cbw32/cbw32.h"

namespace cbvelor::test {
namespace {

class CbVelorInitTest : public BoardTest {};

TEST_F(CbVelorInitTest, ProgramsAVersion0UnitInOrder) {
    Start();
    // The data port was left as an output: the first write needs no reconfiguration.
    ASSERT_EQ(CbVelorInitCard(0, 0, 0), 1);
    EXPECT_EQ(LoggedTrace(), Join({{"getconfig 2 0 1"},
                                   Write(0x43, 0x99),
                                   Configure(2),
                                   Read(0x42),
                                   Configure(1),
                                   Write(0x47, 0x80),
                                   Write(0x41, 0x0F),
                                   Write(0x44, 0x01),
                                   Write(0x45, 0x80),
                                   Write(0x46, 0x30)}));
}

TEST_F(CbVelorInitTest, SixteenBitVersionsSkipTheOptionRegister) {
    for (const int version : {1, 3}) {
        SCOPED_TRACE(version);
        Start(WithVersion(version, 2), 2);
        ASSERT_EQ(CbVelorInitCard(2, 0, 0), 1);
        EXPECT_EQ(LoggedTrace(), Join({{"getconfig 2 0 1"},
                                       Write(0x63, 0x99),
                                       Configure(2),
                                       Read(0x62),
                                       Configure(1),
                                       Write(0x67, 0x89),
                                       Write(0x61, 0x0F),
                                       Write(0x64, 0x01),
                                       Write(0x65, 0x80)}));
    }
}

TEST_F(CbVelorInitTest, BoardNumbersAbove99BecomeBoard0) {
    const std::pair<std::uint32_t, int> cases[] = {
        {0, 0}, {7, 7}, {99, 99}, {100, 0}, {4294967295u, 0}};
    for (const auto& [given, used] : cases) {
        SCOPED_TRACE(given);
        cbw32sim::BoardConfig config;
        config.boardNumber = used;
        Start(config);
        ASSERT_EQ(CbVelorInitCard(0, given, 0), 1);
        CbVelorSetSlit(0, 1);
        std::uint16_t head = 99;
        CbVelorGetHead(0, &head);
        EXPECT_EQ(BoardsUsed(), std::set<int>{used});
    }
}

TEST_F(CbVelorInitTest, RefusesOnADriverErrorOrAnUnknownBoardType) {
    struct Case {
        const char* what;
        int boardNumber;
        int boardType;
        int configError;
        std::int32_t result;
    };
    const Case cases[] = {
        {"type 40", 0, 40, 0, 1}, {"type 61", 0, 61, 0, 1},        {"type 41", 0, 41, 0, 0},
        {"type 0", 0, 0, 0, 0},   {"injected error", 0, 40, 9, 0}, {"no such board", 3, 40, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start();
        cbw32sim::BoardConfig config;
        config.boardNumber = c.boardNumber;
        config.boardType = c.boardType;
        config.configError = c.configError;
        cbw32sim::Configure(config);
        EXPECT_EQ(CbVelorInitCard(0, 0, 0), c.result);
        if (c.result == 0) {
            EXPECT_EQ(LoggedTrace(), Trace{"getconfig 2 0 1"});
        }
    }
}

TEST_F(CbVelorInitTest, RefusesVersion2AfterTheModeWordAndKeepsIt) {
    Start(WithVersion(2), 0, 0, 0);
    ASSERT_EQ(CbVelorInitCard(0, 0, 0), 0);
    // The refused start ended on the status read: the data port is an input.
    EXPECT_EQ(
        LoggedTrace(),
        Join({{"getconfig 2 0 1"}, Configure(1), Write(0x43, 0x99), Configure(2), Read(0x42)}));
    // Version 2 stays stored: the version-0 option writes are off.
    cbw32sim::ClearCallLog();
    CbVelorSetMemory(0, 1);
    EXPECT_TRUE(cbw32sim::CallLog().empty());
}

TEST_F(CbVelorInitTest, VersionAndArmedStateAreSharedByAllUnits) {
    cbw32sim::BoardConfig config = WithVersion(1, 1);
    Start(config, 0);
    CbVelorArmCard(0);
    ASSERT_EQ(CbVelorInitCard(1, 0, 0), 1);  // version 1 now, and no longer armed
    cbw32sim::ClearCallLog();
    CbVelorSetMemory(0, 1);
    EXPECT_TRUE(cbw32sim::CallLog().empty()) << "unit 0 follows the version of unit 1";
    CbVelorSetSlit(0, 1);
    EXPECT_EQ(WritesTo(0x45), std::vector<int>{0x00});
}

}  // namespace
}  // namespace cbvelor::test
