// The power chart's display list: what shows without a calibration, the full scale and the
// reference level, the curve's points about either axis, the angle grid and the panel.

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "tests/views/chart/ChartFixture.h"
#include "tests/views/chart/TextCheck.h"
#include "tests/views/power/PowerCurves.h"
#include "views/chart/DisplayListView.h"
#include "views/power/PowerChart.h"
#include "views/power/PowerData.h"

namespace velor::test {
namespace {

class PowerChart : public ::testing::Test {
protected:
    PowerChart() {
        layout = PowerLayout::Specified(QSize(800, 500), 60,
                                        18);  // box 60…560 × 18…482, panel lines of 40
        settings.m_fCalCounts = 1.0f;
        settings.m_fRefPower = 1.0f;
    }
    DisplayList Render(const CurveCase& c, std::optional<PowerResults>* results = nullptr) {
        snapshot.curve = c.Curve();
        return RenderPowerChart(settings, snapshot, layout, results);
    }
    // The text drawn at an anchor, or an empty string.
    static QString TextAt(const DisplayList& list, QPoint at, const QString& text) {
        for (const DrawText& t : list.All<DrawText>()) {
            if (t.anchor == at && t.text == text) return t.text;
        }
        return QString();
    }

    PowerLayout layout;
    CPowerData settings;
    PowerSnapshot snapshot{{}, 1.25f, 33.5f};
};

TEST_F(PowerChart, WithoutACalibrationOnlyTheFrameTheGridAndTheTitlesAppear) {
    settings.m_fCalCounts = 0.0f;
    settings.m_nAxisMode = 0;
    std::optional<PowerResults> results;
    const DisplayList list = Render(CurveCase::Centroid(Squares(901)), &results);
    EXPECT_FALSE(results);
    EXPECT_TRUE(list.All<DrawPolyline>().empty());
    for (const DrawLine& line : list.All<DrawLine>()) EXPECT_EQ(line.pen, PenRole::Grid);
    EXPECT_EQ(list.All<DrawLine>().size(), 4u + 9u + 3u) << "frame, angle lines up to 80°, quarter lines";
    std::vector<QString> expected;
    for (int t = 0; t < 90; t += 10) expected.push_back(QString::number(t) + QChar(0x00B0));
    expected.push_back(QStringLiteral("Power in cones around centroid (mW)"));
    expected.push_back(QStringLiteral("Theta '"));
    EXPECT_EQ(Texts(list), expected);
}

TEST_F(PowerChart, FullScaleOf3Point7IsFourWithQuarterLabelsAndTheReferenceLevel) {
    // Ytop = 1.15 · max(E, C) · Pref / C = 3.7
    const DisplayList list = Render(CurveCase::Centroid({0.0f, 1.0f, static_cast<float>(3.7 / 1.15)}));
    const int l = 60, t = 18, h = 464;
    EXPECT_FALSE(TextAt(list, {l, t}, "4.000").isEmpty());
    EXPECT_FALSE(TextAt(list, {l, t + h / 4}, "3.000").isEmpty());
    EXPECT_FALSE(TextAt(list, {l, t + h / 2}, "2.000").isEmpty());
    EXPECT_FALSE(TextAt(list, {l, t + 3 * h / 4}, "1.000").isEmpty());
    std::vector<DrawLine> dotted;
    for (const DrawLine& line : list.All<DrawLine>()) {
        if (line.pen == PenRole::GridDotted) dotted.push_back(line);
    }
    ASSERT_EQ(dotted.size(), 1u);
    const int y = static_cast<int>(482 - h * 1.0 / 4.0);
    EXPECT_EQ(dotted[0].from, QPoint(l, y)) << "the reference power, 1 of 4";
    EXPECT_EQ(dotted[0].to, QPoint(560, y));
}

TEST_F(PowerChart, CurveRunsFromTheCornerThroughEverySample) {
    const struct {
        const char* what;
        CurveCase c;
        int midIndex;
        int midX;
    } cases[] = {
        // 901 samples over 500 pixels, placed in integer arithmetic.
        {"centroid", CurveCase::Centroid(Squares(901)), 450, 60 + 450 * 500 / 900},
        // On the grid: x in proportion to the sample's angle, 5° of 10°.
        {"optical axis", CurveCase::Axis(Squares(11)), 5, 310},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        settings.m_fCalCounts = c.c.values.back();  // calibrated to the total: Pref 1 at the top
        const DisplayList list = Render(c.c);
        const std::vector<DrawPolyline> curves = list.All<DrawPolyline>();
        ASSERT_EQ(curves.size(), 1u);
        const std::vector<QPoint>& p = curves[0].points;
        ASSERT_EQ(p.size(), c.c.values.size() + 1);
        EXPECT_EQ(p.front(), QPoint(60, 482));
        EXPECT_EQ(p[1], QPoint(60, 482)) << "E[0] = 0 at the axis";
        EXPECT_NEAR(p[c.midIndex + 1].x(), c.midX, 1);
        // Full scale 1.2 for a total of 1: the curve ends at 1 / 1.2 of the height.
        EXPECT_EQ(p.back(), QPoint(560, static_cast<int>(482 - 464 / 1.2)));
    }
}

TEST_F(PowerChart, PanelListsTheShownConesAndSharesBelowTheTotal) {
    const CurveCase c = CurveCase::Centroid(Squares(901));
    settings.m_fCalCounts = c.values.back();
    settings.m_fRefPower = 10.0f;
    std::optional<PowerResults> results;
    DisplayList list = Render(c, &results);
    ASSERT_TRUE(results);
    const int left = 560 + 30, right = 797, centre = 560 + 90;
    EXPECT_FALSE(TextAt(list, {left, 18}, "Total Power (mW)").isEmpty());
    EXPECT_FALSE(TextAt(list, {right, 18}, "10.000 ").isEmpty());
    EXPECT_FALSE(TextAt(list, {centre, 18 + 40 + 10}, "POWER WITHIN CONE").isEmpty());
    EXPECT_FALSE(TextAt(list, {left, 18 + 40 + 50}, QString::fromUtf8("5.0°")).isEmpty());
    EXPECT_FALSE(TextAt(list, {right, 18 + 40 + 50}, QString::asprintf("%.3f ", results->conePower[0])).isEmpty());
    for (const char* text : {"10.0°", "45.0°", "CONE WITH % POWER", "25.00 %", "50.00 %", "75.00 %", "3D CENTROID",
                             "Theta", "Phi", "1.25 °", "33.50 °"}) {
        EXPECT_TRUE(HasText(list, QString::fromUtf8(text))) << text;
    }
    EXPECT_TRUE(HasText(list, QString::asprintf("%.3f", results->percentAngle[1]) + QString::fromUtf8("° ")));

    // Only the second cone, no share, angles as numerical aperture.
    settings.m_nConeFlags = 2;
    settings.m_nPercentFlags = 0;
    settings.m_bShowNA = 1;
    list = Render(c);
    EXPECT_TRUE(HasText(list, "0.174NA"));
    for (const char* text : {"0.087NA", "0.707NA", "10.0°", "CONE WITH % POWER", "50.00 %"}) {
        EXPECT_FALSE(HasText(list, QString::fromUtf8(text))) << text;
    }
    EXPECT_TRUE(HasText(list, "3D CENTROID"));
}

}  // namespace
}  // namespace velor::test

