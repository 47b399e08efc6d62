// The topographic view at its finest: a simulated laser diode with 201 azimuth scans at high
// resolution (271 radii by 401 angles) in a shown 1280 × 800 window. A rebuild takes the
// document's thinned data through every step (unfolding, scale, colour mapping) into a new
// map and renders it. Run under Xvfb (Mesa's software renderer): VTK needs a real X server.

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>

#include "common/ConsolePrompt.h"
#include "document/HeadlessSession.h"
#include "document/UpdateHints.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "views/framework/ViewHost.h"
#include "views/topo/C2dView.h"
#include "views/topo/PlaneViewer.h"
#include "views/topo/TopoModel.h"
#include "views/topo/TopoScene.h"
#include "views/view3d/SurfaceFormat.h"

namespace {

using namespace velor;

class BenchHost : public ViewHost {
public:
    UserPrompt& Prompt() override { return prompt; }
    int ImageType() const override { return 0; }
    int ImageQuality() const override { return 100; }
    void ViewClosing(CDormView&) override {}
    ConsolePrompt prompt;
};

struct Fixture {
    Fixture() : session(host.prompt, types) {
        doc = session.NewDocument();
        sim::LaserDiodeBeam beam;
        beam.tiltThetaDeg = 5;
        beam.tiltPhiDeg = 40;
        SimulationOptions options;
        options.scans3D = 200;
        ok = SimulateMeasurement(*doc, *sim::MakeLaserDiode(beam), options);
        view = new C2dView(host);
        view->m_nResolution = kTopoHigh;
        doc->AddView(view);
        view->resize(1280, 800);
        view->show();
        view->OnInitialUpdate();
        QApplication::processEvents();
        view->FlushRebuild();
        view->Viewer().FlushRender();
        QApplication::processEvents();
    }
    BenchHost host;
    ViewTypeRegistry types;
    HeadlessSession session;
    CVelor32Doc* doc = nullptr;
    C2dView* view = nullptr;
    bool ok = false;
};

// Made on first use, gone before the application object.
Fixture* g_fixture = nullptr;

Fixture& View() {
    if (!g_fixture) g_fixture = new Fixture;
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
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "topo_bench renders with OpenGL: run it under xvfb-run\n");
        return 1;
    }
    UseSurfaceFormatFor3dViews();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete g_fixture;
    return 0;
}
