// The near field and effective area of a measurement against analytic Gaussian modes through
// the whole path of a measurement file, each way the chain can fail, and the library's shared
// slots under threads. (Step-index fibers over gain ranges: the vnqtool tests.)

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <atomic>
#include <thread>

#include "document/analysis/NearFieldChain.h"
#include "instrument/simulation/BeamModel.h"
#include "instrument/simulation/SweepSimulator.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr float kUserDistanceCm = 2.0f;
constexpr double kPeakCounts = 60000.0;

std::vector<float> GaussianProfile(double w0Um, double lambdaNm) {
    return sim::IdealProfile(*sim::MakeGaussianFiber(lambdaNm, 2.0 * w0Um), 0.0, kUserDistanceCm + kApertureOffset,
                             kPeakCounts);
}

// The near field at radius r, its logarithm interpolated between the samples around r.
double NearFieldAt(const NearField& field, double r) {
    const double k = r / field.stepUm;
    const size_t i = static_cast<size_t>(k);
    const double t = k - static_cast<double>(i);
    return std::exp((1.0 - t) * std::log(field.intensity.at(i)) + t * std::log(field.intensity.at(i + 1)));
}

TEST(NearField, GaussianModesThroughAMeasurementFileGiveTheirAreaAndNearField) {
    struct Case {
        double lambdaNm;
        double w0[2];  // axis 0 and axis 1
    };
    for (const Case c : {Case{1310.0, {4.6, 2.0}}, Case{1550.0, {5.2, 8.0}}}) {
        TestStation station;
        CVelor32Doc* doc = station.NewDocument();
        doc->SetApertureSourceDistance(kUserDistanceCm);
        doc->SetWavelength(static_cast<float>(c.lambdaNm));
        doc->StoreProfiles(GaussianProfile(c.w0[0], c.lambdaNm), GaussianProfile(c.w0[1], c.lambdaNm));
        station.AddNote("gaussian");
        const QString path = station.Path(QStringLiteral("g.vnq"));
        ASSERT_TRUE(station.file.SaveDataFile(path));
        doc = station.file.LoadDataFile(path);
        ASSERT_NE(doc, nullptr);

        for (int axis = 0; axis < 2; ++axis) {
            const double w0 = c.w0[axis];
            SCOPED_TRACE(testing::Message() << c.lambdaNm << " nm, w0 " << w0);
            const NearField& field = doc->GetNearField(axis);
            ASSERT_TRUE(field.valid) << field.reason.toStdString();
            EXPECT_NEAR(doc->GetEffectiveArea(axis), kPi * w0 * w0, 1e-3 * kPi * w0 * w0);
            // The mode's own near field exp(−2 r² / w0²) is e⁻² at its 1/e² radius w0.
            EXPECT_NEAR(NearFieldAt(field, w0), std::exp(-2.0), 0.005 * std::exp(-2.0));
            EXPECT_NEAR(NearFieldAt(field, 0.5 * w0), std::exp(-0.5), 0.005 * std::exp(-0.5));
            EXPECT_LT(field.intensity.back(), 1e-4f) << "it runs to 40 dB down";
            // No side lobe to sign: the note says what the 35.7 dB above the floor may hide.
            EXPECT_EQ(field.signChanges, 0);
            EXPECT_TRUE(doc->GetEffectiveAreaNote(axis).contains(QStringLiteral("dynamic range 35.7 dB")))
                << doc->GetEffectiveAreaNote(axis).toStdString();
        }
    }
}

