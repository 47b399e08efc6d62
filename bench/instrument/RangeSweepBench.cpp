// One wide-range sweep against one ordinary sweep, both through the simulated station's whole
// chain: the document's capture sets each range's gain, arms the unit, polls it on a simulated
// clock and reads the 4096 samples through the board library and the driver stand-in, the
// simulated detector sweeping a step-index fiber; then the ranges are stitched and the sweep
// processed. Each iteration takes one sweep over R ranges and one over a single range, timed
// side by side in the thread's CPU time, so that the ratio holds whatever else the machine is
// doing. Argument: R.

#include <benchmark/benchmark.h>

#include <time.h>

#include "common/ConsolePrompt.h"
#include "document/DocumentEnvironment.h"
#include "document/Velor32Doc.h"
#include "instrument/board/SimulatedStation.h"

namespace {

using namespace velor;

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

class SimulatedTime : public MillisecondClock, public Sleeper {
public:
    uint32_t Now() const override { return now; }
    void SleepMs(uint32_t ms) override { now += ms; }
    uint32_t now = 1000;
};

void BM_WideRangeSweepAgainstOneRange(benchmark::State& state) {
    ConsolePrompt prompt;
    SimulatedTime time;
    SimulatedBoardSettings settings;
    settings.sweep.peakCounts = 60000.0;
    SimulatedStation station(sim::MakeStepIndexFiber(4.1, 0.12204, 1310), settings, time, time, prompt);
    NoMotionStage motion;
    DocumentFrame frame;
    CVelor32Doc doc(DocumentEnvironment{prompt, station.Board(), motion, time, frame,
                                        DocumentEnvironment::NoTimers(), time});
    doc.SetInstrumentFlag(true);
    doc.InitInstrument();
    const int ranges = static_cast<int>(state.range(0));

    const auto timed = [&doc](int r) {
        doc.SetGainRanges(r);
        const double start = ThreadCpuMs();
        doc.CaptureNow();
        return ThreadCpuMs() - start;
    };
    double wide = 0.0;
    double one = 0.0;
    for (auto _ : state) {
        wide += timed(ranges);
        if (doc.GetAxisRanges(0) != ranges) {
            state.SkipWithError("the sweep did not take every range");
            break;
        }
        one += timed(1);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["wide_cpu_ms"] = wide / n;
    state.counters["one_range_cpu_ms"] = one / n;
    state.counters["ratio"] = wide / one;
}
BENCHMARK(BM_WideRangeSweepAgainstOneRange)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
