// The table without its window: rows chosen by the settings in their order, the statistics of
// each mode against hand-computed values, the limit states, limits following their row
// through a rebuild, the copied text, and the metric rows: their place, a sample without a
// value, and their statistics and limits through the additional block.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "instrument/simulation/BeamModel.h"
#include "instrument/simulation/SweepSimulator.h"
#include "tests/support/TestStation.h"
#include "views/beamstats/BeamMetricKinds.h"
#include "views/beamstats/BeamStatistics.h"

namespace velor::test {
namespace {

BeamRowContext Perpendicular(bool on) {
    BeamRowContext c;
    c.perpendicular = on;
    c.phi[0] = 0.0f;
    c.phi[1] = 90.0f;
    return c;
}

// One 13.5 % width row (d = 1) showing every column, fed the values given in turn.
class OneRow : public ::testing::Test {
protected:
    void SetUp() override {
        settings.m_nWidthFlags = 0x01;
        settings.m_bModeField = 0;
        settings.m_nDisplayFlags = 0x7F;
    }
    void Start() {
        stats.RecreateWindows();
        stats.RebuildRows(Perpendicular(false));
    }
    void Sample(double v) {
        stats.TakeSample([v](const BeamRow&) { return v; }, nullptr);
    }
    QString Cell(int column) const { return stats.Cells().at(0).text[column]; }

