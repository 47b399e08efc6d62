// Raw sweeps against the document's way of reading them: the dark window, the reversed order,
// the grid weights, and the board's 16-bit range.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numeric>
#include <vector>

#include "instrument/geometry/AngleGrid.h"
#include "instrument/simulation/BeamModel.h"
#include "instrument/simulation/SweepSimulator.h"

namespace {

using velor::kDarkWindowFirst;
using velor::kSamplesPerProfile;
using velor::sim::RawSweep;
using velor::sim::SweepSettings;

double Mean(const RawSweep& words, int first, int last) {
    return std::accumulate(words.begin() + first, words.begin() + last + 1, 0.0) /
           (last - first + 1);
}

double Rms(const RawSweep& words, int first, int last, double about) {
    double sum = 0.0;
    for (int w = first; w <= last; ++w) sum += (words[w] - about) * (words[w] - about);
    return std::sqrt(sum / (last - first + 1));
}

// The document's processing: subtract the dark window's mean, reverse, weight.
std::vector<float> Process(const RawSweep& words, float distance) {
    const velor::SweepGrid grid = velor::MakeSweepGrid(distance);
    const auto dark = static_cast<float>(Mean(words, kDarkWindowFirst, kDarkWindowFirst + velor::kDarkWindowCount - 1));
    std::vector<float> profile(kSamplesPerProfile);
    for (int j = 0; j < kSamplesPerProfile; ++j) {
        profile[j] = (words[kSamplesPerProfile - 1 - j] - dark) * grid.weight[j];
    }
    return profile;
}

std::unique_ptr<velor::sim::BeamModel> Fiber() {
    return velor::sim::MakeGaussianFiber(1310.0, 4.0);
}

TEST(SimulatedSweep, ProcessedNoiseFreeSweepIsTheIdealProfile) {
    const SweepSettings settings{.peakCounts = 50000.0, .darkOffset = 300.0, .noiseRms = 0.0};
    // A tilted diode makes the profile lopsided, so the order of the words and the side of the
    // plane each sample lies on both show.
    const auto diode = velor::sim::MakeLaserDiode(
        {.majorFwhmDeg = 25.0, .minorFwhmDeg = 10.0, .tiltThetaDeg = 20.0, .tiltPhiDeg = 220.0});
    const auto multimode = velor::sim::MakeMultimodeFiber(0.6);
    const auto fiber = Fiber();
    struct Case {
        const velor::sim::BeamModel& model;
        double phi;
        float distance;
    };
    for (const Case& c :
         {Case{*diode, 40.0, 4.65f}, Case{*multimode, 0.0, 1.65f}, Case{*fiber, 10.0, 11.65f}}) {
        const std::vector<float> ideal =
            velor::sim::IdealProfile(c.model, c.phi, c.distance, settings.peakCounts);
        ASSERT_GT(*std::max_element(ideal.begin(), ideal.end()), 0.9 * settings.peakCounts);
        const std::vector<float> processed =
            Process(velor::sim::SimulateSweep(c.model, c.phi, c.distance, settings), c.distance);
        const velor::SweepGrid grid = velor::MakeSweepGrid(c.distance);
        for (int j = 0; j < kSamplesPerProfile; ++j) {
            ASSERT_NEAR(processed[j], ideal[j], 0.5 * grid.weight[j] + 0.01)
                << c.model.Describe() << ", sample " << j;
        }
    }
}

TEST(SimulatedSweep, DarkWordsHoldTheOffsetAndEveryWordTheNoise) {
    const SweepSettings quiet{.peakCounts = 30000.0, .darkOffset = 1000.0, .noiseRms = 0.0};
    SweepSettings noisy = quiet;
    noisy.noiseRms = 20.0;
    const RawSweep clean = velor::sim::SimulateSweep(*Fiber(), 0.0, 4.65f, quiet);
    const RawSweep words = velor::sim::SimulateSweep(*Fiber(), 0.0, 4.65f, noisy);

    const double window = Mean(words, kDarkWindowFirst, kDarkWindowFirst + velor::kDarkWindowCount - 1);
    EXPECT_NEAR(window, 1000.0, 6.0);  // 4 standard errors of a 200-word mean
    const double spread =
        *std::max_element(words.begin() + kDarkWindowFirst, words.begin() + kDarkWindowFirst + velor::kDarkWindowCount) -
        window;
    EXPECT_GT(spread, 20.0);
    EXPECT_LT(spread, 120.0);
    EXPECT_NEAR(Rms(words, kSamplesPerProfile, velor::kSamplesPerSweep - 1, 1000.0), 20.0, 2.0);

    // On the lit words too the noise adds to the signal with the same spread.
    double sum = 0.0;
    for (int w = 0; w < kSamplesPerProfile; ++w) {
        sum += std::pow(static_cast<double>(words[w]) - clean[w], 2);
    }
    EXPECT_NEAR(std::sqrt(sum / kSamplesPerProfile), 20.0, 1.5);
    EXPECT_GT(clean[kSamplesPerProfile / 2], 30000);  // the beam is there
}

TEST(SimulatedSweep, SameSeedGivesTheSameWords) {
    const auto fiber = Fiber();
    const SweepSettings seven{.seed = 7};
    SweepSettings eight = seven;
    eight.seed = 8;
    const RawSweep first = velor::sim::SimulateSweep(*fiber, 30.0, 4.65f, seven);
    EXPECT_EQ(first, velor::sim::SimulateSweep(*fiber, 30.0, 4.65f, seven));
    const RawSweep other = velor::sim::SimulateSweep(*fiber, 30.0, 4.65f, eight);
    const auto differing = std::inner_product(first.begin(), first.end(), other.begin(), 0,
                                              std::plus<>(), std::not_equal_to<>());
    EXPECT_GT(differing, 2000);

    // A generator shared by successive sweeps starts where the seed puts it and moves on.
    std::mt19937 rng(7);
    EXPECT_EQ(velor::sim::SimulateSweep(*fiber, 30.0, 4.65f, seven, rng), first);
    EXPECT_NE(velor::sim::SimulateSweep(*fiber, 30.0, 4.65f, seven, rng), first);
}

TEST(SimulatedSweep, ClipsAtFullScaleAndAtZeroWithoutWrapping) {
    const auto fiber = Fiber();
    const SweepSettings bright{.peakCounts = 200000.0, .darkOffset = 300.0, .noiseRms = 0.0};
    SweepSettings noisy = bright;
    noisy.noiseRms = 30.0;
    const RawSweep clean = velor::sim::SimulateSweep(*fiber, 0.0, 4.65f, bright);
    const RawSweep words = velor::sim::SimulateSweep(*fiber, 0.0, 4.65f, noisy);
    int clipped = 0;
    for (int w = 0; w < kSamplesPerProfile; ++w) {
        // Noise-free words are exact up to full scale, so a clean 65535 means "at or above".
        if (clean[w] == 65535) ++clipped;
        if (clean[w] == 65535 && words[w] != 65535) {
            EXPECT_GT(words[w], 65535 - 6 * 30) << w;
        }
        if (clean[w] < 65535 - 6 * 30) {
            EXPECT_LT(words[w], 65535) << w;
        }
    }
    EXPECT_GT(clipped, 50);

    // Noise on a zero offset: negative counts stop at 0, not at the top of the range.
    const SweepSettings dark{.peakCounts = 0.0, .darkOffset = 0.0, .noiseRms = 30.0};
    const RawSweep low = velor::sim::SimulateSweep(*fiber, 0.0, 4.65f, dark);
    EXPECT_GT(std::count(low.begin(), low.end(), uint16_t{0}), 1500);
    EXPECT_LT(*std::max_element(low.begin(), low.end()), 6 * 30);
}

}  // namespace
