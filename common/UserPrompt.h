#pragma once
// The one door through which core code talks to the user: message boxes, questions, the
// wait cursor, the modeless saturation notice and fatal exits. The GUI implements it with
// Qt dialogs, tests with a recorder, command-line tools with the console.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace velor {

enum class PromptIcon { None, Information, Question, Exclamation, Stop };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry };

struct PromptMessage {
    QString text;
    QString caption;  // empty: the application's name
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    bool taskModal = false;
};

// The program's name, used as the caption of messages that give none.
inline const QString kApplicationName = QStringLiteral("Orbiscan Viewer");

// A file chosen in a file dialog, with the filter that was selected (index into the list).
struct FileChoice {
    QString path;
    int filterIndex = 0;
};

// One filter of a file dialog: "Data Files (*.VNQ)" with "*.VNQ".
struct FileFilter {
    QString description;
    QString pattern;
};

// A modeless progress window with a Cancel button, kept up during a long synchronous job.
class ProgressWindow {
public:
    virtual ~ProgressWindow() = default;
    virtual void Step() {}
    // Lets the window handle one waiting event (so Cancel can be pressed).
    virtual void ProcessOneEvent() {}
    virtual bool CancelRequested() const { return false; }
};

class UserPrompt {
public:
    virtual ~UserPrompt() = default;

    virtual PromptAnswer Show(const PromptMessage& message) = 0;

    // Ends the program after telling the user why. Implementations normally never return;
    // test recorders may throw to regain control. If one does return, the process exits.
    [[noreturn]] void FatalExit(const QString& text, int exitCode);

    // Runs first thing on a fatal exit, before the message: whoever waits on the program
    // (an automation caller) is answered at once rather than left hanging behind the box.
    using FatalListener = std::function<void(const QString& text, int exitCode)>;
    void SetFatalListener(FatalListener listener) { m_fatalListener = std::move(listener); }

    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}

    // The Open and Save As dialogs; nothing when the user cancels.
    virtual std::optional<FileChoice> AskOpenFile(const QList<FileFilter>& /*filters*/) {
        return std::nullopt;
    }
    virtual std::optional<FileChoice> AskSaveFile(const QList<FileFilter>& /*filters*/,
                                                  const QString& /*defaultSuffix*/,
                                                  const QString& /*initialPath*/,
                                                  const QString& /*title*/) {
        return std::nullopt;
    }

    // A progress window from 0 to range; closed when the returned object goes.
    virtual std::unique_ptr<ProgressWindow> ShowProgress(const QString& /*title*/, int /*range*/) {
        return std::make_unique<ProgressWindow>();
    }

    // The modeless "Beam Information!" window that warns of a saturated signal.
    virtual void ShowSaturationNotice(const QString& /*text*/) {}
    virtual void CloseSaturationNotice() {}

    // Convenience for the common shapes.
    PromptAnswer Message(const QString& text, const QString& caption, PromptIcon icon);
    PromptAnswer Ask(const QString& text, const QString& caption, PromptButtons buttons,
                     PromptIcon icon);

protected:
    virtual void ReportFatal(const QString& text, int exitCode) = 0;

private:
    FatalListener m_fatalListener;
};

// Process exit codes of the fatal paths.
inline constexpr int kExitOutOfMemory = 12;
inline constexpr int kExitNoTimer = 14;

// Keeps a wait cursor up for the lifetime of the guard.
class WaitCursor {
public:
    explicit WaitCursor(UserPrompt& prompt) : m_prompt(prompt) { m_prompt.BeginWaitCursor(); }
    ~WaitCursor() { m_prompt.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UserPrompt& m_prompt;
};

}  // namespace velor
