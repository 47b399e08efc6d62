#include "common/UserPrompt.h"

#include <cstdlib>

namespace velor {

void UserPrompt::FatalExit(const QString& text, int exitCode) {
    if (m_fatalListener) m_fatalListener(text, exitCode);
    ReportFatal(text, exitCode);
    std::exit(exitCode);
}

PromptAnswer UserPrompt::Message(const QString& text, const QString& caption, PromptIcon icon) {
    return Show(PromptMessage{text, caption, icon, PromptButtons::Ok, false});
}

PromptAnswer UserPrompt::Ask(const QString& text, const QString& caption, PromptButtons buttons,
                             PromptIcon icon) {
    return Show(PromptMessage{text, caption, icon, buttons, false});
}

}  // namespace velor
