#pragma once
// The application: the station's instrument (none on a viewing station, a simulated one, a
// real acquisition board through Comedi, a motion controller on a serial line), the
// preferences, the main window and the automation object, started in the order the program
// has always started.

#include <QString>
#include <memory>
#include <optional>

#include "app/MainFrame.h"
#include "app/Preferences.h"
#include "common/Clock.h"
#include "instrument/board/ComediStation.h"
#include "instrument/board/NoInstrument.h"
#include "instrument/board/SimulatedStation.h"
#include "instrument/motion/MotionController.h"
#include "instrument/motion/SerialSettings.h"
#include "instrument/motion/SimulatedController.h"
#include "instrument/simulation/BeamModel.h"

namespace velor {

class DialogTitleFit;
class DocumentAutomation;

// What the station has besides the program. Nothing: a viewing station.
struct StationOptions {
    // A simulated board and motion controller, the board sweeping this source.
    std::shared_ptr<const sim::BeamModel> simulatedSource;
    SimulatedBoardSettings simulatedBoard;
    // A real acquisition board: the Comedi device /dev/comedi<n> (in place of the simulated one).
    std::optional<uint32_t> comediBoard;
    // A real motion controller on this serial line (in place of the simulated one).
    std::optional<SerialSettings> motionPort;
    // The gain ranges a new measurement takes each sweep over.
    int gainRanges = 1;
};

struct StartOptions {
    QString file;  // a file to open; none: the Open dialog is shown
    bool showOpenDialog = true;
    bool registerAutomation = true;
    StationOptions station{};
};

class CVelor32App {
public:
    // Real time: the steady clock, and sleeps that really wait.
    explicit CVelor32App(UserPrompt& prompt);
    // Time from elsewhere (tests run the whole program on a fake clock).
    CVelor32App(UserPrompt& prompt, const MillisecondClock& clock, Sleeper& sleeper);
    ~CVelor32App();

    // Sets up the station, creates and shows the main window, opens the file or asks for one.
    // False when the program cannot start.
    bool InitInstance(const StartOptions& options);

    CMainFrame& MainFrame() { return *m_frame; }
    MotionController& Motion() { return m_motion; }
    bool AutomationRegistered() const { return m_automationRegistered; }
    // A station whose documents may acquire.
    bool HasInstrument() const { return m_instrument; }
    // The simulated instrument, on a simulated station.
    SimulatedStation* SimulatedInstrument() { return m_simulatedStation.get(); }
    SimulatedController& SimulatedMotion() { return m_simulatedController; }

private:
    // Puts the instrument the options ask for in place; false (after telling the user) when
    // it cannot be had, the station then staying a viewer.
    bool SetUpStation(const StationOptions& options);

    UserPrompt& m_prompt;
    SteadyClock m_steadyClock;
    ThreadSleeper m_threadSleeper;
    const MillisecondClock& m_clock;
    Sleeper& m_sleeper;
    NoInstrument m_noBoard;
    SimulatedController m_simulatedController;
    std::unique_ptr<SimulatedStation> m_simulatedStation;
    std::unique_ptr<ComediStation> m_comediStation;
    MotionController m_motion;
    Tesk32* m_board = &m_noBoard;
    bool m_instrument = false;
    Preferences m_prefs;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<DocumentAutomation> m_automation;
    std::unique_ptr<DialogTitleFit> m_titleFit;
    bool m_automationRegistered = false;
};

// Floating-point faults never end the program: every trap is masked.
void MaskFloatingPointTraps();

}  // namespace velor
