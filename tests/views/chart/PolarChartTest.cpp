// The polar chart's display list: spokes and their labels, the zoom window over the half
// disc, the disc's size in a wide chart, clipping onto the rim.

#include <cmath>
#include <gtest/gtest.h>

#include "tests/views/chart/ChartFixture.h"
#include "views/polar/PolarChart.h"

namespace velor::test {
namespace {

std::vector<DrawLine> Spokes(const DisplayList& list) {
    std::vector<DrawLine> out;
    for (const DrawLine& l : list.All<DrawLine>()) {
        if (l.pen == PenRole::Grid) out.push_back(l);
    }
    return out;
}

TEST(PolarChart, NineteenSpokesWithLabelsAlignedAwayFromTheDisc) {
    ChartCase c;
    const DisplayList list = RenderPolarChart(c.data, c.settings, c.geometry, 0);
    const HalfDisc disc = HalfDiscOf(c.geometry);
    const auto spokes = Spokes(list);
    ASSERT_EQ(spokes.size(), 19u);
    EXPECT_EQ(spokes.front().to, QPoint(disc.centre.x() - disc.radius, disc.centre.y()));
    EXPECT_EQ(spokes.back().to, QPoint(disc.centre.x() + disc.radius, disc.centre.y()));
    EXPECT_EQ(spokes[9].to, QPoint(disc.centre.x(), disc.centre.y() - disc.radius)) << "0° straight up";
    EXPECT_EQ(FindText(list, QString::fromUtf8("0°"))->h, HAlign::Right);
    EXPECT_EQ(FindText(list, QString::fromUtf8("-50°"))->h, HAlign::Right);
    EXPECT_EQ(FindText(list, QString::fromUtf8("40°"))->h, HAlign::Left);
}

TEST(PolarChart, NarrowZoomWindowFillsTheHalfDisc) {
    ChartCase c;
    c.settings.zoomRange = 20;
    const DisplayList list = RenderPolarChart(c.data, c.settings, c.geometry, 0);
    const HalfDisc disc = HalfDiscOf(c.geometry);
    const auto spokes = Spokes(list);
    ASSERT_EQ(spokes.size(), 3u);
    EXPECT_EQ(spokes[0].to, QPoint(disc.centre.x() - disc.radius, disc.centre.y())) << "−10° on the base";
    EXPECT_EQ(spokes[2].to, QPoint(disc.centre.x() + disc.radius, disc.centre.y())) << "10° on the base";
}

TEST(PolarChart, WideChartKeepsTheDiscAtTheLeftWithRadiusOfTheBoxHeight) {
    ChartCase c;
    c.geometry.right = 2000;
    const HalfDisc disc = HalfDiscOf(c.geometry);
    EXPECT_EQ(disc.radius, c.geometry.bottom - c.geometry.top);
    EXPECT_EQ(disc.centre, QPoint(c.geometry.left + disc.radius, c.geometry.top + disc.radius));
}

TEST(PolarChart, ValuesAboveFullScaleLieOnTheRim) {
    ChartCase c;
    for (int i = 0; i < 181; ++i) c.samples[i] = 30000.0f;  // 3 × full scale at magnification 10
    c.settings.magnification = 10;
    const DisplayList list = RenderPolarChart(c.data, c.settings, c.geometry, 0);
    const HalfDisc disc = HalfDiscOf(c.geometry);
    const auto curve = list.All<DrawPolyline>();
    ASSERT_EQ(curve.size(), 1u);
    for (const QPoint& p : curve[0].points) {
        const double r = std::hypot(p.x() - disc.centre.x(), p.y() - disc.centre.y());
        ASSERT_NEAR(r, disc.radius, 1.5) << p.x() << "," << p.y();
    }
}

TEST(PolarChart, LogarithmicCountsLabelLevelZeroAtTheCentre) {
    ChartCase c;
    c.data.units = 1;
    c.settings.logarithmic = true;
    const DisplayList list = RenderPolarChart(c.data, c.settings, c.geometry, 0);
    const HalfDisc disc = HalfDiscOf(c.geometry);
    int atCentre = 0;
    for (const DrawText& t : list.All<DrawText>()) {
        if (t.text == "10^0" && t.anchor.x() == disc.centre.x()) ++atCentre;
    }
    EXPECT_EQ(atCentre, 2);
}

}  // namespace
}  // namespace velor::test
