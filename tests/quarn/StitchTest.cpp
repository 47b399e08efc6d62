// Scans of several gain ranges stitched back into the true profile, and the failures that
// leave the output alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "quarn/quarn.h"

namespace {

constexpr float kClip = 65535.0f;

// A true profile in the units of the highest range and what each of `ranges` gain ranges
// records of it: range r sees it divided by 10^(ranges - 1 - r) and clips at kClip.
struct GainRanges {
    std::vector<float> truth;
    std::vector<std::vector<float>> scans;
    std::vector<float> levels;

    GainRanges(std::vector<float> profile, int ranges) : truth(std::move(profile)) {
        for (int r = 0; r < ranges; ++r) {
            const float divisor = std::pow(10.0f, static_cast<float>(ranges - 1 - r));
            std::vector<float> scan;
            for (const float v : truth) scan.push_back(std::min(v / divisor, kClip));
            scans.push_back(std::move(scan));
            levels.push_back(kClip);
        }
    }

    bool Stitch(std::vector<float>& out) const {
        std::vector<const float*> pointers;
        for (const auto& s : scans) pointers.push_back(s.data());
        out.assign(truth.size(), -1.0f);
        return Quarn_StitchDataTogether(static_cast<uint16_t>(truth.size()),
                                        static_cast<uint16_t>(scans.size()), pointers.data(),
                                        levels.data(), out.data());
    }
};

// Gaussian peaks of height `height` at the given centres (in samples) over a small floor.
std::vector<float> Peaks(std::size_t n, std::vector<double> centres, double height, double width) {
    std::vector<float> profile(n);
    for (std::size_t i = 0; i < n; ++i) {
        double v = 40.0;
        for (const double c : centres) v += height * std::exp(-std::pow((i - c) / width, 2));
        profile[i] = static_cast<float>(v);
    }
    return profile;
}

// The stitched profile equals the true one, and away from the clipped runs (below 0.8 of the
// level) it is the highest range's own sample, untouched. Sample 0 always comes from range 0.
void ExpectRebuilt(const GainRanges& g) {
    std::vector<float> out;
    ASSERT_TRUE(g.Stitch(out));
    const std::vector<float>& top = g.scans.back();
    for (std::size_t i = 0; i < out.size(); ++i) {
        ASSERT_NEAR(out[i], g.truth[i], 2e-6f * g.truth[i]) << "sample " << i;
        if (i > 0 && top[i] < 0.8f * kClip) {
            ASSERT_EQ(out[i], top[i]) << "sample " << i;
        }
    }
}

TEST(StitchData, TwoRangesWithACentralClippedRunRebuildTheProfile) {
    const GainRanges g(Peaks(3241, {1620.0}, 400000.0, 150.0), 2);
    ASSERT_GT(std::count(g.scans[1].begin(), g.scans[1].end(), kClip), 100);
    ExpectRebuilt(g);

    // Everything above 0.9 of the clip level comes from the low range, as does sample 0.
    std::vector<float> out;
    ASSERT_TRUE(g.Stitch(out));
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (i == 0 || g.scans[1][i] > 0.9f * kClip) {
            ASSERT_EQ(out[i], g.scans[0][i] * 10.0f) << i;
        }
    }
}

TEST(StitchData, ThreeRangesAndSeveralRunsRebuildTheProfile) {
    ExpectRebuilt(GainRanges(Peaks(3241, {700.0, 2400.0}, 5.0e6, 120.0), 3));
}

// A dip that stays above 0.9 of the level between two clipped runs: the widened runs overlap.
TEST(StitchData, OverlappingWidenedRunsRebuildTheProfile) {
    std::vector<float> truth = Peaks(400, {200.0}, 200000.0, 60.0);
    for (std::size_t i = 196; i <= 204; ++i) truth[i] = 0.95f * kClip;
    ExpectRebuilt(GainRanges(truth, 2));
}

TEST(StitchData, RunsAtEitherEndStayInsideTheScan) {
    ExpectRebuilt(GainRanges(Peaks(500, {0.0}, 300000.0, 80.0), 2));
    ExpectRebuilt(GainRanges(Peaks(500, {499.0}, 300000.0, 80.0), 2));
    std::vector<float> rising = Peaks(500, {}, 0.0, 1.0);
    for (std::size_t i = 0; i < rising.size(); ++i) rising[i] += 1000.0f * i;
    ExpectRebuilt(GainRanges(rising, 2));  // clipped through the last sample
}

// Next to a run, a high-range sample more than 11 times the range below is not trusted even
// under 0.9 of the level: the widening runs over it and the lower range supplies it.
TEST(StitchData, NonLinearSampleNextToTheRunComesFromTheLowerRange) {
    GainRanges g(Peaks(400, {200.0}, 200000.0, 60.0), 2);
    std::size_t edge = 0;
    while (g.scans[1][edge + 1] <= 0.9f * kClip) ++edge;  // last sample before the near-clip zone
    g.scans[0][edge] = g.scans[1][edge] / 12.0f;
    std::vector<float> out;
    ASSERT_TRUE(g.Stitch(out));
    EXPECT_EQ(out[edge], 10.0f * g.scans[0][edge]);
    EXPECT_EQ(out[edge - 1], g.scans[1][edge - 1]);  // ratio 10 again: the widening stops
}

TEST(StitchData, SingleRangeIsCopied) {
    const GainRanges g(Peaks(100, {50.0}, 1.0e5, 10.0), 1);  // clips, but nothing to stitch
    std::vector<float> out;
    ASSERT_TRUE(g.Stitch(out));
    EXPECT_EQ(out, g.scans[0]);
}

TEST(StitchData, FailsWithoutAClippedRunOrClipLevelAndLeavesOutputAlone) {
    GainRanges unclipped(Peaks(100, {50.0}, 1000.0, 10.0), 2);
    std::vector<float> out;
    EXPECT_FALSE(unclipped.Stitch(out));
    EXPECT_EQ(out, std::vector<float>(100, -1.0f));

    GainRanges clipped(Peaks(100, {50.0}, 1.0e6, 10.0), 2);
    clipped.levels[1] = 0.0f;
    EXPECT_FALSE(clipped.Stitch(out));
    EXPECT_EQ(out, std::vector<float>(100, -1.0f));
}

}  // namespace
