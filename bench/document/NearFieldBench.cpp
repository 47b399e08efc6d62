// The near-field chain as the document runs it when a view first asks: on both axes of an
// N = 200 measurement of a single-mode fiber (the whole path: floor, fold, signs, tail, bound,
// transform, area), and the ask that finds it kept. Then the chain alone on a step-index
// fiber's far field with four gain ranges' floor (side lobes signed, the widest far field a
// single-mode fiber gives), and on a far field whose near field never falls within the bound.

#include <benchmark/benchmark.h>

#include "common/ConsolePrompt.h"
#include "document/HeadlessSession.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "instrument/simulation/StepIndexFiber.h"

namespace {

using namespace velor;

struct Fixture {
    Fixture() : session(prompt, viewTypes) {
        doc = session.NewDocument();
        SimulationOptions options;
        options.scans3D = 200;
        options.perpendicular = true;
        if (!SimulateMeasurement(*doc, *sim::MakeGaussianFiber(1310.0, 9.2), options)) std::abort();
        grid.assign(doc->GetAngleGrid(), doc->GetAngleGrid() + kSamplesPerProfile);
        const sim::StepIndexFiber fiber(4.1, 0.12, 1310.0);
        for (const float theta : grid) lp01.push_back(static_cast<float>(60000.0 * fiber.Intensity(theta, 0.0)));
    }
    ConsolePrompt prompt;
    ViewTypeRegistry viewTypes;
    HeadlessSession session;
    CVelor32Doc* doc;
    std::vector<float> grid;
    std::vector<float> lp01;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_NearFieldFirstAsk(benchmark::State& state) {
    CVelor32Doc* doc = Shared().doc;
    const int axis = static_cast<int>(state.range(0));
    float wavelength = 1310.0f;
    for (auto _ : state) {
        // A new wavelength: what the document kept no longer holds, and the chain runs again.
        wavelength = wavelength == 1310.0f ? 1310.5f : 1310.0f;
        doc->SetWavelength(wavelength);
        benchmark::DoNotOptimize(doc->GetEffectiveArea(axis));
    }
    const NearField& field = doc->GetNearField(axis);
    state.counters["radii"] = static_cast<double>(field.intensity.size());
    state.counters["aeff_um2"] = field.effectiveAreaUm2;
}
BENCHMARK(BM_NearFieldFirstAsk)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_NearFieldKept(benchmark::State& state) {
    CVelor32Doc* doc = Shared().doc;
    doc->GetEffectiveArea(0);
    for (auto _ : state) benchmark::DoNotOptimize(doc->GetEffectiveArea(0));
}
BENCHMARK(BM_NearFieldKept)->Unit(benchmark::kMicrosecond);

void BM_NearFieldChainStepIndexFourRanges(benchmark::State& state) {
    const Fixture& f = Shared();
    const FarFieldScan scan{f.lp01, f.grid, 0, kSamplesPerProfile - 1, 0.016f, 1310.0f, 9.0f};
    NearField field;
    for (auto _ : state) {
        field = ComputeNearField(scan);
        benchmark::DoNotOptimize(field.effectiveAreaUm2);
    }
    state.counters["radii"] = static_cast<double>(field.intensity.size());
    state.counters["sign_changes"] = field.signChanges;
}
BENCHMARK(BM_NearFieldChainStepIndexFourRanges)->Unit(benchmark::kMillisecond);

void BM_NearFieldChainNeverFalling(benchmark::State& state) {
    const Fixture& f = Shared();
    // A radial step a thousandth of the mode's: the near field cannot fall 40 dB within the bound.
    const FarFieldScan scan{f.lp01, f.grid, 0, kSamplesPerProfile - 1, 0.016f, 1310.0f, 0.009f};
    bool valid = true;
    for (auto _ : state) {
        valid = ComputeNearField(scan).valid;
        benchmark::DoNotOptimize(valid);
    }
    if (valid) state.SkipWithError("the near field should not have been reached");
}
BENCHMARK(BM_NearFieldChainNeverFalling)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
