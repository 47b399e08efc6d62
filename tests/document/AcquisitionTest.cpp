// Acquisition on the simulated instrument, driven tick by tick on a fake clock: clients,
// averaging, the two axes, smoothing, auto gain, the pulsed envelope, the 3D acquisition and
// the phi moves.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "document/CommandIds.h"
#include "document/UpdateHints.h"
#include "tests/support/AcquisitionStation.h"

namespace velor::test {
namespace {

std::shared_ptr<const sim::BeamModel> Gaussian() { return sim::MakeGaussianFiber(1310, 9.2); }

SimulatedBoardSettings Quiet(double peak = 40000.0) {
    SimulatedBoardSettings settings;
    settings.sweep.peakCounts = peak;
    settings.sweep.noiseRms = 0.0;
    return settings;
}

// Runs ticks until the client has been told `scans` times (at most `limit` ticks).
void RunUntil(AcquisitionStation& s, const RecordingClient& client, size_t scans, int limit = 2000) {
    for (int i = 0; i < limit && client.codes.size() < scans; ++i) s.Tick();
}

TEST(Acquisition, AveragedScanComesAfterThreeSweepsAndIsTheirMean) {
    AcquisitionStation s(Gaussian());
    RecordingClient client;
    s.doc->SetAveraging(3);
    s.doc->SetScanAcquisition(true);
    ASSERT_TRUE(s.doc->IsAcquiring());
    ASSERT_TRUE(s.timers.tickRunning);
    // A long period: the next cycle does not start in the tick that ends this one.
    ASSERT_TRUE(s.doc->AddAcquisitionClient(-1, 1000, &client));

    std::vector<sim::RawSweep> read;
    for (int i = 0; i < 600 && client.codes.empty(); ++i) {
        const uint16_t before = s.doc->GetAcquisitionState();
        s.Tick();
        if (before == 2 && s.doc->GetAcquisitionState() != 2) read.push_back(s.board->LastSweep());
    }
    ASSERT_EQ(client.codes, std::vector<int>{1});
    ASSERT_EQ(read.size(), 3u) << "three ready ticks";
    EXPECT_EQ(s.board->CapturesTaken(), 3);
    const float* raw = s.doc->GetRawSweep(0);
    for (int i = 0; i < 4096; i += 97) {
        float sum = read[0][i];
        sum += read[1][i];
        sum += read[2][i];
        ASSERT_FLOAT_EQ(raw[i], sum / 3) << i;
    }
    EXPECT_GT(s.doc->GetPeakValue(0), 30000.0f);
    EXPECT_TRUE(s.doc->HasLiveData());
}

TEST(Acquisition, PerpendicularAxesEndInOneScanOfBothAxes) {
    AcquisitionStation s(Gaussian());
    RecordingClient client;
    s.doc->SetScanAcquisition(true);
    s.doc->OnPerpendicularAxes();
    s.doc->AddAcquisitionClient(-1, 1000, &client);
    RunUntil(s, client, 1);
    ASSERT_EQ(client.codes, std::vector<int>{3});
    EXPECT_EQ(s.board->CapturesTaken(), 2);
    EXPECT_GT(s.doc->GetPeakValue(1), 30000.0f);
    EXPECT_DOUBLE_EQ(s.board->PhiDegrees(), 90.0) << "axis 1 was swept at phi + 90";
    EXPECT_EQ(s.controllerSim.ProgramsRun().back(), 500) << "the stage turned to axis 1";
    RunUntil(s, client, 2);
    EXPECT_EQ(s.controllerSim.ProgramsRun().back(), 500);
    EXPECT_NE(std::find(s.controllerSim.ProgramsRun().begin(), s.controllerSim.ProgramsRun().end(), 520),
              s.controllerSim.ProgramsRun().end()) << "and back for axis 0";
}

TEST(Acquisition, ClientSlotsCountsAndPeriods) {
    AcquisitionStation s(Gaussian());
    s.doc->SetScanAcquisition(true);
    std::vector<RecordingClient> clients(15);
    for (int i = 0; i < 13; ++i) ASSERT_TRUE(s.doc->AddAcquisitionClient(-1, 1000, &clients[i]));
    RecordingClient once;
    ASSERT_TRUE(s.doc->AddAcquisitionClient(1, 5, &once));  // the 14th
    EXPECT_FALSE(s.doc->AddAcquisitionClient(-1, 100, &clients[14])) << "a 15th is refused";
    EXPECT_EQ(s.doc->Client(13).period, 10) << "short periods are raised to 10 ms";
    EXPECT_EQ(s.doc->Client(0).period, 995) << "longer ones are taken 5 ms early";
    EXPECT_TRUE(s.doc->AddAcquisitionClient(-1, 1000, &clients[0])) << "re-registering replaces";
    EXPECT_EQ(s.doc->ClientCount(), 14);

    s.Ticks(1000);  // 5 s
    EXPECT_EQ(once.codes.size(), 1u) << "a count of one gives exactly one scan";
    EXPECT_GE(clients[5].codes.size(), 4u) << "a negative count never runs out";

    EXPECT_TRUE(s.doc->RemoveAcquisitionClient(&clients[5]));
    EXPECT_FALSE(s.doc->RemoveAcquisitionClient(&clients[5]));
    EXPECT_EQ(s.doc->ClientCount(), 13);
    EXPECT_EQ(s.doc->PauseCount(), 0);
}

TEST(Acquisition, ClientsGetScansAtTheRateTheyAskedFor) {
    AcquisitionStation s(Gaussian());
    s.doc->SetScanAcquisition(true);
    RecordingClient slow, fast;
    s.doc->AddAcquisitionClient(-1, 500, &slow);
    s.doc->AddAcquisitionClient(-1, 250, &fast);
    s.Ticks(2000);  // 10 s
    EXPECT_NEAR(static_cast<double>(slow.codes.size()), 20.0, 1.0);
    EXPECT_NEAR(static_cast<double>(fast.codes.size()), 40.0, 1.0);
    // The two clients' cycles interleave: the rate counts every completed scan.
    EXPECT_NEAR(s.doc->GetScanRate(), s.board->CapturesTaken() / 10.0, 0.3) << "scans per second";
}

TEST(Acquisition, NothingIsScannedWithoutTheInstrumentOrWhilePaused) {
    AcquisitionStation s(Gaussian());
    RecordingClient client;
    s.doc->SetScanAcquisition(true);
    s.doc->AddAcquisitionClient(-1, 100, &client);
    s.doc->PauseAcquisition();
    s.Ticks(100);
    EXPECT_TRUE(client.codes.empty());
    s.doc->ResumeAcquisition();
    s.timers.eventsWaiting = true;  // ticks give way to user input
    s.Ticks(100);
    EXPECT_TRUE(client.codes.empty());
    s.timers.eventsWaiting = false;
    RunUntil(s, client, 1);
    EXPECT_EQ(client.codes.size(), 1u);

    s.doc->SetScanAcquisition(false);
    EXPECT_FALSE(s.timers.tickRunning) << "acquisition off stops the tick";
}

TEST(Acquisition, TimedPauseResumesOnTimerFourAndNoTimerIsFatal) {
    AcquisitionStation s(Gaussian());
    s.doc->PauseAcquisitionFor(500);
    EXPECT_EQ(s.doc->PauseCount(), 1);
    ASSERT_EQ(s.timers.frameTimers.size(), 1u);
    EXPECT_EQ(s.timers.frameTimers[0], std::make_pair(4, 500u));
    s.doc->PauseAcquisitionFor(500);
    EXPECT_EQ(s.doc->PauseCount(), 1) << "one timed pause at a time";
    s.doc->OnTimer(4);
    EXPECT_EQ(s.doc->PauseCount(), 0);
    EXPECT_EQ(s.timers.killed, std::vector<int>{4});

    s.timers.timersAvailable = false;
    EXPECT_THROW(s.doc->PauseAcquisitionFor(10), FatalExitCalled);
    EXPECT_EQ(s.prompt.Last().text, "No timers available");
}

TEST(Acquisition, SmoothingWindowShrinksAtBothEnds) {
    AcquisitionStation s(Gaussian(), Quiet());
    ASSERT_TRUE(s.doc->InitInstrument());
    for (const int filter : {1, 2}) {
        s.doc->SetFilter(filter);
        s.doc->CaptureNow();
        const sim::RawSweep& w = s.board->LastSweep();
        for (int i = 0; i < 4096; i += 13) ASSERT_EQ(s.doc->GetRawSweep(0)[i], w[i]) << filter;
    }
    s.doc->SetFilter(5);
    s.doc->CaptureNow();
    const sim::RawSweep& w = s.board->LastSweep();
    const float* raw = s.doc->GetRawSweep(0);
    const auto mean = [&w](int from, int to) {
        double sum = 0;
        for (int i = from; i <= to; ++i) sum += w[i];
        return sum / (to - from + 1);
    };
    EXPECT_EQ(raw[0], w[0]);
    EXPECT_NEAR(raw[1], mean(0, 2), 0.01);
    EXPECT_NEAR(raw[1620], mean(1618, 1622), 0.01);
    EXPECT_NEAR(raw[3239], mean(3238, 3240), 0.01);
    EXPECT_EQ(raw[3240], w[3240]);
    EXPECT_EQ(raw[3700], w[3700]) << "the dark words are left alone";
}

TEST(Acquisition, AutoGainLandsThePeakNearFullScaleAndNeverFreezesAcquisition) {
    AcquisitionStation s(Gaussian(), Quiet(400.0));
    EXPECT_EQ(s.doc->RunAutoGain(), 1);
    EXPECT_GT(s.doc->GetSignalGain(), 30);
    std::array<uint16_t, 4096> words{};
    s.board->Tesk32_CapReadData(0, words.data(), 4096);
    const uint16_t peak = *std::max_element(words.begin(), words.end());
    EXPECT_GE(peak, 58000);
    EXPECT_LE(peak, 65534);
    EXPECT_FALSE(s.doc->IsCapturing());

    SimulatedBoardSettings unknown = Quiet(400.0);
    unknown.headType = 7;
    AcquisitionStation u(Gaussian(), unknown);
    EXPECT_EQ(u.doc->RunAutoGain(), -2);
    EXPECT_FALSE(u.doc->IsCapturing());
    RecordingClient client;
    u.doc->SetScanAcquisition(true);
    u.doc->AddAcquisitionClient(-1, 100, &client);
    RunUntil(u, client, 1);
    EXPECT_EQ(client.codes.size(), 1u) << "acquisition still runs";

    AcquisitionStation dim(Gaussian(), Quiet(0.001));
    EXPECT_EQ(dim.doc->RunAutoGain(), -4);
    EXPECT_EQ(dim.doc->GetSignalGain(), 139) << "too weak: the highest InGaAs gain";
}

TEST(Acquisition, PulsedEnvelopeJoinsThePulsePeaks) {
    const std::shared_ptr<const sim::BeamModel> wide = sim::MakeMultimodeFiber(0.5, 0.05);
    AcquisitionStation steady(wide, Quiet());
    steady.doc->InitInstrument();
    steady.doc->CaptureNow();
    const std::vector<float> truth(steady.doc->GetProfileData(0), steady.doc->GetProfileData(0) + 3241);

    // At 64.8 kHz and above a pulse is no longer than a sample: nothing to join.
    AcquisitionStation fast(wide, Quiet());
    fast.doc->InitInstrument();
    fast.doc->ApplyPulsedMode(true, 20.0f);
    fast.doc->m_fSourceFreq = 64.8f;
    fast.doc->CaptureNow();
    EXPECT_EQ(std::vector<float>(fast.doc->GetProfileData(0), fast.doc->GetProfileData(0) + 3241), truth);

    SimulatedBoardSettings chopped = Quiet();
    chopped.pulseFrequencyKHz = 2.0;  // a pulse every 32.4 samples
    AcquisitionStation pulsed(wide, chopped);
    pulsed.doc->InitInstrument();
    pulsed.doc->CaptureNow();
    const float* gaps = pulsed.doc->GetProfileData(0);
    int dark = 0;
    for (int j = 1300; j < 1940; ++j) dark += gaps[j] < 0.1f * truth[j] ? 1 : 0;
    EXPECT_GT(dark, 400) << "without the envelope most samples fall between pulses";

    pulsed.doc->ApplyPulsedMode(true, 2.0f);
    pulsed.doc->CaptureNow();
    const float* joined = pulsed.doc->GetProfileData(0);
    for (int j = 1300; j < 1940; j += 7) EXPECT_NEAR(joined[j], truth[j], 0.03f * truth[1620]) << j;

    // Over three gain ranges the higher ones clip in every pulse; the envelope is the same.
    pulsed.doc->SetGainRanges(3);
    pulsed.doc->CaptureNow();
    ASSERT_EQ(pulsed.doc->GetAxisRanges(0), 3);
    for (int j = 1300; j < 1940; j += 7) EXPECT_NEAR(joined[j], truth[j], 0.03f * truth[1620]) << j;
}

TEST(Acquisition, DumpNextScanWritesTheSweepAndSaysDone) {
    QTemporaryDir dir;
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    AcquisitionStation s(Gaussian(), Quiet());
    s.doc->InitInstrument();
    ASSERT_TRUE(s.doc->OnCommand(ID_DUMP_NEXT_SCAN));
    s.doc->CaptureNow();
    QFile file(dir.filePath("datafile.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    EXPECT_EQ(lines.size(), 4097);  // 4096 lines and the empty rest after the last \n
    EXPECT_EQ(lines[1620].toInt(), s.board->LastSweep()[1620]);
    EXPECT_EQ(s.prompt.Last().text, "DONE!");
    QDir::setCurrent(before);
}

class Acquisition3D : public ::testing::Test {
protected:
    Acquisition3D() : s(TiltedBeam(), Quiet(30000.0)) {
        s.doc->InitInstrument();
        s.doc->ApplyScans3D(10);
    }
    static std::shared_ptr<const sim::BeamModel> TiltedBeam() {
        sim::LaserDiodeBeam beam;
        beam.majorFwhmDeg = 16.0;
        beam.minorFwhmDeg = 16.0;
        beam.tiltThetaDeg = 10.0;
        beam.tiltPhiDeg = 30.0;
        return sim::MakeLaserDiode(beam);
    }
    AcquisitionStation s;
};

TEST_F(Acquisition3D, FillsEveryAzimuthAndFindsTheBeam) {
    ProbeView view;
    s.doc->AddView(&view);
    s.doc->Acquire3D();
    EXPECT_TRUE(s.prompt.Messages().empty()) << s.prompt.Texts().join("|").toStdString();
    EXPECT_EQ(s.doc->m_b3DValid, 1);
    EXPECT_EQ(view.hints.back(), UM_3DDONE);
    EXPECT_EQ(s.board->CapturesTaken(), 11);
    // Each scan is the beam seen in its plane: peak where the ideal profile peaks.
    for (int k = 0; k <= 10; ++k) {
        const std::vector<float> ideal = sim::IdealProfile(*TiltedBeam(), k * 18.0, s.doc->m_fDistance, 30000.0);
        const float* scan = s.doc->Get3DData() + k * 3241;
        const int measuredPeak = static_cast<int>(std::max_element(scan, scan + 3241) - scan);
        const int idealPeak = static_cast<int>(std::max_element(ideal.begin(), ideal.end()) - ideal.begin());
        EXPECT_NEAR(measuredPeak, idealPeak, 3) << k;
    }
    EXPECT_NEAR(s.doc->GetCentroidAngles()[0], 10.0f, 0.3f);
    EXPECT_NEAR(s.doc->GetCentroidAngles()[1], 30.0f, 1.0f);
    EXPECT_GT(s.doc->GetCalCounts(), 0.0f) << "the first 3D run calibrates";
    EXPECT_EQ(s.doc->GetScanMode(), 0) << "the scan mode comes back";
    EXPECT_EQ(s.controllerSim.ProgramsRun().front(), 200) << "homed first";
    EXPECT_DOUBLE_EQ(s.controllerSim.Phi(), 0.0) << "and home again at the end";
}

TEST_F(Acquisition3D, CancelClearsTheDataAndGivesTheProfileBack) {
    s.doc->CaptureNow();
    const std::vector<float> before(s.doc->GetProfileData(0), s.doc->GetProfileData(0) + 3241);
    s.prompt.cancelAfterSteps = 3;
    s.doc->Acquire3D();
    EXPECT_EQ(s.doc->m_b3DValid, 0);
    EXPECT_TRUE(std::all_of(s.doc->Get3DData(), s.doc->Get3DData() + 11 * 3241, [](float v) { return v == 0.0f; }));
    EXPECT_EQ(std::vector<float>(s.doc->GetProfileData(0), s.doc->GetProfileData(0) + 3241), before);
    EXPECT_FALSE(s.doc->IsBusy());
}

TEST_F(Acquisition3D, HomingErrorAsksToRetry) {
    // The homing error shows up during the run (the reset before it clears any earlier one).
    s.prompt.onProgressStep = [this] { s.controllerSim.SetStatus(2); };
    s.prompt.Answer(PromptAnswer::Cancel);
    s.doc->Acquire3D();
    ASSERT_FALSE(s.prompt.Messages().empty());
    const PromptMessage& m = s.prompt.Messages().front();
    EXPECT_EQ(m.caption, "Motion Control Position Failure");
    EXPECT_EQ(m.buttons, PromptButtons::RetryCancel);
    EXPECT_TRUE(m.text.startsWith("System diagnostics have determined an error in the motion control system."));
    EXPECT_EQ(s.doc->m_b3DValid, 1) << "Cancel keeps the data set";
}

TEST(PhiMoves, StepsQuarterTurnsAndHoming) {
    AcquisitionStation s(Gaussian(), Quiet());
    s.doc->InitInstrument();
    s.doc->m_fPhi = 358.2f;
    s.doc->IncrementPhi(50);
    EXPECT_NEAR(s.doc->GetCurrentPhi(), 1.8f, 1e-4f);
    EXPECT_EQ(s.controllerSim.ProgramsRun().back(), 380);
    EXPECT_EQ(s.controllerSim.Speeds().r, 200) << "fast speeds for head variant 0";
    s.doc->Go90Deg(false);
    EXPECT_NEAR(s.doc->GetCurrentPhi(), 271.8f, 1e-3f);
    EXPECT_EQ(s.controllerSim.ProgramsRun().back(), 520);
    EXPECT_TRUE(s.doc->MotorGoHome());
    EXPECT_EQ(s.doc->GetCurrentPhi(), 0.0f);

    AcquisitionStation alone(Gaussian(), Quiet(), /*withController=*/false);
    alone.doc->InitInstrument();
    alone.doc->m_fPhi = 10.0f;
    alone.doc->IncrementPhi(20);
    EXPECT_EQ(alone.doc->m_fPhi, 10.0f) << "nothing moves without a controller";
    EXPECT_FALSE(alone.doc->MotorGoHome());
}

TEST(AcquisitionCommands, EnableRulesAndAcquireWhileReplaying) {
    TestStation viewer;
    CVelor32Doc* idle = viewer.NewDocument();
    EXPECT_FALSE(idle->GetCommandState(ID_ACQUIRE_SCAN_DATA).enabled);
    EXPECT_FALSE(idle->GetCommandState(ID_ACQUIRE_3D_DATA).enabled);
    EXPECT_FALSE(idle->GetCommandState(ID_AUTO_GAIN).enabled);

    AcquisitionStation s(Gaussian(), Quiet());
    ProbeView view;
    s.doc->AddView(&view);
    EXPECT_TRUE(s.doc->GetCommandState(ID_ACQUIRE_3D_DATA).enabled);
    s.doc->OnCommand(ID_ACQUIRE_SCAN_DATA);
    EXPECT_TRUE(s.doc->GetCommandState(ID_ACQUIRE_SCAN_DATA).checked);
    EXPECT_FALSE(s.doc->GetCommandState(ID_ACQUIRE_3D_DATA).enabled);
    s.doc->OnCommand(ID_ACQUIRE_SCAN_DATA);
    EXPECT_FALSE(s.doc->IsAcquiring());

    s.doc->m_b3DValid = 1;
    s.doc->ToggleReplay();
    ASSERT_TRUE(s.doc->IsReplayMode());
    s.doc->OnCommand(ID_ACQUIRE_SCAN_DATA);
    EXPECT_FALSE(s.doc->IsReplayMode());
    EXPECT_FALSE(s.doc->IsAcquiring());
}

TEST(AcquisitionDialogs, SensitivityChangesAreUndoneByCancelAndScanCountReallocates) {
    AcquisitionStation s(Gaussian(), Quiet());
    s.doc->InitInstrument();
    s.doc->SetSignalGain(20);
    const auto opening = s.doc->BeginSensitivity();
    EXPECT_EQ(s.doc->PauseCount(), 1);
    s.doc->SetSignalGain(60);
    s.doc->SetFilter(9);
    s.doc->SetAveraging(8);
    s.doc->SetGainRanges(3);
    s.doc->EndSensitivity(false, opening);
    EXPECT_EQ(s.doc->GetGainRanges(), 1);
    EXPECT_EQ(s.doc->GetSignalGain(), 20);
    EXPECT_EQ(s.doc->GetFilter(), 1);
    EXPECT_EQ(s.doc->GetAveraging(), 1);
    EXPECT_EQ(s.board->GainCode(), 20);

    s.doc->m_b3DValid = 1;
    s.doc->ApplyScans3D(50);
    EXPECT_EQ(s.doc->m_nScans3D, 50);
    EXPECT_EQ(s.doc->m_b3DValid, 0);
    s.doc->Get3DData()[50 * 3241 + 3240] = 1.0f;  // room for 51 scans
    s.doc->ApplyScans3D(7);
    EXPECT_EQ(s.doc->m_nScans3D, 50) << "only the five scan counts";
}

class StuckBoard : public RecordingBoard {
public:
    int Tesk32_DaqInProgress(int) override { return 1; }
};

TEST(Acquisition, StopCaptureGivesUpAfterTwoSecondsAndReinitialises) {
    RecordingPrompt prompt;
    StuckBoard board;
    NoMotionStage motion;
    FakeClock clock;
    FakeSleeper sleeper(clock);
    RecordingFrame frame;
    ManualTimers timers;
    DocumentEnvironment env{prompt, board, motion, clock, frame, timers, sleeper};
    CVelor32Doc doc(env);  // construction abandons any capture in progress
    EXPECT_GE(clock.now - 1000u, 2000u);
    EXPECT_LE(clock.now - 1000u, 2002u);
    EXPECT_EQ(board.Named("InitCard").size(), 1u);
}

}  // namespace
}  // namespace velor::test

namespace velor::test {
namespace {

// The tick runs as soon as the document may acquire: a view registered for scans gets them
// before acquisition is switched on (a manual point of the time statistics, say).
TEST(Acquisition, TheTickRunsFromTheStartForARegisteredView) {
    AcquisitionStation s(Gaussian());
    EXPECT_TRUE(s.timers.tickRunning);
    EXPECT_FALSE(s.doc->IsAcquiring());
    RecordingClient client;
    ASSERT_TRUE(s.doc->AddAcquisitionClient(1, 10, &client));
    for (int i = 0; i < 400 && client.codes.empty(); ++i) s.Tick();
    EXPECT_EQ(client.codes, std::vector<int>{1});
}

// The automation's distance drops the calibration, as the Part has it; left in Intensity the
// views would convert with the factor of the old distance, so the units fall back to
// relative, as the dialog's path has them do.
TEST(Acquisition, ADistanceSetByAutomationLeavesNoStaleIntensity) {
    AcquisitionStation s(Gaussian());
    s.doc->m_fCalCounts = 5.0e4f;
    s.doc->m_b3DValid = 1;
    s.doc->RecomputeIntensityFactor();
    s.doc->SetUnits(2);
    s.doc->SetApertureSourceDistance(5.0f);
    EXPECT_EQ(s.doc->GetCalCounts(), 0.0f);
    EXPECT_EQ(s.doc->GetUnits(), 0);
}

}  // namespace
}  // namespace velor::test
