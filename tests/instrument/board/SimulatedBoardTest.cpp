// The simulated board as the document drives it: capture timing on the injectable clock, the
// dark window, gain scaling, saturation, the azimuth taken from the fine value.

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>

#include "instrument/board/SimulatedBoard.h"
#include "tests/support/FakeClock.h"

namespace velor::test {
namespace {

class SimulatedBoardTest : public ::testing::Test {
protected:
    SimulatedBoard& Board(std::shared_ptr<const sim::BeamModel> source, SimulatedBoardSettings settings = {}) {
        board = std::make_unique<SimulatedBoard>(std::move(source), settings, clock, sleeper);
        return *board;
    }
    std::array<uint16_t, 4096> Capture(SimulatedBoard& b) {
        std::array<uint16_t, 4096> words{};
        EXPECT_EQ(b.Tesk32_CapReadData(0, words.data(), 4096), 4096);
        return words;
    }
    FakeClock clock;
    FakeSleeper sleeper{clock};
    std::unique_ptr<SimulatedBoard> board;
};

TEST_F(SimulatedBoardTest, TriggeredCaptureBecomesReadyAfterItsCaptureTime) {
    SimulatedBoard& b = Board(sim::MakeGaussianFiber(1310, 9.2));
    std::array<uint16_t, 4096> words{};
    EXPECT_EQ(b.Tesk32_ReadData(0, words.data(), 4096), 0) << "nothing captured yet";
    b.Tesk32_TriggerData(0);
    EXPECT_TRUE(b.Tesk32_DaqInProgress(0));
    clock.now += 99;
    EXPECT_FALSE(b.Tesk32_IsScanReady(0));
    clock.now += 1;
    EXPECT_TRUE(b.Tesk32_IsScanReady(0));
    EXPECT_FALSE(b.Tesk32_DaqInProgress(0));
    EXPECT_EQ(b.Tesk32_ReadData(0, words.data(), 4096), 4096);

    SimulatedBoardSettings pulsed;
    pulsed.pulsedSystem = true;
    SimulatedBoard& p = Board(sim::MakeGaussianFiber(1310, 9.2), pulsed);
    EXPECT_TRUE(p.Tesk32_IsPulsedSystem(0));
    const uint32_t before = clock.now;
    Capture(p);
    EXPECT_EQ(clock.now - before, 200u) << "5 sweeps a second on a pulsed board";
}

TEST_F(SimulatedBoardTest, DarkWindowAveragesToTheDarkLevelAndGainScalesBy10Per20Codes) {
    SimulatedBoardSettings settings;
    settings.sweep.peakCounts = 400.0;
    settings.sweep.darkOffset = 250.0;
    SimulatedBoard& b = Board(sim::MakeGaussianFiber(1310, 9.2), settings);
    const auto low = Capture(b);
    const double dark = std::accumulate(low.begin() + 3641, low.begin() + 3841, 0.0) / 200.0;
    EXPECT_NEAR(dark, 250.0, 1.0);
    b.Tesk32_SetSignalGain(0, 20);
    const auto high = Capture(b);
    // The centre sample (word 1620) carries the beam axis.
    EXPECT_NEAR((high[1620] - 250.0) / (low[1620] - 250.0), 10.0, 0.2);
    b.Tesk32_SetSignalGain(0, 60);
    const auto clipped = Capture(b);
    EXPECT_EQ(clipped[1620], 65535) << "full scale clips";
    EXPECT_LT(clipped[3700], 300) << "the dark words stay dark";
}

TEST_F(SimulatedBoardTest, FineValueTurnsTheSweepPlane) {
    sim::LaserDiodeBeam beam;
    beam.tiltThetaDeg = 10.0;
    beam.tiltPhiDeg = 90.0;
    SimulatedBoard& b = Board(sim::MakeLaserDiode(beam));
    b.Tesk32_SetFine(0, 1 + 18 * 90);
    EXPECT_DOUBLE_EQ(b.PhiDegrees(), 90.0);
    const auto along = Capture(b);
    b.Tesk32_SetFine(0, 1);
    const auto across = Capture(b);
    // In the plane of the tilt the beam is much brighter than in the plane across it.
    const auto brightest = [](const std::array<uint16_t, 4096>& w) {
        return *std::max_element(w.begin(), w.begin() + 3241);
    };
    EXPECT_GT(brightest(along), 2 * brightest(across));
}

TEST_F(SimulatedBoardTest, HeadTypeAndVariantAreAsConfigured) {
    SimulatedBoardSettings settings;
    settings.headType = 1;
    settings.headVariant = 1;
    SimulatedBoard& b = Board(nullptr, settings);
    int variant = -1;
    EXPECT_EQ(b.Tesk32_GetHeadType(0, &variant), 1);
    EXPECT_EQ(variant, 1);
    const auto words = Capture(b);
    EXPECT_LT(*std::max_element(words.begin(), words.end()), 400) << "no source: dark only";
}

TEST_F(SimulatedBoardTest, PulsedSourceLightsTheSweepOnlyInPulses) {
    SimulatedBoardSettings settings;
    settings.pulseFrequencyKHz = 6.48;  // a pulse every 10 samples
    settings.sweep.noiseRms = 0.0;
    SimulatedBoard& b = Board(sim::MakeMultimodeFiber(0.5), settings);
    const auto words = Capture(b);
    int lit = 0;
    for (int j = 1500; j < 1600; ++j) lit += words[3240 - j] > 1000 ? 1 : 0;
    EXPECT_EQ(lit, 10) << "one lit sample per pulse period";
}

}  // namespace
}  // namespace velor::test
