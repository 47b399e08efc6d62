// A full redraw of a profile view with perpendicular axes on a 1920×1080 client: both charts
// rendered to display lists and painted into their images, as the view does on every update.
// The same for the power view with the longest centroid curve: results computed, the chart
// and its panel rendered, the list painted. And the near field view of a measurement with
// perpendicular axes: its figures read from the document (the near field kept there), the
// chart laid out by its texts' sizes, thinned where labels would meet, and painted.

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <numbers>
#include <vector>

#include "common/ConsolePrompt.h"
#include "document/HeadlessSession.h"
#include "views/chart/ChartModel.h"
#include "views/chart/LabelFit.h"
#include "views/nearfield/NearFieldChart.h"
#include "views/chart/DisplayList.h"
#include "views/chart/RectChart.h"
#include "views/polar/PolarChart.h"
#include "views/power/PowerChart.h"
#include "views/power/PowerData.h"

namespace {

using namespace velor;

constexpr int kClientWidth = 1920;
constexpr int kClientHeight = 1080;
constexpr int kStrip = 10;
constexpr int kSamples = 3241;  // the longest sweep a data file holds

struct Sweep {
    Sweep() {
        // A Gaussian far field of 12° half width with a little ripple, over −90°…+90°.
        for (int i = 0; i < kSamples; ++i) {
            const double deg = -90.0 + 180.0 * i / (kSamples - 1);
            angles.push_back(static_cast<float>(deg * std::numbers::pi / 180.0));
            samples.push_back(static_cast<float>(30000.0 * std::exp(-2.0 * deg * deg / 144.0) +
                                                 40.0 * std::sin(deg)));
        }
    }
    std::vector<float> angles;
    std::vector<float> samples;
};

QFont Font(int pixels) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

using Renderer = DisplayList (*)(const ChartData&, const ChartSettings&, const ChartGeometry&, int,
                                 AmplitudeScale*);

void Redraw(benchmark::State& state, Renderer render, int marginX, int marginY) {
    static Sweep sweep;
    ChartData data;
    data.perpendicular = true;
    data.fieldOfView = 180.0f;
    data.axes[0] = {kSamples, sweep.samples.data(), sweep.angles.data(), 30000.0f, 0.0f};
    data.axes[1] = {kSamples, sweep.samples.data(), sweep.angles.data(), 30000.0f, 90.0f};
    ChartSettings settings;

    QFont axisFont = Font(10);
    QFont titleFont = Font(15);
    const ChartStyle style{Qt::black, Qt::gray, Qt::blue, Qt::white, 1, &axisFont, &titleFont};
    const int h = kClientHeight - kStrip;
    const QSize sizes[2] = {QSize(kClientWidth - kStrip, h / 2), QSize(kClientWidth - kStrip, h / 2 + h % 2)};
    QImage images[2] = {QImage(sizes[0], QImage::Format_RGB32), QImage(sizes[1], QImage::Format_RGB32)};

    for (auto _ : state) {
        for (int axis = 0; axis < 2; ++axis) {
            ChartGeometry geometry;
            geometry.chartSize = sizes[axis];
            geometry.left = geometry.horizontalMargin = marginX;
            geometry.right = sizes[axis].width() - marginX;
            geometry.top = marginY;
            geometry.bottom = sizes[axis].height() - marginY;
            geometry.clientWidth = kClientWidth;
            const DisplayList list = render(data, settings, geometry, axis, nullptr);
            QPainter painter(&images[axis]);
            PaintDisplayList(painter, list, style);
        }
        benchmark::DoNotOptimize(images[1].constBits());
    }
}

void BM_RectangularRedraw(benchmark::State& state) {
    const QFontMetrics metrics(Font(10));
    Redraw(state, &RenderRectChart, static_cast<int>(2.5 * metrics.maxWidth()), metrics.height() * 15 / 10);
}
BENCHMARK(BM_RectangularRedraw)->Unit(benchmark::kMillisecond);

void BM_PolarRedraw(benchmark::State& state) {
    const QFontMetrics metrics(Font(10));
    Redraw(state, &RenderPolarChart, 2 * metrics.maxWidth(), metrics.height() * 25 / 10);
}
BENCHMARK(BM_PolarRedraw)->Unit(benchmark::kMillisecond);

void BM_PowerRedraw(benchmark::State& state) {
    // Power within cones about the centroid every 0.1° up to 180°: a Gaussian beam of 12°.
    std::vector<float> curve;
    for (int k = 0; k < 1801; ++k) {
        const double s = std::sin(k / 10.0 * std::numbers::pi / 180.0) / std::sin(12.0 * std::numbers::pi / 180.0);
        curve.push_back(static_cast<float>(5.0e4 * (1.0 - std::exp(-2.0 * s * s))));
    }
    CPowerData settings;
    settings.m_nAxisMode = 0;
    settings.m_fCalCounts = 5.0e4f;
    const PowerSnapshot snapshot{{curve.data(), static_cast<int>(curve.size()), nullptr}, 1.5f, 30.0f};

    QFont axisFont = Font(10);
    QFont titleFont = Font(15);
    const QFontMetrics metrics(axisFont);
    PowerLayout layout;
    layout.size = QSize(kClientWidth - kStrip, kClientHeight - kStrip);
    layout.m = 5 * metrics.maxWidth();
    layout.v = metrics.height() * 15 / 10;
    const ChartStyle style{Qt::green, Qt::green, Qt::white, Qt::black, 1, &axisFont, &titleFont};
    QImage image(layout.size, QImage::Format_RGB32);

    for (auto _ : state) {
        const DisplayList list = RenderPowerChart(settings, snapshot, layout);
        QPainter painter(&image);
        PaintDisplayList(painter, list, style);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PowerRedraw)->Unit(benchmark::kMillisecond);

void BM_NearFieldRedraw(benchmark::State& state) {
    ConsolePrompt prompt;
    ViewTypeRegistry viewTypes;
    HeadlessSession session(prompt, viewTypes);
    CVelor32Doc* doc = session.NewDocument();
    doc->SetApertureSourceDistance(2.0f);
    doc->OnPerpendicularAxes();
    std::vector<float> axes[2];
    for (int a = 0; a < 2; ++a) {
        for (int i = 0; i < kSamples; ++i) {
            const double u = std::numbers::pi * (a ? 2.3 : 4.6) * std::sin(doc->GetAngleGrid()[i]) / 1.31;
            axes[a].push_back(static_cast<float>(60000.0 * std::exp(-2.0 * u * u)));
        }
    }
    doc->StoreProfiles(axes[0], axes[1]);
    doc->GetEffectiveArea(0);  // the first ask computes; a redraw finds the near field kept
    doc->GetEffectiveArea(1);

    QFont axisFont = Font(10);
    QFont titleFont = Font(15);
    const QFontMetrics axis(axisFont), title(titleFont);
    const TextMetrics metrics{[&](const QString& text, FontRole font) {
                                  const QFontMetrics& m = font == FontRole::Title ? title : axis;
                                  return QSize(m.horizontalAdvance(text), m.height());
                              },
                              [&](const QString& text, FontRole font, int width) {
                                  return (font == FontRole::Title ? title : axis).elidedText(text, Qt::ElideRight, width);
                              }};
    const ChartStyle style{Qt::green, Qt::red, Qt::white, Qt::black, 1, &axisFont, &titleFont};
    const QSize size(kClientWidth - kStrip, kClientHeight - kStrip);
    QImage image(size, QImage::Format_RGB32);
    for (auto _ : state) {
        DisplayList list = RenderNearFieldChart(NearFieldChartData::From(*doc), state.range(0) != 0, size, metrics);
        FitLabels(list, metrics);
        QPainter painter(&image);
        PaintDisplayList(painter, list, style);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_NearFieldRedraw)->Arg(0)->Arg(1)->ArgName("logarithmic")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
