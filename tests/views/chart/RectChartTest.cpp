// The rectangular chart's display list: angle grid, amplitude scales in every unit, the curve's
// breaks and clipping, titles.

#include <gtest/gtest.h>

#include "tests/views/chart/ChartFixture.h"
#include "views/chart/RectChart.h"

namespace velor::test {
namespace {

// Vertical grid lines (x) between the plot box's top and bottom, frame lines excluded.
std::vector<int> GridLineXs(const DisplayList& list, const ChartGeometry& g) {
    std::vector<int> xs;
    for (const DrawLine& l : list.All<DrawLine>()) {
        if (l.pen == PenRole::Grid && l.from.x() == l.to.x() && l.from.y() == g.top && l.to.y() == g.bottom) {
            xs.push_back(l.from.x());
        }
    }
    return std::vector<int>(xs.begin() + 2, xs.end());  // the first two are the frame
}

TEST(RectChart, AngleGridFollowsTheZoomWindow) {
    ChartCase c;
    DisplayList list = RenderRectChart(c.data, c.settings, c.geometry, 0);
    std::vector<int> xs = GridLineXs(list, c.geometry);
    ASSERT_EQ(xs.size(), 19u);
    EXPECT_EQ(xs.front(), c.geometry.left);
    EXPECT_EQ(xs.back(), c.geometry.right);
    EXPECT_TRUE(HasText(list, QString::fromUtf8("-90°")));
    EXPECT_TRUE(HasText(list, QString::fromUtf8("90°")));

    c.settings.zoomRange = 20;
    c.settings.zoomOffset = 5;  // −5° … 15°
    list = RenderRectChart(c.data, c.settings, c.geometry, 0);
    xs = GridLineXs(list, c.geometry);
    ASSERT_EQ(xs.size(), 2u);
    EXPECT_EQ(xs[0], c.geometry.left + (5 * 560) / 20);
    EXPECT_TRUE(HasText(list, QString::fromUtf8("10°")));

    c.settings.zoomRange = 10;
    c.settings.zoomOffset = 10;  // 5° … 15°: the line at 0° lies left of the box, with its label
    list = RenderRectChart(c.data, c.settings, c.geometry, 0);
    xs = GridLineXs(list, c.geometry);
    ASSERT_EQ(xs.size(), 2u);
    EXPECT_LT(xs[0], c.geometry.left);
    EXPECT_TRUE(HasText(list, QString::fromUtf8("0°")));
}

TEST(RectChart, CountsScaleLabelsAndTitleExponent) {
    ChartCase c;
    c.data.units = 1;
    c.Peak(30000);
    DisplayList list = RenderRectChart(c.data, c.settings, c.geometry, 0);
    for (const char* label : {" 10", " 20", " 30", " 40", " 50", " 60"}) EXPECT_TRUE(HasText(list, label)) << label;
    EXPECT_FALSE(HasText(list, " 70")) << "the top line is unlabelled";
    EXPECT_TRUE(HasText(list, QString::fromUtf8("Amplitude (cnts) × 10^ -3")));
    c.settings.magnification = 1000;
    list = RenderRectChart(c.data, c.settings, c.geometry, 0);
    EXPECT_TRUE(HasText(list, QString::fromUtf8("Amplitude (cnts) × 10^ 0")));
}

TEST(RectChart, NormalisedPeakTouchesTheTopAndLogarithmicShowsDecades) {
    ChartCase c;
    c.Peak(20000);
    c.settings.normalize = true;
    DisplayList list = RenderRectChart(c.data, c.settings, c.geometry, 0);
    const DrawText* top = FindText(list, "1.0");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->anchor.y(), c.geometry.top);
    const auto curve = list.All<DrawPolyline>();
    ASSERT_EQ(curve.size(), 1u);
    int highest = c.geometry.bottom;
    for (const QPoint& p : curve[0].points) highest = std::min(highest, p.y());
    EXPECT_EQ(highest, c.geometry.top) << "the peak stands on the 1.0 line";
    EXPECT_TRUE(HasText(list, "Amplitude normalized (Relative units)"));

