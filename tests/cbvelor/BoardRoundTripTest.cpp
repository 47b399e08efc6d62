// What the library writes lands in the simulated unit's registers, and what the unit holds
// comes back through the library.

#include <gtest/gtest.h>

#include "BusTrace.h"
#include "cbvelor/cbvelor.h"

namespace cbvelor::test {
namespace {

class CbVelorRoundTripTest : public BoardTest {};

TEST_F(CbVelorRoundTripTest, InitialisationProgramsBothInterfacesAndTheDefaults) {
    for (const int version : {0, 1, 3}) {
        SCOPED_TRACE(version);
        Start(WithVersion(version));
        const cbw32sim::UnitState unit = cbw32sim::Unit(0);
        EXPECT_EQ(unit.modeA, 0x99);
        EXPECT_EQ(unit.modeB, version == 0 ? 0x80 : 0x89);
        EXPECT_EQ(unit.control, 0x0F);
        EXPECT_TRUE(unit.MotorOn());
        EXPECT_EQ(unit.Fine(), 1);
        EXPECT_FALSE(unit.SlitSelected());
        // Version 0 drives the option register; the others read the sample's high byte there.
        EXPECT_EQ(unit.option, version == 0 ? 0x30 : 0xFF);
    }
}

TEST_F(CbVelorRoundTripTest, FineValueAndSlitLand) {
    Start();
    CbVelorSetFine(0, 0xABC);
    CbVelorSetSlit(0, 1);
    EXPECT_EQ(cbw32sim::Unit(0).Fine(), 0xABC);
    EXPECT_TRUE(cbw32sim::Unit(0).SlitSelected());
    CbVelorSetFine(0, 9000);
    CbVelorSetSlit(0, 0);
    EXPECT_EQ(cbw32sim::Unit(0).Fine(), 4095);
    EXPECT_FALSE(cbw32sim::Unit(0).SlitSelected());
}

TEST_F(CbVelorRoundTripTest, GainWordIsShiftedInAndLatchedOnLoad) {
    Start();
    for (const std::uint16_t word : {0x8001, 0x5A3C, 0xFFFF, 0x0000}) {
        SCOPED_TRACE(word);
        const int loads = cbw32sim::Unit(0).gainLoads;
        CbVelorSetGain(0, word);
        EXPECT_EQ(cbw32sim::Unit(0).gain, word);
        EXPECT_EQ(cbw32sim::Unit(0).gainLoads, loads + 1);
    }
}

TEST_F(CbVelorRoundTripTest, OptionBitsLandOnVersion0) {
    Start();
    CbVelorSetMemory(0, 2);
    CbVelorSetFrequency(0, 3);
    CbVelorWriteData(0, 0x9);
    EXPECT_EQ(cbw32sim::Unit(0).option, (3 << 6) | (2 << 4) | 0x9);
}

TEST_F(CbVelorRoundTripTest, MotorArmCaptureAndOverScale) {
    cbw32sim::BoardConfig config;
    config.units[0].busyStatusReads = -1;
    Start(config);
    CbVelorSpinMotor(0, 0);
    EXPECT_FALSE(cbw32sim::Unit(0).MotorOn());

    const int arms = cbw32sim::Unit(0).armPulses;
    CbVelorArmCard(0);
    EXPECT_EQ(cbw32sim::Unit(0).armPulses, arms + 1);
    EXPECT_TRUE(cbw32sim::Unit(0).MotorOn()) << "the arm write carries the shadow's motor bit";
    std::int32_t ready = -1;
    CbVelorIsReady(0, &ready);
    EXPECT_EQ(ready, 0);
    cbw32sim::FinishCapture(0);
    CbVelorIsReady(0, &ready);
    EXPECT_EQ(ready, 1);

    std::int32_t overScale = -1;
    CbVelorGetOverScale(0, &overScale);
    EXPECT_EQ(overScale, 0);
    cbw32sim::RaiseOverScale(0);
    CbVelorGetOverScale(0, &overScale);
    EXPECT_EQ(overScale, 1);
    CbVelorResetOverScale(0);
    CbVelorGetOverScale(0, &overScale);
    EXPECT_EQ(overScale, 0);
    EXPECT_FALSE(cbw32sim::Unit(0).overScale);
}

TEST_F(CbVelorRoundTripTest, UnitsAreIndependent) {
    cbw32sim::BoardConfig config;
    config.units[0].head = 4;
    config.units[3].head = 12;
    Start(config, 3);
    ASSERT_EQ(CbVelorInitCard(0, 0, 0), 1);
    CbVelorSetFine(3, 0x321);
    CbVelorSetGain(0, 0x00FF);
    EXPECT_EQ(cbw32sim::Unit(3).Fine(), 0x321);
    EXPECT_EQ(cbw32sim::Unit(0).Fine(), 1);
    EXPECT_EQ(cbw32sim::Unit(0).gain, 0x00FF);
    EXPECT_EQ(cbw32sim::Unit(3).gain, 0);
    std::uint16_t heads[2] = {};
    CbVelorGetHead(0, &heads[0]);
    CbVelorGetHead(3, &heads[1]);
    EXPECT_EQ(heads[0], 4);
    EXPECT_EQ(heads[1], 12);
}

}  // namespace
}  // namespace cbvelor::test
