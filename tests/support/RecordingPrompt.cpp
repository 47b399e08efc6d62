#include "tests/support/RecordingPrompt.h"

#include <QStringList>

namespace velor::test {

PromptAnswer RecordingPrompt::Show(const PromptMessage& message) {
    m_messages.push_back(message);
    if (message.buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    if (m_answers.empty()) {
        return message.buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Cancel;
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

void RecordingPrompt::ReportFatal(const QString& text, int exitCode) {
    m_messages.push_back(PromptMessage{text, QString(), PromptIcon::Stop, PromptButtons::Ok, false});
    throw FatalExitCalled(text, exitCode);
}

}  // namespace velor::test