    c.settings.logarithmic = true;  // relative data go logarithmic in counts, without normalising
    AmplitudeScale scale;
    list = RenderRectChart(c.data, c.settings, c.geometry, 0, &scale);
    EXPECT_TRUE(scale.clearsNormalize);
    for (int e = 1; e <= 5; ++e) EXPECT_TRUE(HasText(list, QStringLiteral("10^%1").arg(e))) << e;
    EXPECT_FALSE(HasText(list, "10^0")) << "the line on the base is unlabelled";
    EXPECT_TRUE(HasText(list, "Logarithmic Amplitude (cnts) "));
}

TEST(RectChart, IntensityScaleIsRoundedUp) {
    ChartCase c;
    c.data.units = 2;
    c.data.powerUnit = "mW";
    c.Peak(37000);
    c.settings.normalize = true;
    c.data.intensityFactor = 3.7f / 37000.0f;  // full scale 3.7 mW/sr
    DisplayList list = RenderRectChart(c.data, c.settings, c.geometry, 0);
    for (const char* label : {"0.8", "1.6", "2.4", "3.2", "4.0"}) EXPECT_TRUE(HasText(list, label)) << label;
    EXPECT_TRUE(HasText(list, QString::fromUtf8("Intensity (mW/sr) × 10^ 0")));
    // The peak of 3.7 stands at 3.7/4 of the box's height.
    const auto curves = list.All<DrawPolyline>();
    ASSERT_EQ(curves.size(), 1u);
    int highest = c.geometry.bottom;
    for (const QPoint& p : curves[0].points) highest = std::min(highest, p.y());
    EXPECT_NEAR(c.geometry.bottom - highest, 340 * 3.7 / 4.0, 1.0);
}

TEST(RectChart, CurveBreaksOnALogScaleClipsAtTheTopAndNeedsSamples) {
    ChartCase c;
    for (int i = 0; i < 181; ++i) c.samples[i] = 100.0f;
    c.samples[50] = 0.5f;  // below one count: a break on a logarithmic scale
    c.samples[120] = 1e6f;
    c.Peak(100.0f);
    c.data.units = 1;
    c.settings.logarithmic = true;
    DisplayList list = RenderRectChart(c.data, c.settings, c.geometry, 0);
    EXPECT_EQ(list.All<DrawPolyline>().size(), 2u);

    c.settings.logarithmic = false;
    c.settings.magnification = 10;
    list = RenderRectChart(c.data, c.settings, c.geometry, 0);
    const auto clipped = list.All<DrawPolyline>();
    ASSERT_EQ(clipped.size(), 1u);
    for (const QPoint& p : clipped[0].points) ASSERT_GE(p.y(), c.geometry.top);

    c.data.axes[0].count = 0;
    list = RenderRectChart(c.data, c.settings, c.geometry, 0);
    EXPECT_TRUE(list.All<DrawPolyline>().empty());
    EXPECT_FALSE(HasText(list, QString::fromUtf8("Phi = 12.500°"))) << "no title or phi without samples";
}

TEST(RectChart, FieldOfViewLinesAndPhiLabel) {
    ChartCase c;
    c.Peak(100);
    DisplayList list = RenderRectChart(c.data, c.settings, c.geometry, 0);
    int fov = 0;
    for (const DrawLine& l : list.All<DrawLine>()) fov += l.pen == PenRole::Data ? 1 : 0;
    EXPECT_EQ(fov, 2);
    const DrawText* phi = FindText(list, QString::fromUtf8("Phi = 12.500°"));
    ASSERT_NE(phi, nullptr);
    EXPECT_EQ(phi->anchor.x(), 650 - 40);
    EXPECT_EQ(phi->h, HAlign::Right);
    c.data.crossSections = true;
    list = RenderRectChart(c.data, c.settings, c.geometry, 0);
    EXPECT_TRUE(HasText(list, QString::fromUtf8("Phi ´ = 12.500°")));
    fov = 0;
    for (const DrawLine& l : list.All<DrawLine>()) fov += l.pen == PenRole::Data ? 1 : 0;
    EXPECT_EQ(fov, 0) << "cross sections have no field-of-view lines";
}

}  // namespace
}  // namespace velor::test
