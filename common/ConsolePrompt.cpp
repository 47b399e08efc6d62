#include "common/ConsolePrompt.h"

#include <cstdio>

namespace velor {

PromptAnswer ConsolePrompt::Show(const PromptMessage& message) {
    ++m_shown;
    const QString caption = message.caption.isEmpty() ? kApplicationName : message.caption;
    std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(message.text));
    switch (message.buttons) {
        case PromptButtons::Ok:
            return PromptAnswer::Ok;
        case PromptButtons::OkCancel:
            return m_yes ? PromptAnswer::Ok : PromptAnswer::Cancel;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoCancel:
            std::fprintf(stderr, "  (answered %s)\n", m_yes ? "Yes" : "No");
            return m_yes ? PromptAnswer::Yes : PromptAnswer::No;
        case PromptButtons::RetryCancel:
            return PromptAnswer::Cancel;
    }
    return PromptAnswer::Cancel;
}

void ConsolePrompt::ShowSaturationNotice(const QString& text) {
    // The viewer's modeless notice, once per run of a tool.
    if (m_saturationReported) return;
    m_saturationReported = true;
    std::fprintf(stderr, "Beam Information!: %s\n", qPrintable(text));
}

void ConsolePrompt::ReportFatal(const QString& text, int exitCode) {
    std::fprintf(stderr, "fatal: %s (exit code %d)\n", qPrintable(text), exitCode);
}

}  // namespace velor