TEST(NearField, FollowsTheProfileAndTheWavelength) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    doc->SetApertureSourceDistance(kUserDistanceCm);
    EXPECT_EQ(doc->GetEffectiveArea(0), 0.0f) << "no measurement yet";
    doc->StoreProfiles(GaussianProfile(4.6, 1310.0), {});
    const float at1310 = doc->GetEffectiveArea(0);
    // The same far field seen at a longer wavelength comes from a near field larger by λ.
    doc->SetWavelength(1550.0f);
    EXPECT_NEAR(doc->GetEffectiveArea(0) / at1310, std::pow(1550.0 / 1310.0, 2), 1e-3);
    doc->SetWavelength(1310.0f);
    doc->StoreProfiles(GaussianProfile(3.0, 1310.0), {});
    EXPECT_NEAR(doc->GetEffectiveArea(0), kPi * 9.0, kPi * 9.0 * 1e-3);
    EXPECT_EQ(doc->GetEffectiveArea(), doc->GetEffectiveArea(0)) << "the selected axis, for automation";
}

// A far field in which each step of the chain in turn has nothing to work on.
TEST(NearField, EachFailingStepGivesZeroAndItsReason) {
    const std::vector<float> gaussian = GaussianProfile(4.6, 1310.0);
    std::vector<float> withNaN = gaussian;
    withNaN[1700] = std::nanf("");
    std::vector<float> peakAtTheEnd(kSamplesPerProfile, 0.0f);
    for (int i = 3000; i < kSamplesPerProfile; ++i) peakAtTheEnd[i] = 100.0f * (i - 2999);
    struct Case {
        const char* what;
        std::vector<float> profile;
        const char* reason;
    };
    const Case cases[] = {
        {"dark", std::vector<float>(kSamplesPerProfile, 0.0f), "no sample at or above the noise floor"},
        {"below the floor", std::vector<float>(kSamplesPerProfile, 15.0f), "no sample at or above the noise floor"},
        {"one sample", {60000.0f}, "a single sample holds no near field"},
        {"a NaN", withNaN, "the profile holds a value that is not a number"},
        {"peak on the last sample", peakAtTheEnd, "the peak lies at the edge of the scan: nothing to fold it onto"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestStation station;
        CVelor32Doc* doc = station.NewDocument();
        doc->StoreProfiles(c.profile, {});
        EXPECT_EQ(doc->GetEffectiveArea(0), 0.0f);
        EXPECT_EQ(doc->GetEffectiveAreaNote(0).toStdString(), c.reason);
        EXPECT_TRUE(doc->GetNearField(0).intensity.empty());
    }

    // A radial step far below the near field's size: the bound stops the chain long before
    // the library's 65535 radii.
    const std::vector<float> grid = [] {
        TestStation station;
        CVelor32Doc* doc = station.NewDocument();
        doc->SetApertureSourceDistance(kUserDistanceCm);
        return std::vector<float>(doc->GetAngleGrid(), doc->GetAngleGrid() + kSamplesPerProfile);
    }();
    FarFieldScan scan{gaussian, grid, 0, kSamplesPerProfile - 1, 16.0f, 1310.0f, 0.01f};
    const NearField unreached = ComputeNearField(scan);
    EXPECT_FALSE(unreached.valid);
    EXPECT_EQ(unreached.reason.toStdString(), "the near field does not fall 40 dB below its peak within 0.41 µm");
}

// vnqtool reads files on several threads: each chain holds the library alone, so every
// thread gets what one thread alone gets.
TEST(NearField, ThreadsShareTheLibrarysSlotsSafely) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    doc->SetApertureSourceDistance(kUserDistanceCm);
    const std::vector<float> grid(doc->GetAngleGrid(), doc->GetAngleGrid() + kSamplesPerProfile);
    const auto chain = [&](double w0) {
        const std::vector<float> profile = GaussianProfile(w0, 1310.0);
        return ComputeNearField({profile, grid, 0, kSamplesPerProfile - 1, 16.0f, 1310.0f, static_cast<float>(2 * w0)});
    };
    const double widths[] = {2.0, 3.0, 4.6, 8.0};
    std::vector<NearField> alone;
    for (const double w0 : widths) alone.push_back(chain(w0));
    std::atomic<int> differ{0};
    std::vector<std::thread> threads;
    for (size_t t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 20; ++round) differ += chain(widths[t % 4]).intensity != alone[t % 4].intensity;
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(differ, 0);
}

}  // namespace
}  // namespace velor::test
