#pragma once
// Stands in for the user: records every message (text, caption, icon, buttons) and answers
// questions from a script. A fatal exit throws FatalExitCalled so tests can assert on it.

#include <QString>
#include <deque>
#include <functional>
#include <stdexcept>
#include <vector>

#include "common/UserPrompt.h"

namespace velor::test {

struct FatalExitCalled : std::runtime_error {
    FatalExitCalled(const QString& text, int code)
        : std::runtime_error(text.toStdString()), exitCode(code) {}
    int exitCode;
};

class RecordingPrompt : public UserPrompt {
public:
    PromptAnswer Show(const PromptMessage& message) override;

    // Answers for the next questions, in order; when the script runs out, questions get No.
    void Answer(PromptAnswer answer) { m_answers.push_back(answer); }

    const std::vector<PromptMessage>& Messages() const { return m_messages; }
    QStringList Texts() const;
    const PromptMessage& Last() const { return m_messages.back(); }
    void Clear() { m_messages.clear(); }

    // File dialogs: every request is counted; the queued choices answer them in order (none
    // left: cancelled).
    std::optional<FileChoice> AskOpenFile(const QList<FileFilter>& filters) override;
    std::optional<FileChoice> AskSaveFile(const QList<FileFilter>& filters, const QString& suffix,
                                          const QString& initialPath, const QString& title) override;
    std::deque<FileChoice> fileChoices;
    // Runs while the Save As dialog is up, for tests of what the window is like around it.
    std::function<void()> whileSaveDialogOpen;
    int openDialogs = 0;
    int saveDialogs = 0;
    QList<FileFilter> lastFilters;
    QString lastSaveTitle;

    // Progress windows: Cancel is pressed once this many steps were taken (never when < 0).
    int cancelAfterSteps = -1;
    // Runs at every progress step, for tests that change the world mid-job.
    std::function<void()> onProgressStep;
    int progressShown = 0;
    std::unique_ptr<ProgressWindow> ShowProgress(const QString& title, int range) override;

    int saturationShown = 0;
    int saturationClosed = 0;
    QString saturationText;
    int waitCursorDepth = 0;
    int waitCursorUses = 0;

    void ShowSaturationNotice(const QString& text) override {
        ++saturationShown;
        saturationText = text;
    }
    void CloseSaturationNotice() override { ++saturationClosed; }
    void BeginWaitCursor() override {
        ++waitCursorDepth;
        ++waitCursorUses;
    }
    void EndWaitCursor() override { --waitCursorDepth; }

protected:
    void ReportFatal(const QString& text, int exitCode) override;

private:
    std::vector<PromptMessage> m_messages;
    std::deque<PromptAnswer> m_answers;
};

}  // namespace velor::test
