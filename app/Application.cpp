#include "app/Application.h"

#include <QDBusConnection>
#include <QTimer>
#include <cfenv>
#include <clocale>

#include "app/AppCommands.h"
#include "app/automation/DocumentAutomation.h"

namespace velor {

void MaskFloatingPointTraps() {
    std::feclearexcept(FE_ALL_EXCEPT);
    fedisableexcept(FE_ALL_EXCEPT);
}

CVelor32App::CVelor32App(UserPrompt& prompt) : m_prompt(prompt), m_motion(prompt) {}

CVelor32App::~CVelor32App() {
    m_automation.reset();
    m_frame.reset();
}

bool CVelor32App::InitInstance(const StartOptions& options) {
    MaskFloatingPointTraps();
    // Numbers in files and exports are written the same whatever the user's language.
    std::setlocale(LC_ALL, "C");
    m_prefs.Load();
    m_frame = std::make_unique<CMainFrame>(StationServices{m_prompt, m_board, m_motion, m_clock, m_sleeper},
                                           m_prefs);
    // The session bus takes the place of the automation server; without one the program runs
    // on as a viewer and says nothing.
    if (options.registerAutomation) {
        m_automation = std::make_unique<DocumentAutomation>([this] { return m_frame->ActiveDocument(); });
        m_automationRegistered = m_automation->Register(QDBusConnection::sessionBus());
    }
    m_frame->resize(1024, 768);
    if (!options.file.isEmpty()) {
        m_frame->OpenDocumentFile(options.file);
    } else if (options.showOpenDialog) {
        QTimer::singleShot(0, m_frame.get(), [this] { m_frame->Execute(ID_FILE_OPEN); });
    }
    m_frame->show();
    return true;
}

}  // namespace velor
