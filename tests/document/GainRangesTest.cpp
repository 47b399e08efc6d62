// Wide-range acquisition on the simulated instrument: every sweep taken over several gain
// ranges 20 dB apart and stitched, against the noise-free beam; the weak beam whose higher
// ranges never clip; the reach of the head's gains; auto gain, live scans and the 3D run over
// ranges; the mode-field diameter's floor in the highest range's counts.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "document/acquisition/DarkLevel.h"
#include "document/acquisition/RangeMerge.h"
#include "instrument/geometry/AngleGrid.h"
#include "instrument/simulation/StepIndexFiber.h"
#include "tests/support/AcquisitionStation.h"
#include "tests/support/FileLayout.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

constexpr double kPeak = 60000.0;

SimulatedBoardSettings Board(double peak, double noise = 2.0) {
    SimulatedBoardSettings settings;
    settings.sweep.peakCounts = peak;
    settings.sweep.noiseRms = noise;
    return settings;
}

TEST(GainRanges, StitchedProfileFollowsTheNoiseFreeBeamFromThePeakDownToTheFloor) {
    // A step-index fiber (V = 2.4): its first side lobe lies near -42 dB, out of one range's reach.
    const std::shared_ptr<const sim::BeamModel> fiber = sim::MakeStepIndexFiber(4.1, 0.12204, 1310);
    AcquisitionStation s(fiber, Board(kPeak));
    s.doc->InitInstrument();
    s.doc->SetGainRanges(3);
    ASSERT_EQ(s.doc->CaptureNow(), 1) << "the higher ranges clip by design: no saturation";
    EXPECT_FALSE(s.doc->IsSaturated());
    EXPECT_LT(s.doc->m_fNoise[0], 0.2f) << "the noise of the highest range, in base counts";

    const float* profile = s.doc->GetProfileData(0);
    const std::vector<float> ideal = sim::IdealProfile(*fiber, 0.0, s.doc->m_fDistance, kPeak);
    std::vector<float> angle(3241), weight(3241);
    ComputeAngleGrid(s.doc->m_fDistance, angle.data(), weight.data());
    // Each sample carries the noise of the range it came from: the highest range's (2 counts
    // RMS, a hundredth in base counts) in the wings; a lower range's only where the one above
    // it is within 10 % of clipping, so never more than 2 counts per 0.09 of full scale there.
    const double level = 65535.0 - 300.0;
    const double floor = 16.0 / 100.0;
    const double firstNull = sim::StepIndexFiber(4.1, 0.12204, 1310).NullAngles(0.9).at(0);
    int inSideLobes = 0;
    for (int j = 0; j < 3241; ++j) {
        if (ideal[j] < floor) continue;
        const double noise = 2.0 * (weight[j] / 100.0 + 10.0 * ideal[j] / (0.9 * level));
        ASSERT_NEAR(profile[j], ideal[j], 6.0 * noise) << "sample " << j << ", ideal " << ideal[j];
        if (std::abs(angle[j]) > firstNull) ++inSideLobes;
    }
    EXPECT_GT(inSideLobes, 100) << "the side lobes beyond the first nulls are measured too";
}

