// The time statistics chart at its largest: two series of 30000 points each with every
// statistics line on (16 data sets), the grid and the statistics table, in a shown window.
// A new point that needs no rescaling is painted alone onto the canvas (the fast update);
// a rescale replots the whole chart. Run under Xvfb to paint into a real X window.

#include <QApplication>
#include <QFont>
#include <benchmark/benchmark.h>
#include <cmath>
#include <optional>
#include <vector>

#include "views/timestats/Chart2D.h"
#include "views/timestats/TimeStatData.h"
#include "views/timestats/TimeStatModel.h"
#include "views/timestats/TimeStatTable.h"

namespace {

using namespace velor;

constexpr int kPoints = 30000;

// A width drifting slowly with some scan-to-scan noise, and the other axis a little wider.
struct Fixture {
    Fixture() : chart(model) {
        model.Recreate(kPoints, 2);
        for (int i = 0; i < kPoints; ++i) {
            const double drift = 0.2 * std::sin(i / 3000.0);
            model.AddPoint({10.0 + drift + 0.05 * std::sin(i * 1.7), 10.5 + drift + 0.05 * std::cos(i * 2.3)});
        }
        CTimeStatData record;
        record.m_nCapacity = kPoints;
        record.m_bCalculations = 1;
        chart.SetDataSets(DataSetsFor(2, kMeanLine | kMinLine | kMaxLine | kSigmaLines), {Qt::red, Qt::blue},
                          {QStringLiteral("5.0% Angular Width at 0.0\u00B0 (deg)"),
                           QStringLiteral("5.0% Angular Width at 90.0\u00B0 (deg)")});
        chart.SetChartFont(QFont(QStringLiteral("DejaVu Sans"), 10));
        chart.SetGrid(true);
        chart.SetAxes(1.0, kPoints, 9.5, 11.0, QStringLiteral("Points"));
        chart.SetFooterLines(StatisticsTable(record, model));
        chart.resize(1280, 800);
        chart.show();
        QApplication::processEvents();
        chart.Replot();
    }
    TimeStatModel model;
    CChart2D chart;
};

// Made on first use, gone before the application object.
Fixture* g_fixture = nullptr;

Fixture& Chart() {
    if (!g_fixture) g_fixture = new Fixture;
    return *g_fixture;
}

void BM_AppendPointPainted(benchmark::State& state) {
    Fixture& f = Chart();
    const int before = f.chart.ReplotCount();
    for (auto _ : state) {
        f.chart.AppendPoint(kPoints - 1);
        QApplication::processEvents();
    }
    if (f.chart.ReplotCount() != before) state.SkipWithError("the fast update replotted");
    state.counters["data_sets"] = static_cast<double>(f.chart.Curves().size());
}
BENCHMARK(BM_AppendPointPainted)->Unit(benchmark::kMillisecond);

void BM_FullReplot(benchmark::State& state) {
    Fixture& f = Chart();
    for (auto _ : state) {
        f.chart.Replot();
        QApplication::processEvents();
    }
    state.counters["data_sets"] = static_cast<double>(f.chart.Curves().size());
}
BENCHMARK(BM_FullReplot)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Without an X display the chart still paints, offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete g_fixture;
    return 0;
}
