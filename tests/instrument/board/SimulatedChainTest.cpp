// The simulated station's whole chain: board access, board library, driver stand-in, simulated
// digital I/O board and acquisition unit, detector. A sweep read out through the registers must
// be the detector's sweep at the stage's azimuth and the gain the gain word set, on every board
// version, after the capture's time on the station's clock.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "cbw32/Cbw32Sim.h"
#include "instrument/board/SimulatedStation.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RecordingPrompt.h"

namespace velor::test {
namespace {

using Words = std::array<uint16_t, kSamplesPerSweep>;

// A beam tilted off the axis: its sweep depends on the azimuth of the sweep plane.
std::shared_ptr<const sim::BeamModel> TiltedBeam() {
    sim::LaserDiodeBeam beam;
    beam.majorFwhmDeg = 20.0;
    beam.minorFwhmDeg = 12.0;
    beam.tiltThetaDeg = 15.0;
    beam.tiltPhiDeg = 250.0;
    return sim::MakeLaserDiode(beam);
}

// A sweep the detector gives for these settings.
sim::RawSweep DetectorTruth(double phiDeg, double gainDb, const SimulatedBoardSettings& settings) {
    std::mt19937 rng(settings.sweep.seed);
    return sim::DetectorSweep(TiltedBeam().get(), phiDeg, gainDb, settings, rng);
}

class SimulatedChain : public ::testing::Test {
protected:
    SimulatedStation& Start(const SimulatedBoardSettings& settings,
                            SimulatedUnit::StageAzimuth stage = {}) {
        station.reset();
        station = std::make_unique<SimulatedStation>(TiltedBeam(), settings, clock, sleeper,
                                                     prompt, std::move(stage));
        EXPECT_EQ(station->Board().Tesk32_InitCard(0, kBoardIoAddress), 1);
        return *station;
    }