TEST(GainRanges, RangesThatClipNowhereAndARefusedStitchLoseNoSweep) {
    const auto beam = sim::MakeGaussianFiber(1310, 9.2);
    const struct {
        const char* what;
        double peak, darkOffset;
        int lowestRange;
        bool stitched;
    } cases[] = {{"weak: no higher range clips", 500.0, 300.0, 2, true},
                 {"the middle range is the highest that clips nowhere", 5000.0, 300.0, 1, true},
                 {"every higher range clips", 60000.0, 300.0, 0, true},
                 {"the dark level at full scale", 60000.0, 70000.0, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::vector<float>> sweeps;
        std::vector<const float*> pointers;
        for (int r = 0; r < 3; ++r) {
            sim::SweepSettings settings{c.peak * std::pow(10.0, r), c.darkOffset, 2.0, 7u + r};
            const sim::RawSweep words = sim::SimulateSweep(*beam, 0.0, 3.65f, settings);
            sweeps.emplace_back(words.begin(), words.end());
        }
        for (const auto& sweep : sweeps) pointers.push_back(sweep.data());
        std::vector<float> merged(4096);
        const RangeMergeResult result = MergeRangeSweeps(pointers, merged.data());
        EXPECT_EQ(result.lowestRange, c.lowestRange);
        EXPECT_EQ(result.stitched, c.stitched);
        if (!c.stitched) {
            EXPECT_EQ(merged, sweeps[0]) << "the base range alone, as one range would give it";
            continue;
        }
        // Each sample comes, unscaled, from the highest range taking part that is well below
        // full scale there and whose next range clips: range r's counts over 10^r.
        float offsets[3];
        for (int r = 0; r < 3; ++r) offsets[r] = DarkLevelOf(sweeps[r].data()).offset;
        // The last word is the profile's first sample, which the library always leaves on the
        // lowest range it is given.
        int compared = 0;
        for (int w = 0; w < 3240; ++w) {
            int r = 2;
            while (r > c.lowestRange && !(sweeps[r][w] < 0.4f * 65535.0f)) --r;
            if (sweeps[0][w] == 65535.0f) {
                ASSERT_EQ(merged[w], 65535.0f) << "base full scale kept";
            }
            if (!(sweeps[r][w] < 0.4f * 65535.0f) || (r < 2 && sweeps[r + 1][w] != 65535.0f)) continue;
            const float expected = (sweeps[r][w] - offsets[r]) / std::pow(10.0f, static_cast<float>(r));
            ASSERT_NEAR(merged[w] - offsets[0], expected, 1e-3f + 1e-6f * std::abs(expected)) << w;
            ++compared;
        }
        EXPECT_GT(compared, 2800) << "all but the samples near a range's edges";
    }
}

TEST(GainRanges, ReachStopsAtTheHeadsHighestGainAndTheStatusBarSaysSo) {
    const struct {
        int headType, gain, ranges, reach;
        const char* status;
    } cases[] = {{0, 0, 1, 1, ""},
                 {0, 0, 3, 3, "Gain ranges: 3 (0-40 dB), sweep rate 1/3"},
                 {1, 100, 4, 3, "Gain ranges: 3 of 4 (100-140 dB; the head stops at 159 dB), sweep rate 1/3"},
                 {0, 130, 2, 1, "Gain ranges: 1 of 2 (130 dB; the head stops at 139 dB)"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        SimulatedBoardSettings settings = Board(1.0, 0.0);
        settings.headType = c.headType;
        AcquisitionStation s(sim::MakeGaussianFiber(1310, 9.2), settings);
        s.doc->InitInstrument();
        s.doc->SetSignalGain(c.gain);
        s.doc->SetGainRanges(c.ranges);
        for (const int refused : {0, 5}) s.doc->SetGainRanges(refused);
        EXPECT_EQ(s.doc->GetGainRanges(), c.ranges);
        EXPECT_EQ(s.doc->RangesInReach(), c.reach);
        EXPECT_EQ(s.doc->GainRangeStatus(), QString::fromUtf8(c.status));
        const int before = s.board->CapturesTaken();
        s.doc->CaptureNow();
        EXPECT_EQ(s.board->CapturesTaken() - before, c.reach);
        EXPECT_EQ(s.doc->GetAxisRanges(0), c.reach);
        EXPECT_EQ(s.board->GainCode(), c.gain);
    }
}

TEST(GainRanges, AutoGainSetsTheBaseGainAndLiveScansTakeEveryRange) {
    AcquisitionStation s(sim::MakeGaussianFiber(1310, 9.2), Board(400.0));
    s.doc->SetGainRanges(3);
    ASSERT_EQ(s.doc->RunAutoGain(), 1);
    const int gain = s.doc->GetSignalGain();
    // The base range alone decides the gain, as with one range.
    std::array<uint16_t, 4096> words{};
    s.board->Tesk32_CapReadData(0, words.data(), 4096);
    const uint16_t peak = *std::max_element(words.begin(), words.end());
    EXPECT_GE(peak, 58000);
    EXPECT_LE(peak, 65534);

    RecordingClient client;
    s.doc->SetAveraging(2);
    s.doc->SetScanAcquisition(true);
    ASSERT_TRUE(s.doc->AddAcquisitionClient(-1, 1000, &client));
    const int before = s.board->CapturesTaken();
    for (int i = 0; i < 2000 && client.codes.empty(); ++i) s.Tick();
    ASSERT_EQ(client.codes, std::vector<int>{1});
    EXPECT_EQ(s.board->CapturesTaken() - before, 6) << "two averaged sweeps of three ranges each";
    EXPECT_EQ(s.board->GainCode(), gain);
    EXPECT_EQ(s.doc->GetAxisRanges(0), 3);
    EXPECT_FALSE(s.doc->IsSaturated());
    EXPECT_NEAR(s.doc->GetPeakValue(0), peak - 300.0f, 0.02f * peak);
}

TEST(GainRanges, A3dRunTakesEveryScanOverTheRangesAndReplayShowsThem) {
    sim::LaserDiodeBeam diode;
    diode.majorFwhmDeg = diode.minorFwhmDeg = 16.0;
    AcquisitionStation s(sim::MakeLaserDiode(diode), Board(30000.0));
    s.doc->InitInstrument();
    s.doc->ApplyScans3D(10);
    s.doc->CaptureNow();  // one range
    s.doc->SetGainRanges(3);
    s.doc->Acquire3D();
    ASSERT_EQ(s.doc->m_b3DValid, 1);
    EXPECT_EQ(s.board->CapturesTaken(), 1 + 11 * 3);
    EXPECT_EQ(s.doc->GainRangeRecord().m_n3DRanges, 3);
    EXPECT_EQ(s.doc->GetAxisRanges(0), 1) << "the profile taken before the run comes back";
    EXPECT_LT(s.doc->Get3DNoiseMaximum(), 0.2f) << "every scan's floor is the highest range's";

    s.doc->ToggleReplay();
    EXPECT_EQ(s.doc->GetAxisRanges(0), 3);
    s.doc->ToggleReplay();
    EXPECT_EQ(s.doc->GetAxisRanges(0), 1);
}

TEST(GainRanges, ModeFieldFloorFallsTenDecibelsPerRange) {
    // A Gaussian far field exp(-2 (pi w0 sin(theta) / lambda)^2) with the integral cut where it
    // falls to the floor f: x = ln(peak / f) gives the diameter
    // 2 w0 sqrt((1 - e^-x) / (1 - (1 + x) e^-x)) and the edge angle asin(sqrt(x / 2) lambda / (pi w0)).
    const double w0 = 4.6, lambda = 1.31;
    double previousDb = 0.0;
    for (int ranges = 1; ranges <= 4; ++ranges) {
        SCOPED_TRACE(ranges);
        // Without noise the floor is crossed where the beam crosses it.
        AcquisitionStation s(sim::MakeGaussianFiber(1310, 2 * w0), Board(kPeak, 0.0));
        s.doc->InitInstrument();
        s.doc->SetGainRanges(ranges);
        s.doc->CaptureNow();
        const double peak = s.doc->GetPeakValue(0);
        const double x = std::log(peak * std::pow(10.0, ranges - 1) / 16.0);
        const CVelor32Doc::ModeFieldSupport support = s.doc->GetModeFieldSupport(0);
        EXPECT_NEAR(support.dynamicRangeDb, 10.0 * std::log10(peak) + 10.0 * (ranges - 1) - 10 * std::log10(16.0), 1e-3);
        if (ranges > 1) {
            EXPECT_NEAR(support.dynamicRangeDb - previousDb, 10.0, 0.05);
        }
        previousDb = support.dynamicRangeDb;
        const double edge = std::asin(std::sqrt(x / 2) * lambda / (M_PI * w0)) * 180 / M_PI;
        EXPECT_NEAR(support.toDegrees, edge, 0.06) << "within a sample";
        EXPECT_NEAR(support.fromDegrees, -edge, 0.06);
        const double cut = 2 * w0 * std::sqrt((1 - std::exp(-x)) / (1 - (1 + x) * std::exp(-x)));
        EXPECT_NEAR(s.doc->GetModeFieldDiameter(0), cut, cut * 2e-4);
    }
}

TEST(GainRangeFile, OneRangeWritesTheOldBytesAndMoreRangesASectionThatReadsBack) {
    for (const char* name : {"m.vnq", "m.cfg"}) {
        SCOPED_TRACE(name);
        TestStation station;
        CVelor32Doc* doc = station.NewDocument();
        station.AddNote("n");
        const QString path = station.Path(name);
        ASSERT_TRUE(station.file.SaveDataFile(path));
        const QByteArray oneRange = ReadAll(path);

        doc->SetGainRanges(3);
        EXPECT_TRUE(doc->IsModified());
        ASSERT_TRUE(station.file.SaveDataFile(path));
        const QByteArray threeRanges = ReadAll(path);
        // After the document's section: its marker, counted among the sections, and the record.
        const int at = QString::fromLatin1(name).endsWith("cfg") ? FileLayout(10).configEnd()
                                                                 : FileLayout(10).documentEnd();
        EXPECT_EQ(threeRanges.mid(0, at).mid(40), oneRange.mid(0, at).mid(40));
        EXPECT_EQ(threeRanges[36], 2) << "two sections after the document's";
        EXPECT_EQ(threeRanges.mid(at, 6), QByteArray("\x14\x00\xff\xff\xff\xff", 6));
        EXPECT_EQ(threeRanges.mid(at + 6, 4), QByteArray("\x0c\x00\x0a\x00", 4));
        EXPECT_EQ(threeRanges.mid(at + 22), oneRange.mid(at)) << "the views as before";

        CVelor32Doc* loaded = station.file.LoadDataFile(path);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->GetGainRanges(), 3);
        EXPECT_FALSE(loaded->IsModified());
        EXPECT_EQ(loaded->Views().size(), 1u) << "the section is no view";
        loaded->SetGainRanges(1);
        ASSERT_TRUE(station.file.SaveDataFile(path));
        EXPECT_EQ(ReadAll(path), oneRange) << "one range again: byte for byte the old file";
    }
}

TEST(GainRangeFile, ValuesNoSettingCanHaveAreRefusedLikeDamage) {
    TestStation station;
    station.NewDocument()->SetGainRanges(2);
    station.AddNote("n");
    const QString path = station.Path("r.vnq");
    ASSERT_TRUE(station.file.SaveDataFile(path));
    const QByteArray good = ReadAll(path);
    const int record = FileLayout::Data(FileLayout(10).documentEnd() + 6);
    // Offsets in the record: the setting, axis 0's and the 3D data's ranges, the base gain.
    for (const auto& [offset, value] : {std::pair{0, 0}, {0, 5}, {2, 9}, {6, 0}, {8, 186}}) {
        SCOPED_TRACE(offset);
        QByteArray bad = good;
        bad[record + offset] = static_cast<char>(value & 0xFF);
        bad[record + offset + 1] = static_cast<char>(value >> 8);
        const uint16_t crc = BitwiseKermit(bad.mid(record, 10));
        bad[record - 2] = static_cast<char>(crc & 0xFF);
        bad[record - 1] = static_cast<char>(crc >> 8);
        WriteAll(path, bad);
        EXPECT_EQ(station.file.LoadDataFile(path), nullptr);
        EXPECT_EQ(station.prompt.Last().text, "Could not read file");
    }
}

}  // namespace
}  // namespace velor::test
