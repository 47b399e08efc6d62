// The 3D analysis and cone power of an N = 200 data set, and the thinned copy the 3D views
// draw at the finest resolution.

#include <benchmark/benchmark.h>
#include <cmath>

#include "common/ConsolePrompt.h"
#include "document/HeadlessSession.h"

namespace {

using namespace velor;

struct Fixture {
    Fixture() : session(prompt, viewTypes) {
        doc = session.NewDocument();
        doc->SetApertureSourceDistance(2.0f);
        doc->m_nScans3D = 200;
        doc->ReallocateArrays();
        const float* grid = doc->GetAngleGrid();
        for (int k = 0; k <= 200; ++k) {
            for (int j = 0; j < 3241; ++j) {
                const double s = std::sin(grid[j]) / 0.12;
                doc->Get3DData()[k * 3241 + j] = static_cast<float>(40000.0 * std::exp(-2.0 * s * s));
            }
        }
    }
    ConsolePrompt prompt;
    ViewTypeRegistry viewTypes;
    HeadlessSession session;
    CVelor32Doc* doc;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_Analyse3dDataAndConePower(benchmark::State& state) {
    CVelor32Doc* doc = Shared().doc;
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc->Analyse3dData());
        doc->ComputeConePower();
    }
}
BENCHMARK(BM_Analyse3dDataAndConePower)->Unit(benchmark::kMillisecond);

void BM_Sampled3dDataFine(benchmark::State& state) {
    CVelor32Doc* doc = Shared().doc;
    CVelor32Doc::Sampled3dData data;
    for (auto _ : state) benchmark::DoNotOptimize(doc->GetSampled3dData(2, data));
}
BENCHMARK(BM_Sampled3dDataFine)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
