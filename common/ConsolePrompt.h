#pragma once
// The door for command-line tools: messages go to standard error; questions take a fixed answer.

#include "common/UserPrompt.h"

namespace velor {

class ConsolePrompt : public UserPrompt {
public:
    // yesAnswer: what a Yes/No question is answered (the tools have no one to ask).
    explicit ConsolePrompt(bool yesAnswer = true) : m_yes(yesAnswer) {}

    PromptAnswer Show(const PromptMessage& message) override;

    // The saturation warning goes to standard error as well.
    void ShowSaturationNotice(const QString& text) override;

    int MessagesShown() const { return m_shown; }

protected:
    void ReportFatal(const QString& text, int exitCode) override;

private:
    bool m_yes;
    int m_shown = 0;
    bool m_saturationReported = false;
};

}  // namespace velor
