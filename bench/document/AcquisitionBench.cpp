// The per-sweep processing chain (averaging, smoothing with the widest filter, the pulsed
// envelope, corrections) and a simulated live run: perpendicular axes at the board's 10 sweeps
// a second, 14 clients, driven tick by tick on a simulated clock through the simulated
// station's whole board chain.

#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

#include "common/ConsolePrompt.h"
#include "document/AcquisitionTimers.h"
#include "document/Velor32Doc.h"
#include "instrument/board/NoInstrument.h"
#include "instrument/board/SimulatedStation.h"
#include "instrument/motion/MotionStage.h"

namespace {

using namespace velor;

class SimulatedTime : public MillisecondClock, public Sleeper {
public:
    uint32_t Now() const override { return now; }
    void SleepMs(uint32_t ms) override { now += ms; }
    uint32_t now = 1000;
};

// A board whose capture is a fixed sweep, delivered at once: only the document's work is timed.
class FixedBoard : public NoInstrument {
public:
    explicit FixedBoard(const sim::RawSweep& sweep) : m_sweep(sweep) {}
    int Tesk32_GetHeadType(int, int* variant) override {
        *variant = 0;
        return 0;
    }
    int Tesk32_CapReadData(int, uint16_t* buffer, int count) override {
        std::memcpy(buffer, m_sweep.data(), sizeof(uint16_t) * count);
        return count;
    }

private:
    sim::RawSweep m_sweep;
};

class ManualTicks : public AcquisitionTimers {
public:
    void StartTick(CDormDoc&) override { running = true; }
    void StopTick(CDormDoc&) override { running = false; }
    bool IsTickRunning(const CDormDoc&) const override { return running; }
    void PostTick(CDormDoc&) override { posted = true; }
    bool OtherEventsWaiting() const override { return false; }
    bool SetFrameTimer(CDormDoc&, int, uint32_t) override { return true; }
    void KillFrameTimer(int) override {}
    bool running = false;
    bool posted = false;
};

class CountingClient : public AcquisitionClientWindow {
public:
    void PostScanDone(int) override { ++scans; }
    int scans = 0;
};

void BM_SweepChain(benchmark::State& state) {
    ConsolePrompt prompt;
    SimulatedTime time;
    sim::SweepSettings settings;
    settings.peakCounts = 40000.0;
    const auto source = sim::MakeLaserDiode({});
    FixedBoard board(sim::SimulateSweep(*source, 120.0, 3.65f, settings));
    NoMotionStage motion;
    DocumentFrame frame;
    ManualTicks ticks;
    DocumentEnvironment env{prompt, board, motion, time, frame, ticks, time};
    CVelor32Doc doc(env);
    doc.SetApertureSourceDistance(2.0f);
    doc.SetInstrumentFlag(true);
    doc.InitInstrument();
    doc.ApplyPhiAngle(120.0f);  // the blind spots are bridged at this azimuth
    doc.SetFilter(99);
    doc.SetAveraging(2);
    doc.ApplyPulsedMode(true, 1.0f);
    for (auto _ : state) benchmark::DoNotOptimize(doc.CaptureNow());
    // Each capture is two averaged sweeps.
    state.counters["per_sweep_us"] = benchmark::Counter(2.0 * state.iterations(),
                                                         benchmark::Counter::kIsRate |
                                                             benchmark::Counter::kInvert);
}
BENCHMARK(BM_SweepChain)->Unit(benchmark::kMicrosecond);

void BM_LiveRunOneSecond(benchmark::State& state) {
    ConsolePrompt prompt;
    SimulatedTime time;
    SimulatedStation station(sim::MakeGaussianFiber(1310, 9.2), {}, time, time, prompt);
    NoMotionStage motion;
    DocumentFrame frame;
    ManualTicks ticks;
    DocumentEnvironment env{prompt, station.Board(), motion, time, frame, ticks, time};
    CVelor32Doc doc(env);
    doc.SetInstrumentFlag(true);
    doc.SetScanAcquisition(true);  // initialising without a controller selects one axis...
    doc.OnPerpendicularAxes();     // ...so two are chosen afterwards
    std::vector<CountingClient> clients(14);
    for (CountingClient& c : clients) doc.AddAcquisitionClient(-1, 100, &c);
    for (auto _ : state) {
        for (int tick = 0; tick < 200; ++tick) {  // 200 ticks of 5 ms
            time.now += 5;
            ticks.posted = false;
            doc.OnTimerCallback();
            if (ticks.posted) doc.OnAcquisitionTick();
        }
    }
    state.counters["scans_per_simulated_s"] =
        benchmark::Counter(clients[0].scans / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_LiveRunOneSecond)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
