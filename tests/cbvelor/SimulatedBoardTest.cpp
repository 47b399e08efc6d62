// The cbw32 stand-in on its own: driver errors, the call log, and the bus decoding of the
// simulated boards (strobe edges, the held data lines, the sample read-out, the mode words).

#include <gtest/gtest.h>

#include "cbw32/Cbw32Sim.h"
#include "cbw32/cbw32.h"

namespace cbvelor::test {
namespace {

void SetUpBus(int dataDirection) {
    cbDConfigPort(0, CBW32_PORT_A, dataDirection);
    cbDConfigPort(0, CBW32_PORT_B, CBW32_OUTPUT);
    cbDConfigPort(0, CBW32_PORT_C_LOW, CBW32_OUTPUT);
    cbDOut(0, CBW32_PORT_C_LOW, 3);
}

void BusWrite(int address, int value) {
    SetUpBus(CBW32_OUTPUT);
    cbDOut(0, CBW32_PORT_B, static_cast<unsigned short>(address));
    cbDOut(0, CBW32_PORT_A, static_cast<unsigned short>(value));
    cbDOut(0, CBW32_PORT_C_LOW, 1);
    cbDOut(0, CBW32_PORT_C_LOW, 3);
}

int BusRead(int address) {
    SetUpBus(CBW32_INPUT);
    cbDOut(0, CBW32_PORT_B, static_cast<unsigned short>(address));
    cbDOut(0, CBW32_PORT_C_LOW, 2);
    unsigned short value = 0xFFFF;
    cbDIn(0, CBW32_PORT_A, &value);
    cbDOut(0, CBW32_PORT_C_LOW, 3);
    return value;
}

int PortA() {
    unsigned short value = 0xFFFF;
    EXPECT_EQ(cbDIn(0, CBW32_PORT_A, &value), CBW32_OK);
    return value;
}

TEST(Cbw32Sim, DriverErrorsAreReturnedAndLogged) {
    cbw32sim::Reset();
    unsigned short value = 0;
    int type = -1;
    EXPECT_EQ(cbDOut(1, CBW32_PORT_A, 0), CBW32_ERR_BOARD);
    EXPECT_EQ(cbDOut(0, 14, 0), CBW32_ERR_PORT);
    EXPECT_EQ(cbDConfigPort(0, CBW32_PORT_A, 3), CBW32_ERR_DIRECTION);
    EXPECT_EQ(cbDOut(0, CBW32_PORT_B, 256), CBW32_ERR_VALUE);
    EXPECT_EQ(cbDOut(0, CBW32_PORT_C_LOW, 16), CBW32_ERR_VALUE);
    EXPECT_EQ(cbDIn(0, CBW32_PORT_A, nullptr), CBW32_ERR_POINTER);
    EXPECT_EQ(cbGetConfig(CBW32_INFO_BOARD, 0, 0, 7, &type), CBW32_ERR_CONFIG);
    EXPECT_EQ(cbDIn(2, CBW32_PORT_A, &value), CBW32_ERR_BOARD);
    const std::vector<cbw32sim::DriverCall>& log = cbw32sim::CallLog();
    ASSERT_EQ(log.size(), 8u);
    EXPECT_EQ(log[0], (cbw32sim::DriverCall{cbw32sim::Function::DOut, 1, 10, 0, CBW32_ERR_BOARD}));
    EXPECT_EQ(cbw32sim::Describe(log[3]), "cbDOut(0, 11, 256) = 4");
    EXPECT_EQ(cbw32sim::Describe(log[6]), "cbGetConfig(2, 0, 0, 7) -> 0 = 5");
    EXPECT_EQ(type, -1);
}

TEST(Cbw32Sim, BoardTypeQueryAndInjectedError) {
    cbw32sim::BoardConfig config;
    config.boardNumber = 12;
    config.boardType = 61;
    cbw32sim::Configure(config);
    int type = -1;
    EXPECT_EQ(cbGetConfig(CBW32_INFO_BOARD, 12, 0, CBW32_ITEM_BOARD_TYPE, &type), CBW32_OK);
    EXPECT_EQ(type, 61);
    EXPECT_EQ(cbw32sim::Describe(cbw32sim::CallLog().back()), "cbGetConfig(2, 12, 0, 1) -> 61 = 0");
    EXPECT_EQ(cbGetConfig(CBW32_INFO_BOARD, 0, 0, CBW32_ITEM_BOARD_TYPE, &type), CBW32_ERR_BOARD);
    config.configError = 33;
    cbw32sim::Configure(config);
    type = -1;
    EXPECT_EQ(cbGetConfig(CBW32_INFO_BOARD, 12, 0, CBW32_ITEM_BOARD_TYPE, &type), 33);
    EXPECT_EQ(type, -1);
}

TEST(Cbw32Sim, RegisterWriteOnlyOnTheWriteStrobeFallingAlone) {
    cbw32sim::Reset();
    SetUpBus(CBW32_OUTPUT);
    cbDOut(0, CBW32_PORT_B, 0x43);
    cbDOut(0, CBW32_PORT_A, 0x99);
    cbDOut(0, CBW32_PORT_C_LOW, 0);  // both strobes at once: no access
    cbDOut(0, CBW32_PORT_C_LOW, 3);
    cbDOut(0, CBW32_PORT_C_LOW, 2);  // read strobe
    cbDOut(0, CBW32_PORT_C_LOW, 0);
    EXPECT_EQ(cbw32sim::Unit(0).modeA, 0x9B) << "still as powered on";
    cbDOut(0, CBW32_PORT_C_LOW, 3);
    cbDOut(0, CBW32_PORT_C_LOW, 1);
    EXPECT_EQ(cbw32sim::Unit(0).modeA, 0x99);

    // Strobe lines of an input port float high: nothing reaches the bus.
    cbDOut(0, CBW32_PORT_C_LOW, 3);
    cbDConfigPort(0, CBW32_PORT_C_LOW, CBW32_INPUT);
    cbDOut(0, CBW32_PORT_B, 0x4B);
    cbDOut(0, CBW32_PORT_C_LOW, 1);
    EXPECT_EQ(cbw32sim::Unit(1).modeA, 0x9B);
    // Turning the port to output with the write strobe already low is an edge too.
    cbDConfigPort(0, CBW32_PORT_C_LOW, CBW32_OUTPUT);
    EXPECT_EQ(cbw32sim::Unit(1).modeA, 0x99);
}

TEST(Cbw32Sim, ReadStrobeDrivesTheDataLinesWhichHoldTheirValue) {
    cbw32sim::BoardConfig config;
    config.units[2].head = 5;
    cbw32sim::Configure(config);
    BusWrite(0x63, 0x99);
    EXPECT_EQ(BusRead(0x62), 0x50);
    cbw32sim::RaiseOverScale(2);
    EXPECT_EQ(PortA(), 0x50) << "no strobe, no new status";
    EXPECT_EQ(BusRead(0x62), 0x58);
    // An absent unit drives nothing.
    config.units[2].present = false;
    cbw32sim::Configure(config);
    EXPECT_EQ(BusRead(0x62), 0x58);
    // An output data port reads back its own value.
    SetUpBus(CBW32_OUTPUT);
    cbDOut(0, CBW32_PORT_A, 0x21);
    EXPECT_EQ(PortA(), 0x21);
}

TEST(Cbw32Sim, SampleReadOutAnswersWithOrWithoutStrobe) {
    cbw32sim::BoardConfig config;
    config.units[1].version = 1;
    cbw32sim::Configure(config);
    BusWrite(0x4B, 0x99);
    BusWrite(0x4F, 0x89);
    cbw32sim::LoadSamples(1, {0x1234, 0xABCD, 0x0F0E});
    EXPECT_EQ(BusRead(0x4E), 0x12);
    EXPECT_EQ(BusRead(0x48), 0x34);
    cbDOut(0, CBW32_PORT_B, 0x4E);
    EXPECT_EQ(PortA(), 0xAB);
    EXPECT_EQ(PortA(), 0xAB) << "the high byte does not advance";
    cbDOut(0, CBW32_PORT_B, 0x48);
    EXPECT_EQ(PortA(), 0xCD);
    EXPECT_EQ(PortA(), 0x0E);
    EXPECT_EQ(PortA(), 0x00) << "past the capture";
    // A read-start pulse rewinds.
    BusWrite(0x49, 0x0F);
    BusWrite(0x49, 0x0E);
    EXPECT_EQ(cbw32sim::Unit(1).readPosition, 0u);
    EXPECT_EQ(BusRead(0x48), 0x34);
}

TEST(Cbw32Sim, ModeWordsSetDirectionsAndClearTheOutputs) {
    cbw32sim::Reset();
    BusWrite(0x44, 0x55);
    EXPECT_EQ(cbw32sim::Unit(0).fineLow, 0xFF) << "an input port before the mode word";
    BusWrite(0x47, 0x80);
    BusWrite(0x44, 0x55);
    BusWrite(0x46, 0x30);
    EXPECT_EQ(cbw32sim::Unit(0).fineLow, 0x55);
    EXPECT_EQ(BusRead(0x46), 0x30) << "an output port reads back its latch";
    BusWrite(0x47, 0x07);  // the bit set/reset form changes nothing
    EXPECT_EQ(cbw32sim::Unit(0).option, 0x30);
    BusWrite(0x47, 0x89);
    EXPECT_EQ(cbw32sim::Unit(0).fineLow, 0x00);
    EXPECT_EQ(cbw32sim::Unit(0).option, 0xFF) << "now an input";
}

TEST(Cbw32Sim, ControlLinesPulseTheUnit) {
    cbw32sim::BoardConfig config;
    config.units[0].busyStatusReads = -1;
    cbw32sim::Configure(config);
    BusWrite(0x43, 0x99);
    const cbw32sim::UnitState before = cbw32sim::Unit(0);
    BusWrite(0x41, 0x0F);
    BusWrite(0x41, 0x0D);  // arm falls
    BusWrite(0x41, 0x1F);  // data high, arm back
    BusWrite(0x41, 0x3F);  // clock rises: shift in a 1
    BusWrite(0x41, 0x0F);
    BusWrite(0x41, 0x2F);  // shift in a 0
    BusWrite(0x41, 0x4F);  // load
    const cbw32sim::UnitState after = cbw32sim::Unit(0);
    EXPECT_EQ(after.armPulses, before.armPulses + 1);
    EXPECT_TRUE(after.busy);
    EXPECT_EQ(after.gain, 0b10);
    EXPECT_EQ(after.gainLoads, before.gainLoads + 1);
    EXPECT_EQ(BusRead(0x42) & 1, 1);
    cbw32sim::FinishCapture(0);
    EXPECT_EQ(BusRead(0x42) & 1, 0);
}

}  // namespace
}  // namespace cbvelor::test
