#include "tests/app/dialogs/StationFixture.h"

#include <QTest>
#include <stdexcept>

namespace velor::test {

PromptAnswer DialogPrompt::Show(const PromptMessage& message) {
    messages.push_back(message);
    if (message.buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    if (answers.empty())
        return message.buttons == PromptButtons::RetryCancel || message.buttons == PromptButtons::OkCancel
                   ? PromptAnswer::Cancel
                   : PromptAnswer::No;
    const PromptAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void DialogPrompt::ReportFatal(const QString& text, int) {
    throw std::runtime_error(text.toStdString());
}

void Station::TearDown() {
    if (app) app->MainFrame().Prefs().promptOnExit = false;
    app.reset();
    QSettings().clear();
}

CMainFrame& Station::Start(const StationOptions& station) {
    app = std::make_unique<CVelor32App>(prompt, clock, sleeper);
    StartOptions options;
    options.showOpenDialog = false;
    options.registerAutomation = false;
    options.station = station;
    EXPECT_TRUE(app->InitInstance(options));
    prompt.SetParent(&app->MainFrame());
    Pump();
    return app->MainFrame();
}

CMainFrame& Station::StartViewer() {
    CMainFrame& frame = Start({});
    frame.Execute(ID_FILE_NEW);
    return frame;
}

CMainFrame& Station::StartSimulated(double peakCounts, int gainRanges) {
    beam = std::make_shared<DimmableBeam>(sim::MakeGaussianFiber(1310.0, 9.2));
    StationOptions station;
    station.simulatedSource = beam;
    station.simulatedBoard.sweep.peakCounts = peakCounts;
    station.gainRanges = gainRanges;
    return Start(station);
}

bool Station::RunUntil(const std::function<bool()>& done, int rounds) {
    for (int i = 0; i < rounds; ++i) {
        if (done()) return true;
        clock.now += 10;
        // Long enough for the 5 ms acquisition tick to fire.
        QTest::qWait(6);
    }
    return done();
}

void Station::Pump() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

}  // namespace velor::test
