// Labels at any size: at sizes where the rows would run together they are thinned evenly and
// never overlap, 0° stays, and the title gives way to the phi label; at roomy sizes the list
// is exactly as drawn.

#include <gtest/gtest.h>

#include "tests/views/chart/ChartFixture.h"
#include "views/chart/AmplitudeScale.h"
#include "views/chart/LabelFit.h"
#include "views/chart/RectChart.h"
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

}  // namespace
}  // namespace velor::test
