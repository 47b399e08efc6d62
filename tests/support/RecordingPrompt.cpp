#include "tests/support/RecordingPrompt.h"

#include <QStringList>

namespace velor::test {

PromptAnswer RecordingPrompt::Show(const PromptMessage& message) {
    m_messages.push_back(message);
    if (message.buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    if (m_answers.empty()) {
        return message.buttons == PromptButtons::RetryCancel || message.buttons == PromptButtons::OkCancel
                   ? PromptAnswer::Cancel
                   : PromptAnswer::No;
    }
    const PromptAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QStringList RecordingPrompt::Texts() const {
    QStringList texts;
    for (const PromptMessage& m : m_messages) texts << m.text;
    return texts;
}

namespace {

class ScriptedProgress : public ProgressWindow {
public:
    ScriptedProgress(int cancelAfter, std::function<void()> onStep)
        : m_cancelAfter(cancelAfter), m_onStep(std::move(onStep)) {}
    void Step() override {
        ++m_steps;
        if (m_onStep) m_onStep();
    }
    bool CancelRequested() const override { return m_cancelAfter >= 0 && m_steps >= m_cancelAfter; }

private:
    int m_cancelAfter;
    std::function<void()> m_onStep;
    int m_steps = 0;
};

}  // namespace

std::optional<FileChoice> RecordingPrompt::AskOpenFile(const QList<FileFilter>& filters) {
    ++openDialogs;
    lastFilters = filters;
    if (whileSaveDialogOpen) whileSaveDialogOpen();
    if (fileChoices.empty()) return std::nullopt;
    FileChoice choice = fileChoices.front();
    fileChoices.pop_front();
    return choice;
}

std::optional<FileChoice> RecordingPrompt::AskSaveFile(const QList<FileFilter>& filters, const QString&,
                                                       const QString&, const QString& title) {
    lastSaveTitle = title;
    ++saveDialogs;
    lastFilters = filters;
    if (whileSaveDialogOpen) whileSaveDialogOpen();
    if (fileChoices.empty()) return std::nullopt;
    FileChoice choice = fileChoices.front();
    fileChoices.pop_front();
    return choice;
}

std::unique_ptr<ProgressWindow> RecordingPrompt::ShowProgress(const QString&, int) {
    ++progressShown;
    return std::make_unique<ScriptedProgress>(cancelAfterSteps, onProgressStep);
}

void RecordingPrompt::ReportFatal(const QString& text, int exitCode) {
    m_messages.push_back(PromptMessage{text, QString(), PromptIcon::Stop, PromptButtons::Ok, false});
    throw FatalExitCalled(text, exitCode);
}

}  // namespace velor::test