    CBeamDataData settings;
    BeamRowArrays arrays;
    BeamStatistics stats{settings, arrays};
};

TEST_F(OneRow, ContinuousStatisticsOfTwoSamples) {
    Start();
    stats.Recompute([](const BeamRow&) { return 12.34; });
    EXPECT_EQ(Cell(kColValue), "12.3") << "before a sample the row shows the measurement";
    for (int column : {kColMean, kColMin, kColMax, kColStdDev}) EXPECT_EQ(Cell(column), "") << column;

    Sample(1.0);
    Sample(3.0);
    EXPECT_EQ(settings.m_nSamples, 2u);
    EXPECT_EQ(Cell(kColValue), "3.0");
    EXPECT_EQ(Cell(kColMean), "2.00");
    EXPECT_EQ(Cell(kColMin), "1.0");
    EXPECT_EQ(Cell(kColMax), "3.0");
    EXPECT_EQ(Cell(kColStdDev), "1.41") << "sqrt((10 - 16 / 2) / 1)";

    stats.Recompute([](const BeamRow&) { return 99.0; });
    EXPECT_EQ(Cell(kColValue), "3.0") << "recomputing takes no sample";
    stats.Reset();
    stats.Recompute([](const BeamRow&) { return 5.0; });
    EXPECT_EQ(settings.m_nSamples, 0u);
    EXPECT_EQ(Cell(kColValue), "5.0");
    EXPECT_EQ(Cell(kColMean), "");
}

TEST_F(OneRow, RollingWindowKeepsTheLastValues) {
    const struct {
        uint16_t size;
        std::vector<double> samples;
        uint32_t n;
        const char *mean, *min, *max, *stdDev;
    } cases[] = {
        {3, {1, 2, 3, 4}, 3, "3.00", "2.0", "4.0", "1.00"},
        {3, {1, 2}, 2, "1.50", "1.0", "2.0", "0.71"},
        {3, {5, 1, 1, 1, 9}, 3, "3.67", "1.0", "9.0", "4.62"},
        {1, {7, 2}, 1, "2.00", "2.0", "2.0", "0.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.size << ", " << c.samples.size() << " samples");
        settings.m_nStatMode = kStatRolling;
        settings.m_nRollingSize = c.size;
        Start();
        stats.Reset();
        for (double v : c.samples) Sample(v);
        EXPECT_EQ(settings.m_nSamples, c.n);
        EXPECT_EQ(Cell(kColValue), QString::number(c.samples.back(), 'f', 1));
        EXPECT_EQ(Cell(kColMean), c.mean);
        EXPECT_EQ(Cell(kColMin), c.min);
        EXPECT_EQ(Cell(kColMax), c.max);
        EXPECT_EQ(Cell(kColStdDev), c.stdDev);
    }
}

TEST_F(OneRow, LimitStates) {
    const struct {
        bool minSet;
        double minLimit;
        bool maxSet;
        double maxLimit;
        double value;
        int state;
        const char *minText, *maxText;
    } cases[] = {
        {false, 0, false, 0, 9.5, kNoLimits, "", ""},
        {true, 10, false, 0, 9.5, kBelowMinimum, "10.0", ""},
        {true, 10, true, 9, 9.5, kAboveMaximum, "10.0", "9.0"},
        {true, 9, true, 10, 9.5, kWithinLimits, "9.0", "10.0"},
        {false, 0, true, 9.5, 9.5, kWithinLimits, "", "9.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value << " min " << c.minLimit << " max " << c.maxLimit);
        Start();
        arrays.minLimitSet[0] = c.minSet;
        arrays.minLimit[0] = c.minLimit;
        arrays.maxLimitSet[0] = c.maxSet;
        arrays.maxLimit[0] = c.maxLimit;
        Sample(c.value);
        EXPECT_EQ(stats.Cells()[0].state, c.state);
        EXPECT_EQ(Cell(kColMinLimit), c.minText);
        EXPECT_EQ(Cell(kColMaxLimit), c.maxText);
    }
}

TEST(BeamRows, PerpendicularWidthAndRatioGiveThreeRows) {
    CBeamDataData s;
    s.m_nWidthFlags = 0x01;
    s.m_nRatioFlags = 0x01;
    s.m_bModeField = 0;
    const std::vector<BeamRow> rows = BuildBeamRows(s, Perpendicular(true));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, QString::fromUtf8("13.5% Angular Width at 0.0\u00B0 (deg)"));
    EXPECT_EQ(rows[1].name, QString::fromUtf8("13.5% Angular Width at 90.0\u00B0 (deg)"));
    EXPECT_EQ(rows[2].name, "Angle Ratio at 13.5 % Width");
    EXPECT_EQ(rows[1].axis, 1);
    EXPECT_EQ(rows[2].key, 32);
    EXPECT_EQ(rows[2].decimals, 2);
    EXPECT_EQ(BuildBeamRows(s, Perpendicular(false)).size(), 1u) << "no ratio with one axis";
}

TEST(BeamRows, EveryKindInTableOrderWithItsKeyDecimalsAndName) {
    CBeamDataData s;
    s.m_nWidthFlags = 0x75;
    s.m_nApertureFlags = 0x1F;
    s.m_nRatioFlags = 0x1F;
    s.m_bCentroid = s.m_bPeak = 1;
    s.m_nAmplitudeFlags = 0x0F;
    s.m_nUserClip = 800;
    s.m_nUserClip2 = 905;
    s.m_nUserAngle1 = -125;
    BeamRowContext c = Perpendicular(true);
    c.units = 2;
    c.powerUnit = QStringLiteral("mW");
    const std::vector<BeamRow> rows = BuildBeamRows(s, c);
    std::vector<int> keys;
    for (size_t i = 0; i < rows.size(); i += 1) keys.push_back(rows[i].key);
    const std::vector<int> expected{25, 25, 1, 1, 3, 3, 5, 5, 26, 26, 36, 36, 37, 37, 38, 38, 39, 39, 40, 40,
                                    31, 32, 33, 34, 35, 6, 6, 7, 7, 27, 27, 28, 28, 29, 29, 30, 30, 41, 41};
    EXPECT_EQ(keys, expected);
    const auto named = [&](int key) {
        for (const BeamRow& r : rows) {
            if (r.key == key) return r;
        }
        return BeamRow{};
    };
    EXPECT_EQ(named(26).name, QString::fromUtf8("90.5% Angular Width at 0.0\u00B0 (deg)"));
    EXPECT_EQ(named(39).name, QString::fromUtf8("80.0% Numerical Aperture at 0.0\u00B0"));
    EXPECT_EQ(named(39).decimals, 3);
    EXPECT_EQ(named(6).name, QString::fromUtf8("Angular Centroid at 0.0\u00B0 (deg)"));
    EXPECT_EQ(named(27).name, QString::fromUtf8("Centroid Amplitude at 0.0\u00B0 (mW/sr)"));
    EXPECT_EQ(named(27).decimals, 3);
    EXPECT_EQ(named(29).name, QString::fromUtf8("Amplitude for Theta = -12.5\u00B0 at 0.0\u00B0 (mW/sr)"));
    EXPECT_FLOAT_EQ(named(29).angle, -12.5f);
    EXPECT_EQ(named(41).name, QString::fromUtf8("Mode-Field Diameter at 0.0\u00B0 (\u00B5m)"));
    c.units = 1;
    EXPECT_EQ(BuildBeamRows(s, c)[29].name, QString::fromUtf8("Centroid Amplitude at 0.0\u00B0  (cnts)"));
    EXPECT_EQ(BuildBeamRows(s, c)[29].decimals, 0);
}

TEST(BeamRows, LimitsFollowTheirParameterThroughARebuild) {
    CBeamDataData s;
    s.m_nWidthFlags = 0x01;  // 13.5 % width
    s.m_bModeField = 1;
    BeamRowArrays a;
    BeamStatistics stats(s, a);
    stats.RebuildRows(Perpendicular(false));  // width, MFD
    a.minLimitSet[0] = 1;
    a.minLimit[0] = 11.0;
    a.maxLimitSet[1] = 1;
    a.maxLimit[1] = 9.5;

    s.m_nWidthFlags = 0x41;  // a 5 % width row comes first now
    stats.RebuildRows(Perpendicular(true));
    // 5 % axis 0, 5 % axis 1, 13.5 % axis 0, 13.5 % axis 1, MFD axis 0, MFD axis 1.
    ASSERT_EQ(stats.Rows().size(), 6u);
    EXPECT_EQ(std::vector<uint32_t>(a.minLimitSet.begin(), a.minLimitSet.begin() + 6),
              (std::vector<uint32_t>{0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(a.minLimit[2], 11.0);
    EXPECT_EQ(std::vector<uint32_t>(a.maxLimitSet.begin(), a.maxLimitSet.begin() + 6),
              (std::vector<uint32_t>{0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(a.maxLimit[4], 9.5);

    s.m_nWidthFlags = 0x40;
    stats.RebuildRows(Perpendicular(false));
    EXPECT_EQ(a.minLimitSet[0] + a.minLimitSet[1] + a.minLimitSet[2], 0u) << "a row that went takes its limits";
    EXPECT_EQ(a.maxLimitSet[1], 1u) << "the mode-field diameter keeps its own";
}

TEST_F(OneRow, CopyHoldsEveryRowAndShownColumn) {
    settings.m_nDisplayFlags = 0x03;  // Value, Mean
    settings.m_bModeField = 1;
    Start();
    Sample(2.0);
    const QString expected = QString::fromUtf8(
        "13.5% Angular Width at 0.0\u00B0 (deg)\r\nValue:2.0\r\nMean:2.00\r\n"
        "Mode-Field Diameter at 0.0\u00B0 (\u00B5m)\r\nValue:2.00\r\nMean:2.000\r\n");
    EXPECT_EQ(stats.CopyText(), expected);
}

// Bits of the metric kinds used below.
constexpr uint32_t kFitWidthBit = 0x004;
constexpr uint32_t kEllipticityBit = 0x080;

TEST(BeamRows, MetricRowsFollowTheClassicOnesPerAxisOrOnceForThe3DData) {
    CBeamDataData s;  // the mode-field diameter
    // A bit of a newer program's kind is passed over.
    const std::vector<BeamRow> rows = BuildBeamRows(s, Perpendicular(true), kFitWidthBit | kEllipticityBit | 0x40000000u);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[3].name, QString::fromUtf8("Gaussian Fit Width at 90.0\u00B0 (deg)"));
    EXPECT_EQ(rows[3].axis, 1);
    EXPECT_EQ(rows[4].name, "Ellipticity");
    EXPECT_EQ(rows[4].decimals, 3);
    EXPECT_EQ(rows[4].metric->key, 49);
}

TEST(BeamRows, TheEffectiveAreaRowIsEachAxisAreaOfTheDocument) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    const double w0[2] = {4.6, 3.0};  // µm, Gaussian modes: Aeff = π w0²
    std::vector<float> profiles[2];
    for (int axis = 0; axis < 2; ++axis) {
        profiles[axis] = sim::IdealProfile(*sim::MakeGaussianFiber(1310.0, 2.0 * w0[axis]), 0.0,
                                           doc->m_fDistance, 60000.0);
    }
    doc->StoreProfiles(profiles[0], profiles[1]);
    CBeamDataData s;
    s.m_bModeField = 0;
    const std::vector<BeamRow> rows = BuildBeamRows(s, Perpendicular(true), 0x200);
    ASSERT_EQ(rows.size(), 2u);
    for (int axis = 0; axis < 2; ++axis) {
        EXPECT_EQ(rows[axis].name, QString::asprintf("Effective Area at %.1f\u00B0 (\u00B5m\u00B2)", 90.0 * axis));
        EXPECT_EQ(rows[axis].axis, axis);
        const double area = BeamRowValue(rows[axis], *doc);
        EXPECT_EQ(area, double{doc->GetEffectiveArea(axis)});
        EXPECT_NEAR(area, std::numbers::pi * w0[axis] * w0[axis], 2e-3 * area);
    }
}

// The Gaussian fit width of one axis, every column shown.
class MetricRow : public OneRow {
protected:
    void SetUp() override {
        settings.m_bModeField = 0;
        settings.m_nDisplayFlags = 0x7F;
    }
    uint32_t kinds = kFitWidthBit;
    BeamStatistics metric{settings, arrays, &kinds};
    QString MetricCell(int column) const { return metric.Cells().at(0).text[column]; }
    void Take(double v) { metric.TakeSample([v](const BeamRow&) { return v; }, nullptr); }
};

TEST_F(MetricRow, ASampleWithoutAFitShowsSoAndLeavesTheStatistics) {
    metric.RebuildRows(Perpendicular(false));
    metric.Recompute([](const BeamRow&) { return std::numeric_limits<double>::quiet_NaN(); });
    EXPECT_EQ(MetricCell(kColValue), "no fit") << "before a sample";
    Take(10.0);
    Take(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(MetricCell(kColValue), "no fit");
    EXPECT_EQ(MetricCell(kColMean), "10.000") << "the sample without a value is left out";
    Take(14.0);
    EXPECT_EQ(settings.m_nSamples, 3u);
    EXPECT_EQ(arrays.count[0], 2u);
    EXPECT_EQ(MetricCell(kColValue), "14.00");
    EXPECT_EQ(MetricCell(kColMean), "12.000");
    EXPECT_EQ(MetricCell(kColMin), "10.00");
    EXPECT_EQ(MetricCell(kColStdDev), "2.828");
}

TEST(MetricBlock, StatisticsAndLimitsFollowTheirKindIntoOtherRows) {
    CBeamDataData s;
    s.m_nWidthFlags = 0x01;
    s.m_bModeField = 0;
    uint32_t kinds = kFitWidthBit | kEllipticityBit;
    BeamRowArrays a;
    BeamStatistics saved(s, a, &kinds);
    saved.RebuildRows(Perpendicular(true));  // width ×2, fit width ×2, ellipticity
    double next = 1.0;
    for (int i = 0; i < 2; ++i) saved.TakeSample([&next](const BeamRow&) { return next++; }, nullptr);
    a.maxLimitSet[4] = 1;
    a.maxLimit[4] = 0.5;
    const CBeamMetricData block = saved.MetricData(kinds);
    ASSERT_EQ(block.m_nRowCount, 3u);
    EXPECT_EQ(std::vector<uint32_t>(block.m_nKey, block.m_nKey + 3), (std::vector<uint32_t>{44, 44, 49}));

    // Loaded into a table of one axis without the width rows: the fit width takes the first
    // entry of its kind, the ellipticity its own; the classic rows count N.
    CBeamDataData single = s;
    single.m_nWidthFlags = 0;
    single.m_bModeField = 1;
    BeamRowArrays b;
    BeamStatistics loaded(single, b, &kinds);
    loaded.BuildRows(Perpendicular(false));  // MFD, fit width, ellipticity
    loaded.PlaceMetricData(block);
    EXPECT_EQ(b.sum[1], 3.0 + 8.0) << "the samples of the first fit-width row, 3 and 8";
    EXPECT_EQ(b.count[1], 2u);
    EXPECT_EQ(b.maxLimitSet[2], 1u);
    EXPECT_EQ(b.maxLimit[2], 0.5);
    EXPECT_EQ(b.count[0], single.m_nSamples);
}

}  // namespace
}  // namespace velor::test
