// The near field chart's display list: the curve on the linear and the logarithmic scale, and
// the figures and reasons written under it.

#include <gtest/gtest.h>

#include <cmath>

#include "tests/views/chart/ChartFixture.h"
#include "views/nearfield/NearFieldChart.h"

namespace velor::test {
namespace {

// 7 pixels a character, 12 high (titles 11 and 18).
const TextMetrics kMetrics{
    [](const QString& text, FontRole font) {
        return font == FontRole::Title ? QSize(11 * text.size(), 18) : QSize(7 * text.size(), 12);
    },
    [](const QString& text, FontRole, int width) { return text.left(std::max(0, width / 7 - 1)) + QChar(0x2026); }};

// A Gaussian near field exp(−2 r² / w0²) of w0 = 2 µm sampled every 0.1 µm out to 40 dB down.
NearFieldCurve GaussianCurve() {
    NearFieldCurve c;
    c.valid = true;
    c.stepUm = 0.1f;
    for (int k = 0; k < 44; ++k) c.intensity.push_back(static_cast<float>(std::exp(-2.0 * std::pow(k * 0.1 / 2.0, 2))));
    c.mfdUm = 4.0f;
    c.aeffUm2 = 12.57f;
    c.dynamicRangeDb = 35.7f;
    c.areaMayReadLow = true;
    return c;
}

TEST(NearFieldChart, CurveFollowsEachScaleAndTheFiguresStandUnderIt) {
    NearFieldChartData data;
    data.wavelengthNm = 1310.0f;
    data.curves.push_back(GaussianCurve());
    NearFieldCurve failed;
    failed.phiDeg = 90.0f;
    failed.reason = QStringLiteral("no sample at or above the noise floor");
    data.curves.push_back(failed);

    for (const bool logarithmic : {false, true}) {
        SCOPED_TRACE(logarithmic);
        const DisplayList list = RenderNearFieldChart(data, logarithmic, QSize(800, 400), kMetrics);
        // The plot box from its left frame line.
        const DrawLine frame = list.All<DrawLine>().front();
        const int top = frame.from.y(), bottom = frame.to.y();
        const std::vector<DrawPolyline> curves = list.All<DrawPolyline>();
        ASSERT_EQ(curves.size(), 1u) << "the failed axis has no curve";
        const DrawPolyline& curve = curves.front();
        EXPECT_EQ(curve.points.front(), QPoint(frame.from.x(), top)) << "1 on the axis";
        // At its 1/e² radius, 2 µm: e⁻² of the height, or 0.87 of the four decades down.
        const DrawText* two = nullptr;
        for (const DisplayItem& item : list.items) {
            const auto* t = std::get_if<DrawText>(&item);
            if (t && t->group == LabelGroup::Angle && t->text.toDouble() == 2.0) two = t;
        }
        ASSERT_NE(two, nullptr);
        const double fraction = logarithmic ? 1.0 - 2.0 / std::log(10.0) / 4.0 : std::exp(-2.0);
        bool found = false;
        for (const QPoint& p : curve.points) {
            if (p.x() != two->anchor.x()) continue;
            EXPECT_NEAR(p.y(), bottom - fraction * (bottom - top), 1.0);
            found = true;
        }
        EXPECT_TRUE(found);
        EXPECT_NEAR(curve.points.back().y(), bottom, 1) << "40 dB down, on the bottom line";
        EXPECT_TRUE(HasText(list, logarithmic ? "10^-3" : "0.2"));
        EXPECT_TRUE(HasText(list, "λ = 1310 nm"));
        EXPECT_TRUE(HasText(list, "0.0°: MFD 4.00 µm, Aeff 12.57 µm², dynamic range 35.7 dB"));
        EXPECT_TRUE(HasText(list, "90.0°: no near field: no sample at or above the noise floor"));
        EXPECT_TRUE(HasText(list, "0.0°: no clear side lobe above the floor: a step-index fiber's area may read up to 3 % low"))
            << "named, as it concerns one axis of two";
    }
}

}  // namespace
}  // namespace velor::test