namespace velor::test {
namespace {

// A beam of most of its power within 20°, calibrated to its own total of 1 mW.
CurveCase Beam() {
    std::vector<float> values;
    for (int k = 0; k <= 60; ++k)
        values.push_back(static_cast<float>(1.0 - std::exp(-k * k / 200.0)));
    return CurveCase::Axis(values);
}

TEST(PowerLayout, AtEverySizeTheChartKeepsItsBoxAndItsTextsApartAndInside) {
    const QFontMetrics axis(ChartAxisFont());
    const TextMetrics metrics = MeasureIn(ChartAxisFont(), ChartTitleFont());
    const int m = 5 * axis.maxWidth(), v = axis.height() * 15 / 10;
    const CurveCase beam = Beam();
    CPowerData settings;
    settings.m_fCalCounts = beam.values.back();
    const PowerSnapshot snapshot{beam.Curve(), 5.0f, 40.0f};
    for (const QSize size : kEverySize) {
        SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
        const FittedPowerChart fitted = FitPowerChart(settings, snapshot, size, m, v, metrics);
        const std::vector<std::string> problems = TextProblems(fitted.list, metrics);
        EXPECT_TRUE(problems.empty()) << problems.front();
        EXPECT_FALSE(fitted.layout.box.isEmpty()) << "a box of positive size, never a reversed one";
        EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(fitted.layout.box));
        EXPECT_EQ(fitted.list.All<DrawPolyline>().size(), 1u) << "the curve";
        if (size.width() >= 1280) {
            EXPECT_EQ(fitted.layout.arrangement, PowerArrangement::Specified);
            EXPECT_EQ(fitted.layout.box, PowerLayout::Specified(size, m, v).box);
        }
        if (fitted.layout.ShowsPanel()) {
            EXPECT_TRUE(HasText(fitted.list, "Total Power (mW)"));
        } else {
            EXPECT_TRUE(PowerPanelText(fitted.rows)
                            .startsWith("Total Power (mW)  1.000\nPOWER WITHIN CONE\n"))
                << "the results on demand";
        }
    }
    // The smallest window shows the chart alone, the next one the results beside it.
    EXPECT_FALSE(
        FitPowerChart(settings, snapshot, kEverySize[0], m, v, metrics).layout.ShowsPanel());
    EXPECT_TRUE(
        FitPowerChart(settings, snapshot, kEverySize[1], m, v, metrics).layout.ShowsPanel());
}

}  // namespace
}  // namespace velor::test
