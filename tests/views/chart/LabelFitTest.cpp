// Labels at any size: at sizes where the rows would run together they are thinned evenly and
// never overlap, 0° stays, and the title gives way to the phi label; at roomy sizes the list
// is exactly as drawn.

#include <gtest/gtest.h>

#include <cmath>

#include "tests/views/chart/ChartFixture.h"
#include "views/chart/AmplitudeScale.h"
#include "views/chart/LabelFit.h"
#include "views/chart/RectChart.h"
#include "views/nearfield/NearFieldChart.h"
#include "views/polar/PolarChart.h"

namespace velor::test {
namespace {

// A font of 7 pixels a character, 12 high (titles 11 and 18).
const TextMetrics kMetrics{
    [](const QString& text, FontRole font) {
        return font == FontRole::Title ? QSize(11 * text.size(), 18) : QSize(7 * text.size(), 12);
    },
    [](const QString& text, FontRole font, int width) {
        const int perChar = font == FontRole::Title ? 11 : 7;
        const int fit = width / perChar;
        return fit >= text.size() ? text : text.left(std::max(0, fit - 1)) + QChar(0x2026);
    }};

std::vector<QRect> RowRects(const DisplayList& list, LabelGroup group) {
    std::vector<QRect> rects;
    for (const DrawText& t : list.All<DrawText>()) {
        if (t.group == group) rects.push_back(LabelRect(t, kMetrics.size(t.text, t.font)));
    }
    return rects;
}

bool Overlap(const std::vector<QRect>& rects) {
    for (size_t i = 0; i < rects.size(); ++i) {
        for (size_t j = i + 1; j < rects.size(); ++j) {
            if (rects[i].intersects(rects[j])) return true;
        }
    }
    return false;
}

// The geometry the views give a chart of this size: margins of 40 at the sides and, above and
// below, 1.5 (rectangular) or 2.5 (polar) axis text heights.
void Shrink(ChartCase& c, int width, int height, int top) {
    c.geometry.chartSize = QSize(width, height);
    c.geometry.horizontalMargin = 40;
    c.geometry.left = 40;
    c.geometry.right = width - 40;
    c.geometry.top = top;
    c.geometry.bottom = height - top;
    c.geometry.clientWidth = width;
}

using Render = DisplayList (*)(const ChartData&, const ChartSettings&, const ChartGeometry&, int, AmplitudeScale*);

TEST(LabelFit, SmallChartsKeepNoOverlappingLabelsAndKeepZero) {
    struct Case {
        const char* chart;
        Render render;
        int width, height, top;
        int grid;
    };
    const Case cases[] = {
        {"rectangular", RenderRectChart, 220, 120, 18, 10},
        {"rectangular, 1° grid", RenderRectChart, 400, 200, 18, 1},
        {"polar", RenderPolarChart, 220, 140, 30, 10},
        {"polar, 5° grid", RenderPolarChart, 300, 180, 30, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chart);
        ChartCase chart;
        chart.Peak(30000.0f);
        chart.settings.zoomGrid = c.grid;
        Shrink(chart, c.width, c.height, c.top);
        DisplayList list = c.render(chart.data, chart.settings, chart.geometry, 0, nullptr);
        ASSERT_TRUE(Overlap(RowRects(list, LabelGroup::Angle))) << "a case that needs thinning";
        FitLabels(list, kMetrics);
        for (const LabelGroup group : {LabelGroup::Angle, LabelGroup::Amplitude}) {
            EXPECT_FALSE(Overlap(RowRects(list, group))) << static_cast<int>(group);
            EXPECT_GE(RowRects(list, group).size(), 2u) << "a row is thinned, not emptied";
        }
        EXPECT_TRUE(HasText(list, QStringLiteral("0\u00B0")));
        QRect titleRect, phiRect;
        for (const DrawText& t : list.All<DrawText>()) {
            if (t.group == LabelGroup::Title) titleRect = LabelRect(t, kMetrics.size(t.text, t.font));
            if (t.group == LabelGroup::Phi) phiRect = LabelRect(t, kMetrics.size(t.text, t.font));
        }
        EXPECT_FALSE(titleRect.intersects(phiRect)) << "the title gives way";
    }
}

TEST(LabelFit, RoomyChartsKeepTheListAsDrawn) {
    for (const auto& [render, top] : {std::pair<Render, int>{RenderRectChart, 18},
                                      std::pair<Render, int>{RenderPolarChart, 30}}) {
        ChartCase chart;
        chart.Peak(30000.0f);
        Shrink(chart, 1600, 900, top);
        const DisplayList drawn = render(chart.data, chart.settings, chart.geometry, 0, nullptr);
        DisplayList fitted = drawn;
        FitLabels(fitted, kMetrics);
        EXPECT_EQ(Texts(fitted), Texts(drawn));
    }
}

// The near field chart places its own texts by their size: from the smallest window to a full
// screen, on either scale, no text overlaps another or leaves the chart, and each axis's
// effective area stays in view.
TEST(LabelFit, NearFieldChartIsReadableFromTheSmallestWindowToAFullScreen) {
    NearFieldChartData data;
    data.wavelengthNm = 1550.0f;
    NearFieldCurve wide;
    wide.valid = true;
    wide.stepUm = 0.05f;
    for (int k = 0; k < 200; ++k) wide.intensity.push_back(static_cast<float>(std::exp(-2.0 * std::pow(k * 0.05 / 4.6, 2))));
    wide.mfdUm = 9.2f;
    wide.aeffUm2 = 66.48f;
    wide.dynamicRangeDb = 35.7f;
    wide.areaMayReadLow = true;
    NearFieldCurve failed;
    failed.phiDeg = 90.0f;
    failed.reason = QStringLiteral("the near field does not fall 40 dB below its peak within 205 µm");
    data.curves = {wide, failed};

    for (const QSize size : {QSize(200, 150), QSize(260, 190), QSize(320, 240), QSize(480, 300), QSize(640, 480),
                             QSize(1024, 768), QSize(1920, 1080)}) {
        for (const bool logarithmic : {false, true}) {
            SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height() << (logarithmic ? " log" : ""));
            DisplayList list = RenderNearFieldChart(data, logarithmic, size, kMetrics);
            FitLabels(list, kMetrics);
            std::vector<QRect> rects;
            for (const DrawText& t : list.All<DrawText>()) {
                const QRect r = LabelRect(t, kMetrics.size(t.text, t.font));
                EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(r)) << t.text.toStdString();
                rects.push_back(r);
            }
            EXPECT_FALSE(Overlap(rects));
            EXPECT_GE(RowRects(list, LabelGroup::Angle).size(), 2u);
            EXPECT_GE(RowRects(list, LabelGroup::Amplitude).size(), 2u);
            bool area = false;
            for (const DrawText& t : list.All<DrawText>()) area = area || t.text.contains(QStringLiteral("66.48 µm²"));
            EXPECT_TRUE(area);
        }
    }
}

}  // namespace
}  // namespace velor::test
