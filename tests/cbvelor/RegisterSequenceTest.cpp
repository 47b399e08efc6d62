// The bus protocol call by call: a register write, a register read, and the data-port
// direction cache between them.

#include <gtest/gtest.h>

#include "BusTrace.h"
#include "cbvelor/cbvelor.h"

namespace cbvelor::test {
namespace {

class CbVelorRegisterSequenceTest : public BoardTest {};

TEST_F(CbVelorRegisterSequenceTest, WriteIsSixOutputsIdleThenAddressThenData) {
    Start();
    CbVelorSetSlit(0, 1);
    EXPECT_EQ(LoggedTrace(), Trace({"out 12 0x03", "out 11 0x45", "out 10 0x00", "out 12 0x03",
                                    "out 12 0x01", "out 12 0x03"}));
}

TEST_F(CbVelorRegisterSequenceTest, ReadIsFiveOutputsAndOneInputAddressBeforeIdle) {
    cbw32sim::BoardConfig config;
    config.units[1].head = 9;
    Start(config, 1);
    std::uint16_t head = 0;
    CbVelorGetHead(1, &head);
    EXPECT_EQ(LoggedTrace(), Join({Configure(2), Trace({"out 11 0x4A", "out 12 0x03", "out 12 0x02",
                                                        "in 10", "out 12 0x03"})}));
    EXPECT_EQ(ValuesRead(), std::vector<int>{9 << 4});
    EXPECT_EQ(head, 9);
}

TEST_F(CbVelorRegisterSequenceTest, PortsAreReconfiguredOnlyWhenTheDirectionChanges) {
    Start();
    std::uint16_t head = 0;
    CbVelorSetFine(0, 0x123);  // write after write
    CbVelorGetHead(0, &head);  // read after write
    CbVelorGetHead(0, &head);  // read after read
    CbVelorSetSlit(0, 0);      // write after read
    CbVelorSetSlit(0, 1);      // write after write
    EXPECT_EQ(LoggedTrace(),
              Join({Write(0x44, 0x23), Write(0x45, 0x81), Configure(2), Read(0x42), Read(0x42),
                    Configure(1), Write(0x45, 0x81), Write(0x45, 0x01)}));
}

TEST_F(CbVelorRegisterSequenceTest, DriverErrorsChangeNothingInTheSequence) {
    Start();
    const Trace healthy = [] {
        CbVelorSetSlit(0, 1);
        std::int32_t ready = -1;
        CbVelorIsReady(0, &ready);
        return LoggedTrace();
    }();
    // The board disappears: every call fails, the library goes through the same motions.
    cbw32sim::BoardConfig gone;
    gone.boardNumber = 5;
    cbw32sim::Configure(gone);
    CbVelorSetSlit(0, 0);  // back to an output data port, failing as well
    cbw32sim::ClearCallLog();
    CbVelorSetSlit(0, 1);
    std::int32_t ready = -1;
    CbVelorIsReady(0, &ready);
    EXPECT_EQ(LoggedTrace(), healthy);
    EXPECT_EQ(ready, 0) << "a failed read is no completed capture";
    for (const cbw32sim::DriverCall& call : cbw32sim::CallLog()) EXPECT_NE(call.result, 0);
}

}  // namespace
}  // namespace cbvelor::test
