// One sample of the beam statistics window with every row the table can hold (all classic
// parameters of both axes, 39 rows, and every beam metric: the second-moment and fit figures of
// both axes and the 3D shape, 14 rows) and all seven columns shown, each row computed from a
// perpendicular laser-diode measurement, the record appended to a log file, and the list
// repainted. Between samples the profiles widen, narrow and scale a little, as live scans do, so
// values, statistics and their texts change from sample to sample (and every profile is fitted
// afresh). Run twice: with every row, and with every row but the effective area, whose near
// field costs each axis about 3 ms, more than all the other rows together.

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/ConsolePrompt.h"
#include "document/HeadlessSession.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "views/beamstats/BeamData.h"
#include "views/beamstats/BeamMetricKinds.h"
#include "views/framework/ViewHost.h"

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

CBeamDataData EveryRowLoggedTo(const CBeamDataData& from, const QString& path) {
    CBeamDataData s = from;
    s.m_nWidthFlags = 0x75;
    s.m_nApertureFlags = 0x1F;
    s.m_nRatioFlags = 0x1F;
    s.m_bCentroid = s.m_bPeak = s.m_bModeField = 1;
    s.m_nAmplitudeFlags = 0x0F;
    s.m_nDisplayFlags = 0x7F;
    s.m_nLogOutput = kLogFile;
    s.m_bLogTime = 1;
    const QByteArray name = path.toLocal8Bit();
    std::memset(s.m_szLogFile, 0, sizeof s.m_szLogFile);
    std::memcpy(s.m_szLogFile, name.constData(), std::min<size_t>(name.size(), sizeof s.m_szLogFile - 1));
    return s;
}

void BM_BeamSample(benchmark::State& state) {
    BenchHost host;
    ViewTypeRegistry types;
    HeadlessSession session(host.prompt, types);
    CVelor32Doc* doc = session.NewDocument();
    SimulationOptions options;
    options.scans3D = 10;
    options.perpendicular = true;
    if (!SimulateMeasurement(*doc, *sim::MakeLaserDiode(sim::LaserDiodeBeam{}), options)) {
        state.SkipWithError("simulation failed");
        return;
    }
    // Live scans: the measured profiles widened or narrowed by up to 3 % about their centre and
    // scaled by up to 3 %, so widths, apertures and amplitudes all move.
    std::vector<std::vector<float>> scans[2];
    for (int axis = 0; axis < 2; ++axis) {
        const float* base = doc->GetProfileData(axis);
        const int n = doc->GetNumPoints(axis);
        const double centre = (n - 1) / 2.0;
        for (int k = 0; k < 13; ++k) {
            const double stretch = 1.0 + 0.005 * (k - 6);
            std::vector<float> scan(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i) {
                const double from = std::clamp(centre + (i - centre) / stretch, 0.0, n - 1.0);
                const int j = std::min(static_cast<int>(from), n - 2);
                const double t = from - j;
                scan[i] = static_cast<float>((base[j] * (1.0 - t) + base[j + 1] * t) * (1.0 + 0.005 * (k % 7)));
            }
            scans[axis].push_back(std::move(scan));
        }
    }
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("bench.plg"));

    CBeamData view(host);
    doc->AddView(&view);
    view.resize(1600, 1000);
    view.show();
    view.OnInitialUpdate();
    const CBeamDataData settings = EveryRowLoggedTo(view, log);
    constexpr uint32_t kEffectiveAreaBit = 0x200;
    const bool withArea = state.range(0) != 0;
    view.ApplyParameters(settings, true, withArea ? BeamMetricBits() : BeamMetricBits() & ~kEffectiveAreaBit);
    QApplication::processEvents();

    size_t scan = 0;
    for (auto _ : state) {
        state.PauseTiming();
        scan = (scan + 1) % scans[0].size();
        doc->StoreProfiles(scans[0][scan], scans[1][scan]);
        state.ResumeTiming();
        view.TakeSample();
        view.List()->viewport()->repaint();
        if (view.Log().RecordCount() > 16000) {
            // A log file holds at most 16383 records: start a new one outside the timing.
            state.PauseTiming();
            view.ApplyParameters(settings, true);
            state.ResumeTiming();
        }
    }
    if (!view.Log().IsOpen()) state.SkipWithError("the log stopped");
    state.counters["rows"] = static_cast<double>(view.Statistics().Rows().size());
    state.counters["columns"] = static_cast<double>(view.Statistics().ShownColumns().size());
}
BENCHMARK(BM_BeamSample)->ArgName("with_effective_area")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
