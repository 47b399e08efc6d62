// One synchronous sweep through the simulated station's whole chain: the board access arms the
// unit, polls it until the capture's time has passed on a simulated clock and reads the 4096
// samples out through the board library's register protocol on the driver stand-in. The
// detector's sweep of the source is part of it, as in the program. Argument: the unit's board
// version (0 reads a sample in one driver call, 1 and 3 in six).

#include <benchmark/benchmark.h>

#include <array>

#include "cbw32/Cbw32Sim.h"
#include "common/ConsolePrompt.h"
#include "instrument/board/SimulatedStation.h"

namespace {

using namespace velor;

class SimulatedTime : public MillisecondClock, public Sleeper {
public:
    uint32_t Now() const override { return now; }
    void SleepMs(uint32_t ms) override { now += ms; }
    uint32_t now = 1000;
};

void BM_SweepThroughTheChain(benchmark::State& state) {
    ConsolePrompt prompt;
    SimulatedTime time;
    SimulatedBoardSettings settings;
    settings.boardVersion = static_cast<int>(state.range(0));
    double stagePhi = 30.0;
    SimulatedStation station(sim::MakeGaussianFiber(1310, 9.2), settings, time, time, prompt,
                             [&stagePhi] { return stagePhi; });
    Tesk32& board = station.Board();
    board.Tesk32_InitCard(0, kBoardIoAddress);
    board.Tesk32_SetSignalGain(0, 0);
    std::array<uint16_t, kSamplesPerSweep> words{};
    const uint64_t callsBefore = cbw32sim::CallCount();
    for (auto _ : state) {
        if (board.Tesk32_CapReadData(0, words.data(), kSamplesPerSweep) != kSamplesPerSweep) {
            state.SkipWithError("the sweep delivered no samples");
            break;
        }
        benchmark::DoNotOptimize(words.data());
    }
    state.counters["driver_calls"] = benchmark::Counter(
        static_cast<double>(cbw32sim::CallCount() - callsBefore) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_SweepThroughTheChain)->Arg(1)->Arg(3)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
