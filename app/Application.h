#pragma once
// The application: the station's instrument (none on a viewing station), the motion
// controller, the preferences, the main window and the automation object, started in the
// order the program has always started.

#include <QString>
#include <memory>

#include "app/MainFrame.h"
#include "app/Preferences.h"
#include "common/Clock.h"
#include "instrument/board/NoInstrument.h"
#include "instrument/motion/MotionController.h"

namespace velor {

class DocumentAutomation;

struct StartOptions {
    QString file;             // a file to open; none: the Open dialog is shown
    bool showOpenDialog = true;
    bool registerAutomation = true;
};

class CVelor32App {
public:
    explicit CVelor32App(UserPrompt& prompt);
    ~CVelor32App();

    // Creates and shows the main window, opens the file or asks for one. False when the
    // program cannot start.
    bool InitInstance(const StartOptions& options);

    CMainFrame& MainFrame() { return *m_frame; }
    MotionController& Motion() { return m_motion; }
    bool AutomationRegistered() const { return m_automationRegistered; }

private:
    UserPrompt& m_prompt;
    SteadyClock m_clock;
    ThreadSleeper m_sleeper;
    NoInstrument m_board;
    MotionController m_motion;
    Preferences m_prefs;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<DocumentAutomation> m_automation;
    bool m_automationRegistered = false;
};

// Floating-point faults never end the program: every trap is masked.
void MaskFloatingPointTraps();

}  // namespace velor