    RecordingPrompt prompt;
    FakeClock clock;
    FakeSleeper sleeper{clock};
    double stagePhi = 250.0;
    std::unique_ptr<SimulatedStation> station;
};

TEST_F(SimulatedChain, AFullSweepIsTheDetectorsAtTheStageAzimuthAndGainOnEveryVersion) {
    for (const int version : {0, 1, 3}) {
        SCOPED_TRACE(version);
        SimulatedBoardSettings settings;
        settings.boardVersion = version;
        settings.sweep.peakCounts = 3000.0;
        settings.sweep.noiseRms = 0.0;  // exact words, however many sweeps the unit has taken
        Tesk32& board = Start(settings, [this] { return stagePhi; }).Board();
        board.Tesk32_SetSignalGain(0, 23);
        board.Tesk32_SetFine(0, 1 + 18 * 10);  // the board's record says 10 degrees; the stage rules
        Words words;
        words.fill(0xEEEE);
        const uint32_t start = clock.now;
        ASSERT_EQ(board.Tesk32_CapReadData(0, words.data(), kSamplesPerSweep), kSamplesPerSweep);
        EXPECT_EQ(clock.now - start, 100u) << "a sweep takes 100 ms";

        const sim::RawSweep truth = DetectorTruth(stagePhi, 23.0, settings);
        // An 8-bit unit keeps the top bits of each count; they come back at full scale.
        const auto expected = [&](int w) {
            return version == 0 ? static_cast<uint16_t>(truth[w] / 257 * 257) : truth[w];
        };
        int mismatches = 0;
        for (int w = 5; w < kSamplesPerSweep; ++w) mismatches += words[w] != expected(w) ? 1 : 0;
        EXPECT_EQ(mismatches, 0);
        // The library's read-out keeps the fifth word in the first five places.
        for (int w = 0; w < 5; ++w) EXPECT_EQ(words[w], expected(4)) << w;
        EXPECT_GT(*std::max_element(words.begin(), words.end()), 20000)
            << "the gain lifts the beam far above the dark level";
    }
}

TEST_F(SimulatedChain, WithoutAStageTheFineRegisterGivesTheAzimuth) {
    SimulatedBoardSettings settings;
    settings.sweep.peakCounts = 20000.0;
    Tesk32& board = Start(settings).Board();
    const struct {
        int fine;
        double phi;
    } cases[] = {{1 + 18 * 70, 70.0}, {6000, 4094.0 / 18.0}};  // 6000 is above the register
    for (const auto& c : cases) {
        board.Tesk32_SetFine(0, c.fine);
        Words words;
        ASSERT_EQ(board.Tesk32_CapReadData(0, words.data(), kSamplesPerSweep), kSamplesPerSweep);
        // Each capture draws the detector's noise anew: compare the beam, not the noise.
        SimulatedBoardSettings quiet = settings;
        quiet.sweep.noiseRms = 0.0;
        const sim::RawSweep truth = DetectorTruth(c.phi, 0.0, quiet);
        for (int w = 5; w < 3241; w += 40) EXPECT_NEAR(words[w], truth[w], 12.0) << c.fine << " " << w;
    }
}

TEST_F(SimulatedChain, ALiveCaptureIsReadyAfterItsTimeOnTheStationClock) {
    for (const bool pulsed : {false, true}) {
        SimulatedBoardSettings settings;
        settings.pulsedSystem = pulsed;
        Tesk32& board = Start(settings, [this] { return stagePhi; }).Board();
        const uint32_t duration = pulsed ? 200 : 100;
        EXPECT_EQ(board.Tesk32_IsPulsedSystem(0), pulsed ? 1 : 0);
        const int captures = station->Unit().Captures();
        board.Tesk32_TriggerData(0);
        EXPECT_EQ(board.Tesk32_DaqInProgress(0), 1);
        clock.now += duration - 1;
        EXPECT_EQ(board.Tesk32_IsScanReady(0), 0) << pulsed;
        clock.now += 1;
        EXPECT_EQ(board.Tesk32_IsScanReady(0), 1) << pulsed;
        EXPECT_EQ(board.Tesk32_DaqInProgress(0), 0);
        Words words;
        EXPECT_EQ(board.Tesk32_ReadData(0, words.data(), kSamplesPerSweep), kSamplesPerSweep);
        EXPECT_EQ(station->Unit().Captures(), captures + 1);
    }
}

TEST_F(SimulatedChain, ACaptureThatFailsDeliversNoSamplesAndIsToldOnce) {
    SimulatedBoardSettings settings;
    settings.sweep.peakCounts = 1e300;  // the highest gain takes the counts beyond any number
    Tesk32& board = Start(settings, [this] { return stagePhi; }).Board();
    board.Tesk32_SetSignalGain(0, 185);
    Words words;
    EXPECT_EQ(board.Tesk32_CapReadData(0, words.data(), kSamplesPerSweep), 0);
    board.Tesk32_TriggerData(0);
    clock.now += 100;
    ASSERT_EQ(board.Tesk32_IsScanReady(0), 1);
    EXPECT_EQ(board.Tesk32_ReadData(0, words.data(), kSamplesPerSweep), 0);
    ASSERT_EQ(prompt.Messages().size(), 1u);
    EXPECT_TRUE(prompt.Last().text.startsWith("The simulated detector could not take a sweep:"));

    board.Tesk32_SetSignalGain(0, 0);
    EXPECT_EQ(board.Tesk32_CapReadData(0, words.data(), kSamplesPerSweep), kSamplesPerSweep);
    board.Tesk32_SetSignalGain(0, 185);
    EXPECT_EQ(board.Tesk32_CapReadData(0, words.data(), kSamplesPerSweep), 0);
    EXPECT_EQ(prompt.Messages().size(), 2u) << "a new failure after a good sweep is told again";
}

TEST_F(SimulatedChain, TheStationKeepsNoCallLog) {
    SimulatedBoardSettings settings;
    Tesk32& board = Start(settings, [this] { return stagePhi; }).Board();
    const uint64_t before = cbw32sim::CallCount();
    Words words;
    board.Tesk32_CapReadData(0, words.data(), kSamplesPerSweep);
    EXPECT_GT(cbw32sim::CallCount() - before, 24000u) << "the sweep went through the driver";
    EXPECT_TRUE(cbw32sim::CallLog().empty());
}

}  // namespace
}  // namespace velor::test
