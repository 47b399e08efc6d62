// The time statistics view's numbers without a window: the capacity a timing asks for, the X
// scale, the running statistics against hand-computed values, the data sets the chart draws,
// the automatic scaling of both axes, the statistics table and the series names.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "tests/support/TestStation.h"
#include "views/timestats/TimeStatData.h"
#include "views/timestats/TimeStatModel.h"
#include "views/timestats/TimeStatRecord.h"
#include "views/timestats/TimeStatScaling.h"
#include "views/timestats/TimeStatTable.h"
#include "views/timestats/TimeStatUnits.h"
#include "views/timestats/TimeStatVariables.h"

namespace velor::test {
namespace {

TimeStatModel ModelOf(const std::vector<std::vector<double>>& series, int capacity = 100) {
    TimeStatModel model;
    model.Recreate(capacity, static_cast<int>(series.size()));
    for (size_t i = 0; i < series[0].size(); ++i) {
        std::vector<std::optional<double>> point;
        for (const auto& values : series) point.push_back(std::isnan(values[i]) ? std::nullopt : std::optional(values[i]));
        model.AddPoint(point);
    }
    return model;
}

TEST(TimeStatUnits, CapacityFollowsRateAndDurationWithinItsLimits) {
    const struct {
        uint16_t rate, rateUnit, duration, durationUnit;
        std::optional<int> capacity;
    } cases[] = {
        {10, kUnitSeconds, 1000, kUnitPoints, 1000},   // the defaults
        {2, kUnitSeconds, 10, kUnitMinutes, 1200},
        {1, kUnitMinutes, 3, kUnitHours, 180},
        {10, kUnitSeconds, 4, kUnitPoints, 5},         // raised to the fewest a run holds
        {1, kUnitHours, 10, kUnitSeconds, 5},          // no whole point at all
        {10, kUnitSeconds, 3000, kUnitSeconds, 30000},
        {10, kUnitSeconds, 3001, kUnitSeconds, std::nullopt},
    };
    for (const auto& c : cases) {
        CTimeStatData r;
        r.m_nRate = c.rate;
        r.m_nRateUnit = c.rateUnit;
        r.m_nDuration = c.duration;
        r.m_nDurationUnit = c.durationUnit;
        EXPECT_EQ(CapacityFor(DurationPoints(r)), c.capacity) << c.rate << "/" << c.rateUnit << " for " << c.duration;
    }
}

TEST(TimeStatUnits, CollectionPeriodAndXScale) {
    CTimeStatData r;
    EXPECT_EQ(CollectionPeriodMs(r), 100);
    r.m_nRate = 7;
    r.m_nRateUnit = kUnitMinutes;
    EXPECT_EQ(CollectionPeriodMs(r), 8571) << "integer division";
    // Defaults: points numbered from 1.
    EXPECT_EQ(XScaleOf(CTimeStatData{}).At(0), 1.0);
    EXPECT_EQ(XScaleOf(CTimeStatData{}).At(9), 10.0);
    // 90 an hour is a point every 40 s: two thirds of a minute, not the rounded half.
    r.m_nRate = 90;
    r.m_nRateUnit = kUnitHours;
    r.m_nXUnit = kUnitMinutes;
    EXPECT_EQ(XScaleOf(r).At(0), 0.0);
    EXPECT_NEAR(XScaleOf(r).At(3), 2.0, 1e-12);
}

TEST(TimeStatModel, StatisticsMatchHandComputedValues) {
    // Mean 5, sample variance 32 / 7.
    const TimeStatModel model = ModelOf({{2, 4, 4, 4, 5, 5, 7, 9}, {1.5, NAN, 2.5, NAN, NAN, NAN, NAN, NAN}});
    EXPECT_EQ(model.Count(), 8);
    const SeriesStats& a = model.Stats(0);
    EXPECT_DOUBLE_EQ(a.Mean(), 5.0);
    EXPECT_DOUBLE_EQ(a.Sigma(), std::sqrt(32.0 / 7.0));
    EXPECT_EQ(a.min, 2.0);
    EXPECT_EQ(a.max, 9.0);
    EXPECT_DOUBLE_EQ(model.LineValue(0, StatLine::Minus2Sigma), 5.0 - 2.0 * std::sqrt(32.0 / 7.0));
    // Holes take no part: two values, mean 2, σ √0.5; the line breaks at them.
    EXPECT_EQ(model.Stats(1).n, 2);
    EXPECT_DOUBLE_EQ(model.Stats(1).Mean(), 2.0);
    EXPECT_DOUBLE_EQ(model.Stats(1).Sigma(), std::sqrt(0.5));
    EXPECT_TRUE(std::isnan(model.Value(1, 1)));

    const TimeStatModel one = ModelOf({{12.5}});
    EXPECT_EQ(one.Stats(0).Mean(), 12.5);
    EXPECT_EQ(one.Stats(0).Sigma(), 0.0);
    // A point no series could give is not counted; a full run takes no more.
    TimeStatModel none = ModelOf({{NAN, NAN}}, 2);
    EXPECT_EQ(none.Count(), 0);
    const std::optional<double> value = 1.0;
    EXPECT_TRUE(none.AddPoint({value}));
    EXPECT_TRUE(none.AddPoint({value}));
    EXPECT_FALSE(none.AddPoint({value}));
    EXPECT_EQ(none.Count(), 2);
}

TEST(TimeStatModel, DataSetsAreTheSeriesThenEachSeriesLines) {
    const struct {
        int series;
        uint32_t lines;
        size_t sets;
    } cases[] = {
        {2, 0, 2}, {2, kMeanLine, 4}, {2, kMeanLine | kSigmaLines, 12}, {2, 15, 16}, {1, kMinLine | kMaxLine, 3},
    };
    for (const auto& c : cases) EXPECT_EQ(DataSetsFor(c.series, c.lines).size(), c.sets) << c.lines;
    const std::vector<DataSet> sets = DataSetsFor(2, kMaxLine | kSigmaLines);
    const std::vector<std::pair<int, StatLine>> expected{
        {0, StatLine::None},      {1, StatLine::None},       {0, StatLine::Max},
        {0, StatLine::PlusSigma}, {0, StatLine::Plus2Sigma}, {0, StatLine::MinusSigma},
        {0, StatLine::Minus2Sigma}, {1, StatLine::Max},      {1, StatLine::PlusSigma},
        {1, StatLine::Plus2Sigma}, {1, StatLine::MinusSigma}, {1, StatLine::Minus2Sigma}};
    ASSERT_EQ(sets.size(), expected.size());
    for (size_t i = 0; i < sets.size(); ++i) {
        EXPECT_EQ(sets[i].series, expected[i].first) << i;
        EXPECT_EQ(sets[i].line, expected[i].second) << i;
    }
}

TEST(TimeStatScaling, YAxisFollowsTheValuesOnDuePoints) {
    const struct {
        const char* what;
        std::vector<double> values;
        uint32_t lines;
        float yMin, yMax;
        bool rescaled;
        float newMin, newMax;
    } cases[] = {
        {"two points of a width", {10.0, 10.2}, 0, 0.0f, 1.0f, true, 9.9f, 10.3f},
        {"three points: not looked at", {10.0, 10.2, 10.1}, 0, 0.0f, 1.0f, false, 0.0f, 1.0f},
        {"inside and filling half", {10.0, 10.25, 10.1, 10.1}, 0, 9.9f, 10.3f, false, 9.9f, 10.3f},
        {"the mean line widens to 2 sigma", {10.0, 10.2}, kMeanLine, 0.0f, 1.0f, true, 9.7f, 10.5f},
        {"equal values keep a step each side", {10.0, 10.0}, 0, 0.0f, 1.0f, true, 9.9f, 10.1f},
        {"the tenth point", {1, 1, 1, 1, 1, 1, 1, 1, 1, 3}, 0, 0.0f, 100.0f, true, 0.6f, 3.4f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CTimeStatData r;
        r.m_nStatLines = c.lines;
        r.m_fYMin = c.yMin;
        r.m_fYMax = c.yMax;
        EXPECT_EQ(AutoScaleY(r, ModelOf({c.values})), c.rescaled);
        EXPECT_NEAR(r.m_fYMin, c.newMin, 1e-5);
        EXPECT_NEAR(r.m_fYMax, c.newMax, 1e-5);
    }
    CTimeStatData fixed;
    fixed.m_bAutoY = 0;
    EXPECT_FALSE(AutoScaleY(fixed, ModelOf({{10.0, 10.2}})));
    EXPECT_FALSE(IsYScaleDue(1));
    EXPECT_FALSE(IsYScaleDue(15));
    EXPECT_TRUE(IsYScaleDue(8));
}

TEST(TimeStatScaling, XAxisGrowsByHalfAndIsShownInWholePoints) {
    CTimeStatData r;
    ResetXAxis(r);
    NormaliseXAxis(r);
    EXPECT_EQ(r.m_fXMin, 1.0f) << "points are numbered from 1";
    EXPECT_EQ(r.m_fXMax, 10.0f);
    EXPECT_FALSE(AutoScaleX(r, 10));
    EXPECT_TRUE(AutoScaleX(r, 11));
    EXPECT_EQ(r.m_fXMax, 15.0f);
    r.m_fXMax = 29999.0f;
    EXPECT_TRUE(AutoScaleX(r, 30000));
    EXPECT_EQ(r.m_fXMax, 30000.0f) << "cut back from 44998.5";

    // Seconds at 2 a second: ten points are 5 s; the axis lands on whole points.
    CTimeStatData t;
    t.m_nRate = 2;
    t.m_nXUnit = kUnitSeconds;
    ResetXAxis(t);
    EXPECT_EQ(t.m_fXMax, 5.0f);
    t.m_fXMin = 0.2f;
    t.m_fXMax = 5.3f;
    NormaliseXAxis(t);
    EXPECT_EQ(t.m_fXMin, 0.0f);
    EXPECT_EQ(t.m_fXMax, 5.5f);
    EXPECT_TRUE(AutoScaleX(t, 12));
    EXPECT_EQ(t.m_fXMax, 8.25f);
    t.m_fXMax = 1.0f;
    EXPECT_TRUE(AutoScaleX(t, 3));
    EXPECT_EQ(t.m_fXMax, 2.0f) << "at least one unit more";
}

TEST(TimeStatTable, HeaderAndOneLinePerSeriesInTheVariablesFormat) {
    CTimeStatData r;
    std::snprintf(r.m_szName[0], sizeof r.m_szName[0], "5.0%% Angular Width at 0.0\xB0 (deg)");
    std::snprintf(r.m_szName[1], sizeof r.m_szName[1], "short");
    const QStringList table = StatisticsTable(r, ModelOf({{12.344}, {1.0}}));
    ASSERT_EQ(table.size(), 3);
    EXPECT_EQ(table[0], "    Variable                      Mean       Min         Max         StdDev     ");
    EXPECT_EQ(table[1], "5.0% Angular Width at  12.34  12.34  12.34      0.0000");
    EXPECT_EQ(table[2], "short                  1.00  1.00  1.00      0.0000");

    r.m_nVariable = kModeFieldDiameter;
    const QStringList mfd = StatisticsTable(r, ModelOf({{9.0, 11.0}}));
    ASSERT_EQ(mfd.size(), 2);
    EXPECT_TRUE(mfd[1].endsWith("      10.00       9.00      11.00      1.4142")) << mfd[1].toStdString();
}

TEST(TimeStatVariables, SeriesNamesOfEveryVariable) {
    const struct {
        uint16_t variable;
        int32_t ref;
        uint16_t units;
        const char* name;
    } cases[] = {
        {kAngularWidth, 1, 0, "13.5% Angular Width at 90.0\u00B0 (deg)"},
        {kAngularCentroid, 1, 0, "Angular Centroid at 90.0\u00B0 (deg)"},
        {kAngularPeak, 1, 0, "Angular Peak at 90.0\u00B0 (deg)"},
        {kAngleRatio, 1, 0, "Angle Ratio at 13.5 % Width"},
        {kAmplitude, 0, 0, "Centroid Amplitude at 90.0\u00B0 (a.u.)"},
        {kAmplitude, 1, 1, "Peak Amplitude at 90.0\u00B0  (cnts)"},
        {kAmplitude, 2, 2, "Amplitude for Theta = -2.5\u00B0 at 90.0\u00B0 (mW/sr)"},
        {kAmplitude, 1, 7, "Peak Amplitude at 90.0\u00B0 (dB)"},
        {kModeFieldDiameter, 1, 0, "Mode-Field Diameter at 90.0\u00B0 (\u00B5m)"},
        {kNumericalAperture, 1, 0, "13.5% Numerical Aperture at 90.0\u00B0"},
        {kSecondMomentWidth, 1, 0, "Second-Moment Width at 90.0\u00B0 (deg)"},
        {kSecondMomentNA, 1, 0, "Second-Moment NA at 90.0\u00B0"},
        {kFitWidth, 1, 0, "Gaussian Fit Width at 90.0\u00B0 (deg)"},
        {kFitCenter, 1, 0, "Gaussian Fit Center at 90.0\u00B0 (deg)"},
        {kFitQuality, 1, 0, "Gaussian Fit R\u00B2 at 90.0\u00B0"},
    };
    for (const auto& c : cases) {
        const QString name = SeriesName({c.variable, 135, c.ref, -25, 90.0f, c.units, QStringLiteral("mW")});
        EXPECT_EQ(name, QString::fromUtf8(c.name));
        EXPECT_EQ(QString::fromLatin1(name.toLatin1()), name) << "kept whole in the record's 8-bit text";
    }
    EXPECT_FALSE(IsVariableOffered(kAngleRatio, {false, true}));
    EXPECT_TRUE(IsVariableOffered(kAngleRatio, {true, true}));
    EXPECT_FALSE(IsVariableOffered(kModeFieldDiameter, {true, false}));
}

TEST(TimeStatVariables, ABeamMetricKeepsAClassicStandInWhereOlderReadersLook) {
    const struct {
        uint16_t code, variable, metric;
    } cases[] = {
        {kAmplitude, kAmplitude, 0},
        {kFitCenter, kAngularCentroid, kFitCenter},
        {kFitQuality, kNumericalAperture, kFitQuality},
        {99, kAngularWidth, 0},  // no such variable: Angular Width
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        CTimeStatData r;
        SetRecordVariable(r, kFitWidth);
        SetRecordVariable(r, c.code);
        EXPECT_EQ(r.m_nVariable, c.variable);
        EXPECT_EQ(r.m_nMetricVariable, c.metric);
        EXPECT_EQ(RecordVariable(r), c.metric ? c.metric : c.variable);
        EXPECT_TRUE(IsValidTimeStatRecord(r));
    }
}

TEST(TimeStatVariables, AProfileWithoutAFitAddsNoFitPoint) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    CTimeStatData width;
    SetRecordVariable(width, kSecondMomentWidth);
    CTimeStatData fit;
    SetRecordVariable(fit, kFitWidth);
    std::vector<float> beam(3241);
    for (int i = 0; i < 3241; ++i) beam[i] = static_cast<float>(30000.0 * std::exp(-std::pow((i - 1620) / 200.0, 2)));
    doc->StoreProfiles(beam, {});
    EXPECT_EQ(PointValue(*doc, fit, 0), std::optional<double>(doc->GetProfileMetrics(0).fitWidth));
    EXPECT_EQ(PointValue(*doc, width, 0), std::optional<double>(doc->GetProfileMetrics(0).secondMomentWidth));
    doc->StoreProfiles(std::vector<float>(3241, 0.0f), {});
    EXPECT_EQ(PointValue(*doc, fit, 0), std::nullopt);
    EXPECT_EQ(PointValue(*doc, width, 0), std::optional<double>(0.0)) << "a width that cannot be taken is 0";
}

}  // namespace
}  // namespace velor::test
