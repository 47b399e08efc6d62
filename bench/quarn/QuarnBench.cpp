// Mode-field diameter on a full sweep and the near-field chain (sign, transform, effective
// area, release) on a folded Gaussian far field.

#include <benchmark/benchmark.h>

#include <vector>

#include "FarFieldProfiles.h"
#include "TestAngleGrid.h"
#include "quarn/quarn.h"

namespace {

constexpr float kWavelengthNm = 1310.0f;
constexpr double kWaistUm = 4.6;
constexpr float kStepUm = 0.1f;

void BM_ComputeMFD(benchmark::State& state) {
    const std::vector<float> grid = quarn::test::DocumentAngleGrid(3.0f);
    const std::vector<float> profile = quarn::test::GaussianFarField(grid, kWaistUm, kWavelengthNm);
    for (auto _ : state) {
        float mfd = 0.0f;
        benchmark::DoNotOptimize(Quarn_ComputeMFD(quarn::test::kSamples, profile.data(),
                                                  grid.data(), 16, 0, quarn::test::kSamples - 1,
                                                  0.0f, kWavelengthNm, &mfd));
        benchmark::DoNotOptimize(mfd);
    }
}
BENCHMARK(BM_ComputeMFD)->Unit(benchmark::kMicrosecond);

void BM_NearFieldChain(benchmark::State& state) {
    const std::vector<float> grid = quarn::test::DocumentAngleGrid(3.0f);
    const std::vector<float> profile = quarn::test::GaussianFarField(grid, kWaistUm, kWavelengthNm);
    float* foldedPointer = nullptr;
    float* anglesPointer = nullptr;
    uint16_t n = 0;
    if (!Quarn_FoldData(quarn::test::kSamples, profile.data(), grid.data(),
                        profile[quarn::test::kCentreSample], &foldedPointer, &anglesPointer, &n)) {
        state.SkipWithError("fold failed");
        return;
    }
    const std::vector<float> folded(foldedPointer, foldedPointer + n);  // 1621 samples
    const std::vector<float> angles(anglesPointer, anglesPointer + n);
    Quarn_ReleaseMemory();

    std::vector<int16_t> signs(n);
    uint16_t radii = 0;
    for (auto _ : state) {
        int16_t* signsOut = signs.data();
        float* field = nullptr;
        Quarn_SignData(n, folded.data(), 16, 40, &signsOut);
        Quarn_NearField(n, folded.data(), angles.data(), signs.data(), kStepUm, kWavelengthNm,
                        &field, &radii);
        benchmark::DoNotOptimize(Quarn_ComputeEffArea(radii, field, kStepUm));
        Quarn_ReleaseMemory();
    }
    state.counters["samples"] = n;
    state.counters["radii"] = radii;
}
BENCHMARK(BM_NearFieldChain)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
