// The 3D analysis and cone power of an N = 200 data set, the thinned copy the 3D views draw
// at the finest resolution, the beam metrics of the data set (divergences, ellipticity,
// orientation) and of single profiles (second-moment width and Gaussian fit).

#include <benchmark/benchmark.h>
#include <cmath>
#include <numbers>
#include <vector>

#include "common/ConsolePrompt.h"
#include "document/HeadlessSession.h"
#include "document/analysis/BeamMetrics.h"
#include "document/analysis/PolarGrid.h"

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

// An elliptical beam, 1/e² full angles 40° × 14° with its major axis at 20°, on the N = 200
// grid: its window leaves out most of the minor direction, as a laser diode's does.
const PolarGrid& EllipticalGrid() {
    static const PolarGrid grid = [] {
        CVelor32Doc* doc = Shared().doc;
        std::vector<float> scans(201 * 3241);
        const float* theta = doc->GetAngleGrid();
        for (int k = 0; k <= 200; ++k) {
            const double phi = k * std::numbers::pi / 200;
            for (int j = 0; j < 3241; ++j) {
                const double x = theta[j] * std::cos(phi - 20.0 * std::numbers::pi / 180.0) / (20.0 * std::numbers::pi / 180.0);
                const double y = theta[j] * std::sin(phi - 20.0 * std::numbers::pi / 180.0) / (7.0 * std::numbers::pi / 180.0);
                scans[k * 3241 + j] = static_cast<float>(40000.0 * std::exp(-2.0 * (x * x + y * y)) + 3.0 * std::sin(j * 0.7));
            }
        }
        return RegridScans(theta, scans.data(), 200);
    }();
    return grid;
}

void BM_BeamShape3dN200(benchmark::State& state) {
    const PolarGrid& grid = EllipticalGrid();
    for (auto _ : state) benchmark::DoNotOptimize(ComputeBeamShape(grid));
    const BeamShape shape = ComputeBeamShape(grid);
    state.counters["major"] = shape.majorDivergence;
    state.counters["minor"] = shape.minorDivergence;
    state.counters["orientation"] = shape.orientation;
}
BENCHMARK(BM_BeamShape3dN200)->Unit(benchmark::kMillisecond);

// One profile's second-moment width and Gaussian fit: a narrow single-mode beam and one as
// wide as a laser diode's major axis (the fit then takes in most of the 3241 samples).
void BM_ProfileMetrics(benchmark::State& state) {
    const double fullWidth = static_cast<double>(state.range(0)) * std::numbers::pi / 180.0;
    const float* theta = Shared().doc->GetAngleGrid();
    std::vector<float> profile(3241);
    for (int j = 0; j < 3241; ++j) {
        const double d = (theta[j] - 0.02) / (fullWidth / 2.0);
        profile[j] = static_cast<float>(40000.0 * std::exp(-2.0 * d * d) + 3.0 * std::sin(j * 0.7));
    }
    for (auto _ : state) benchmark::DoNotOptimize(ComputeProfileMetrics(profile.data(), theta, 3241));
    const ProfileMetrics m = ComputeProfileMetrics(profile.data(), theta, 3241);
    state.counters["width"] = m.secondMomentWidth;
    state.counters["fit"] = m.fitWidth;
}
BENCHMARK(BM_ProfileMetrics)->Arg(10)->Arg(51)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
