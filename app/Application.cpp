#include "app/Application.h"

#include <QApplication>
#include <QDBusConnection>
#include <QTimer>
#include <cfenv>
#include <clocale>

#include "app/AppCommands.h"
#include "app/DialogTitleFit.h"
#include "app/automation/DocumentAutomation.h"
#include "app/dialogs/ConnectWaitDlg.h"
#include "instrument/motion/MotionConnection.h"

namespace velor {

void MaskFloatingPointTraps() {
    std::feclearexcept(FE_ALL_EXCEPT);
    fedisableexcept(FE_ALL_EXCEPT);
}

CVelor32App::CVelor32App(UserPrompt& prompt)
    : CVelor32App(prompt, m_steadyClock, m_threadSleeper) {}

CVelor32App::CVelor32App(UserPrompt& prompt, const MillisecondClock& clock, Sleeper& sleeper)
    : m_prompt(prompt), m_clock(clock), m_sleeper(sleeper), m_motion(prompt, clock, sleeper) {}

CVelor32App::~CVelor32App() {
    m_prompt.SetFatalListener(nullptr);
    m_automation.reset();
    m_frame.reset();
    m_motion.Disconnect();
    m_board = &m_noBoard;
    m_simulatedStation.reset();
    m_comediStation.reset();
}

bool CVelor32App::SetUpStation(const StationOptions& options) {
    if (options.motionPort) {
        QString error;
        {
            CConnectWaitDlg wait;
            error = ConnectSerial(m_motion, *options.motionPort);
        }
        if (!error.isEmpty()) {
            m_prompt.Message(
                QStringLiteral("The motion controller's serial port %1 could not be opened:\n%2\n\n"
                               "The program runs as a viewing station.")
                    .arg(options.motionPort->portName, error),
                QStringLiteral("Motion Controller"), PromptIcon::Exclamation);
            return false;
        }
    }
    if (options.comediBoard) {
        QString error;
        m_comediStation = ComediStation::Open(*options.comediBoard, m_clock, m_sleeper, &error);
        if (!m_comediStation) {
            m_prompt.Message(error + QStringLiteral("\n\nThe program runs as a viewing station."),
                             QStringLiteral("Acquisition Board"), PromptIcon::Exclamation);
            m_motion.Disconnect();
            return false;
        }
        m_board = &m_comediStation->Board();
    } else if (options.simulatedSource) {
        // The simulated stage turns the sweep plane, unless a real stage is on the line.
        SimulatedUnit::StageAzimuth stage;
        if (!options.motionPort) {
            ConnectSimulated(m_motion, m_simulatedController);
            stage = [this] { return m_simulatedController.Phi(); };
        }
        m_simulatedStation = std::make_unique<SimulatedStation>(
            options.simulatedSource, options.simulatedBoard, m_clock, m_sleeper, m_prompt,
            std::move(stage));
        m_board = &m_simulatedStation->Board();
    }
    return options.simulatedSource || options.comediBoard || options.motionPort;
}

bool CVelor32App::InitInstance(const StartOptions& options) {
    MaskFloatingPointTraps();
    // Every dialog at least as wide as its title.
    if (qApp && !m_titleFit) {
        m_titleFit = std::make_unique<DialogTitleFit>();
        qApp->installEventFilter(m_titleFit.get());
    }
    // Numbers in files and exports are written the same whatever the user's language.
    std::setlocale(LC_ALL, "C");
    m_prefs.Load();
    m_instrument = SetUpStation(options.station);
    m_frame = std::make_unique<CMainFrame>(
        StationServices{m_prompt, *m_board, m_motion, m_clock, m_sleeper, m_instrument,
                        options.station.gainRanges},
        m_prefs);
    // The session bus takes the place of the automation server; without one the program runs
    // on as a viewer and says nothing.
    if (options.registerAutomation) {
        m_automation =
            std::make_unique<DocumentAutomation>([this] { return m_frame->ActiveDocument(); });
        m_automationRegistered = m_automation->Register(QDBusConnection::sessionBus());
        m_prompt.SetFatalListener(
            [this](const QString& text, int exitCode) { m_automation->AnswerPendingCalls(text, exitCode); });
    }
    m_frame->resize(1024, 768);
    if (!options.file.isEmpty()) {
        m_frame->OpenDocumentFile(options.file);
    } else if (m_instrument) {
        // A station that measures starts on a new measurement, its profile in view, once the
        // main window is up (the first sweep may already have something to tell).
        QTimer::singleShot(0, m_frame.get(), [this] { m_frame->Execute(ID_FILE_NEW); });
    } else if (options.showOpenDialog) {
        QTimer::singleShot(0, m_frame.get(), [this] { m_frame->Execute(ID_FILE_OPEN); });
    }
    m_frame->show();
    return true;
}

}  // namespace velor
