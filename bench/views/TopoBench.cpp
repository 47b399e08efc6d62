// The topographic view at its finest: a simulated laser diode with 201 azimuth scans at high
// resolution (271 radii by 401 angles) in a shown 1280 × 800 window. A rebuild takes the
// document's thinned data through every step (unfolding, scale, colour mapping) into a new
// map and renders it. Run under Xvfb (Mesa's software renderer): VTK needs a real X server.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/views/SceneViewFixture.h"
#include "document/UpdateHints.h"
#include "views/topo/C2dView.h"
#include "views/topo/PlaneViewer.h"
#include "views/topo/TopoModel.h"
#include "views/topo/TopoScene.h"

namespace {

using namespace velor;

using Fixture = bench::SceneViewFixture<C2dView>;

// Made on first use, gone before the application object.
Fixture* g_fixture = nullptr;

Fixture& View() {
    if (!g_fixture) g_fixture = new Fixture([](C2dView& v) { v.m_nResolution = kTopoHigh; });
    return *g_fixture;
}

// What a changed parameter asks of the view: the map rebuilt from the document and drawn.
void BM_RebuildHighResolution(benchmark::State& state) {
    Fixture& f = View();
    if (!f.ok) state.SkipWithError("simulation failed");
    for (auto _ : state) {
        f.view->OnUpdate(UM_PARAMCHANGED);
        f.view->FlushRebuild();
        f.view->Viewer().FlushRender();
        QApplication::processEvents();
    }
    state.counters["nodes"] = f.view->Viewer().Scene().NodeCount();
}
BENCHMARK(BM_RebuildHighResolution)->Unit(benchmark::kMillisecond);

// The data steps alone, without the toolkit: thinning, unfolding, scale and mapping.
void BM_ModelHighResolution(benchmark::State& state) {
    Fixture& f = View();
    if (!f.ok) state.SkipWithError("simulation failed");
    for (auto _ : state) {
        const TopoModel model = TopoModelFor(*f.doc, *f.view);
        benchmark::DoNotOptimize(model.disc.values.data());
    }
}
BENCHMARK(BM_ModelHighResolution)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return velor::bench::RunSceneBenchmarks(argc, argv, "topo_bench", [] { delete g_fixture; });
}
