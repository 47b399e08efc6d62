#pragma once
// The whole program in a test with its real dialogs: the application on a fake clock, a
// viewing or a simulated station, and a prompt that keeps the desktop's progress dialog and
// saturation notice but records message boxes instead of showing them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QSettings>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "app/AppCommands.h"
#include "app/Application.h"
#include "app/GuiPrompt.h"
#include "tests/support/FakeClock.h"

namespace velor::test {

class DialogPrompt : public GuiPrompt {
public:
    PromptAnswer Show(const PromptMessage& message) override;
    std::optional<FileChoice> AskOpenFile(const QList<FileFilter>&) override {
        return std::nullopt;
    }
    std::optional<FileChoice> AskSaveFile(const QList<FileFilter>&, const QString&, const QString&,
                                          const QString&) override {
        return std::nullopt;
    }
    // Answers for the next questions, in order; then questions get No (or Cancel).
    std::deque<PromptAnswer> answers;
    std::vector<PromptMessage> messages;

protected:
    void ReportFatal(const QString& text, int exitCode) override;
};

// A source whose brightness the test turns up and down.
class DimmableBeam : public sim::BeamModel {
public:
    explicit DimmableBeam(std::shared_ptr<const sim::BeamModel> base) : m_base(std::move(base)) {}
    double Intensity(double theta, double phi) const override {
        return scale * m_base->Intensity(theta, phi);
    }
    std::string Describe() const override { return m_base->Describe(); }
    double scale = 1.0;

private:
    std::shared_ptr<const sim::BeamModel> m_base;
};

class Station : public ::testing::Test {
public:
    void SetUp() override { QSettings().clear(); }
    void TearDown() override;

    // A viewing station with a new document.
    CMainFrame& StartViewer();
    // A simulated station (it starts on a new document); peakCounts: counts on the beam axis
    // at gain 0; gainRanges: what new measurements start with.
    CMainFrame& StartSimulated(double peakCounts = 2000.0, int gainRanges = 1);
    CMainFrame& Start(const StationOptions& station);

    CMainFrame& Frame() { return app->MainFrame(); }
    CVelor32Doc& Doc() { return *Frame().ActiveDocument(); }

    // Runs `open`, which shows a modal dialog of type Dialog, and hands the dialog to
    // `interact` once it is up; the dialog is cancelled afterwards if still open.
    template <typename Dialog>
    void WithDialog(const std::function<void()>& open,
                    const std::function<void(Dialog&)>& interact) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<Dialog*>(modal)) {
                seen = true;
                interact(*dialog);
                if (dialog->isVisible()) dialog->reject();
            } else if (auto* other = qobject_cast<QDialog*>(modal)) {
                other->reject();
            }
        });
        open();
        EXPECT_TRUE(seen) << "the dialog did not come up";
    }

    // Lets the program run while the fake clock moves on (10 ms a round) until `done`;
    // false if it never happens within `rounds`.
    bool RunUntil(const std::function<bool()>& done, int rounds = 400);
    static void Pump();

    FakeClock clock;
    FakeSleeper sleeper{clock};
    DialogPrompt prompt;
    std::shared_ptr<DimmableBeam> beam;
    std::unique_ptr<CVelor32App> app;
};

}  // namespace velor::test
