// The 3D rectangular view at its finest: a simulated laser diode with 201 azimuth scans at
// high resolution (541 × 201 nodes) in a shown 1280 × 800 window. A rebuild takes the document's
// thinned data through every step into a new scene and renders it; a drag turns the surface
// with the mouse, 60 renders a round. Run under Xvfb (Mesa's software renderer): VTK needs a
// real X server.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QMouseEvent>

#include "bench/views/SceneViewFixture.h"
#include "document/UpdateHints.h"
#include "views/view3d/C3dView.h"
#include "views/view3d/ExaminerViewer.h"
#include "views/view3d/SurfaceScene.h"

namespace {

using namespace velor;

constexpr int kFramesPerRound = 60;

// CPU time of the whole process, the renderer's worker threads included, in milliseconds: the
// work a frame takes, whatever else shares the machine.
double ProcessCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

using Fixture = bench::SceneViewFixture<C3dView>;

// Made on first use, gone before the application object.
Fixture* g_fixture = nullptr;

Fixture& View() {
    if (!g_fixture)
        g_fixture = new Fixture([](C3dView& v) {
            v.SetDisplayMode(static_cast<int>(k3dRectangular));
            v.m_nResolution = k3dHigh;
        });
    return *g_fixture;
}

void BM_RebuildHighResolution(benchmark::State& state) {
    Fixture& f = View();
    if (!f.ok) state.SkipWithError("simulation failed");
    for (auto _ : state) {
        f.view->OnUpdate(UM_PARAMCHANGED);  // what a changed parameter asks of the view
        f.view->FlushRebuild();
        f.view->Viewer().FlushRender();
        QApplication::processEvents();
    }
    state.counters["nodes"] = f.view->Viewer().Scene().NodeCount();
}
BENCHMARK(BM_RebuildHighResolution)->Unit(benchmark::kMillisecond);

// A drag with the left button across the view, one render per mouse move, as the user turns
// the surface: the frames the software renderer draws in a second.
void BM_DragSixtyFrames(benchmark::State& state) {
    Fixture& f = View();
    if (!f.ok) state.SkipWithError("simulation failed");
    QWidget* area = f.view->Viewer().findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    const QPoint start(340, 400);
    const auto send = [area](QEvent::Type type, QPoint at, Qt::MouseButton button,
                             Qt::MouseButtons held) {
        QMouseEvent event(type, at, area->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(area, &event);
        QApplication::processEvents();
    };
    bool coarse = true;
    double cpuMs = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        state.ResumeTiming();
        const double before = ProcessCpuMs();
        for (int frame = 1; frame <= kFramesPerRound; ++frame) {
            send(QEvent::MouseMove, start + QPoint(10 * frame, 0), Qt::NoButton, Qt::LeftButton);
        }
        cpuMs += ProcessCpuMs() - before;
        state.PauseTiming();
        coarse = coarse && f.view->Viewer().Scene().ShowsCoarseSurface();
        send(QEvent::MouseButtonRelease, start + QPoint(10 * kFramesPerRound, 0), Qt::LeftButton,
             Qt::NoButton);
        state.ResumeTiming();
    }
    state.counters["frames_per_second"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kFramesPerRound, benchmark::Counter::kIsRate);
    state.counters["coarse_while_moving"] = coarse ? 1 : 0;
    state.counters["process_cpu_ms_per_frame"] =
        cpuMs / (static_cast<double>(state.iterations()) * kFramesPerRound);
    state.counters["width"] = f.view->width();
    state.counters["height"] = f.view->height();
}
BENCHMARK(BM_DragSixtyFrames)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole surface turned 6° a frame without the mouse: every node drawn each time.
void BM_TurnWholeSurfaceSixtyFrames(benchmark::State& state) {
    Fixture& f = View();
    if (!f.ok) state.SkipWithError("simulation failed");
    const double before = ProcessCpuMs();
    for (auto _ : state) {
        for (int frame = 0; frame < kFramesPerRound; ++frame) {
            f.view->Viewer().Turn(6.0, 0.0);
            f.view->Viewer().FlushRender();
            QApplication::processEvents();
        }
    }
    state.counters["process_cpu_ms_per_frame"] =
        (ProcessCpuMs() - before) / (static_cast<double>(state.iterations()) * kFramesPerRound);
    state.counters["frames_per_second"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kFramesPerRound, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TurnWholeSurfaceSixtyFrames)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return velor::bench::RunSceneBenchmarks(argc, argv, "view3d_bench", [] { delete g_fixture; });
}
