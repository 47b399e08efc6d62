// Settings through the write-only registers and their shadows: slit, fine value, the gain
// word's serial load, and the version-0 option register.

#include <gtest/gtest.h>

#include "BusTrace.h"
#include "cbvelor/cbvelor.h"

namespace cbvelor::test {
namespace {

class CbVelorSettingsTest : public BoardTest {};

TEST_F(CbVelorSettingsTest, SlitLineAndFineValueShareRegister5) {
    Start();
    CbVelorSetSlit(0, 7);
    CbVelorSetFine(0, 0x234);
    CbVelorSetSlit(0, 0);
    using Writes = std::vector<std::pair<int, int>>;
    EXPECT_EQ(RegisterWrites(), Writes({{0x45, 0x00}, {0x44, 0x34}, {0x45, 0x02}, {0x45, 0x82}}));
}

TEST_F(CbVelorSettingsTest, FineValueIsClampedTo1Through4095) {
    const std::pair<std::uint16_t, int> cases[] = {{0, 0x001},    {1, 0x001},    {0xABC, 0xABC},
                                                   {4095, 0xFFF}, {4096, 0xFFF}, {65535, 0xFFF}};
    for (const auto& [given, sent] : cases) {
        SCOPED_TRACE(given);
        Start();
        CbVelorSetFine(0, given);
        using Writes = std::vector<std::pair<int, int>>;
        EXPECT_EQ(RegisterWrites(), Writes({{0x44, sent & 0xFF}, {0x45, 0x80 | (sent >> 8)}}));
    }
}

TEST_F(CbVelorSettingsTest, ArmedUnitIgnoresSlitAndFineButNotGain) {
    cbw32sim::BoardConfig config;
    config.units[0].busyStatusReads = -1;
    Start(config);
    CbVelorSetFine(0, 0x123);
    CbVelorArmCard(0);
    cbw32sim::ClearCallLog();
    CbVelorSetFine(0, 0x456);
    CbVelorSetFine(0, 0);
    CbVelorSetSlit(0, 1);
    EXPECT_TRUE(cbw32sim::CallLog().empty());
    CbVelorSetGain(0, 0x0001);
    EXPECT_EQ(WritesTo(0x41).size(), 51u);

    std::int32_t ready = -1;
    CbVelorIsReady(0, &ready);
    EXPECT_EQ(ready, 0);
    cbw32sim::FinishCapture(0);
    CbVelorIsReady(0, &ready);
    EXPECT_EQ(ready, 1);
    // Disarmed: the shadows still hold the settings from before the arm.
    cbw32sim::ClearCallLog();
    CbVelorSetSlit(0, 1);
    EXPECT_EQ(WritesTo(0x45), std::vector<int>{0x01});
    EXPECT_EQ(cbw32sim::Unit(0).fineLow, 0x23);
}

// Reads the gain word back out of the control writes as a serial receiver would.
std::vector<int> GainWordsLoaded(const std::vector<int>& controlWrites) {
    std::vector<int> words;
    int shift = 0;
    int previous = 0x0F;
    for (const int value : controlWrites) {
        if ((value & 0x20) && !(previous & 0x20))
            shift = ((shift << 1) | ((value >> 4) & 1)) & 0xFFFF;
        if ((value & 0x40) && !(previous & 0x40)) words.push_back(shift);
        previous = value;
    }
    return words;
}

TEST_F(CbVelorSettingsTest, GainIs51ControlWritesWithDataOnlyWhereTheWordHasOnes) {
    Start();
    CbVelorSetGain(0, 0x8001);
    const std::vector<int> writes = WritesTo(0x41);
    ASSERT_EQ(writes.size(), 51u);
    EXPECT_EQ(RegisterWrites().size(), 51u);
    EXPECT_EQ(writes.front(), 0x0F);
    for (int step = 0; step < 16; ++step) {
        SCOPED_TRACE(step);
        const int data = (step == 0 || step == 15) ? 0x10 : 0x00;
        EXPECT_EQ(writes[1 + 3 * step], 0x0F | data);
        EXPECT_EQ(writes[2 + 3 * step], 0x0F | data | 0x20);
        EXPECT_EQ(writes[3 + 3 * step], 0x0F);
    }
    EXPECT_EQ(writes[49], 0x4F);
    EXPECT_EQ(writes[50], 0x0F);

    cbw32sim::ClearCallLog();
    for (const int word : {0x0000, 0xFFFF, 0xA5C3, 0x1234}) {
        CbVelorSetGain(0, static_cast<std::uint16_t>(word));
    }
    EXPECT_EQ(GainWordsLoaded(WritesTo(0x41)), std::vector<int>({0x0000, 0xFFFF, 0xA5C3, 0x1234}));
}

TEST_F(CbVelorSettingsTest, GainClearsTheOverScaleResetBitAndRestoresTheMotorBit) {
    Start();
    CbVelorResetOverScale(0);
    CbVelorSpinMotor(0, 0);
    cbw32sim::ClearCallLog();
    CbVelorSetGain(0, 0);
    const std::vector<int> writes = WritesTo(0x41);
    ASSERT_EQ(writes.size(), 51u);
    EXPECT_EQ(writes.front(), 0x0F);
    EXPECT_EQ(writes.back(), 0x0F);
}

TEST_F(CbVelorSettingsTest, OptionRegisterKeepsTheOtherFieldsOnVersion0) {
    Start();
    CbVelorSetMemory(0, 1);
    CbVelorSetFrequency(0, 2);
    CbVelorWriteData(0, 0xA);
    CbVelorSetMemory(0, 3);
    CbVelorWriteData(0, 0x5);
    CbVelorSetFrequency(0, 5);  // shifted into 8 bits: only its low bit survives
    EXPECT_EQ(WritesTo(0x46), std::vector<int>({0x10, 0x90, 0x9A, 0xBA, 0xB5, 0x75}));
}

TEST_F(CbVelorSettingsTest, OptionCallsMakeNoDriverCallOnSixteenBitVersions) {
    for (const int version : {1, 3}) {
        SCOPED_TRACE(version);
        Start(WithVersion(version));
        CbVelorSetMemory(0, 1);
        CbVelorSetFrequency(0, 2);
        CbVelorWriteData(0, 3);
        EXPECT_TRUE(cbw32sim::CallLog().empty());
    }
}

}  // namespace
}  // namespace cbvelor::test
