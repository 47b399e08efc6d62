#pragma once
// What the document needs of the main window: its caption, its status bar and whether it is
// shown. The GUI's main frame implements it; headless code uses the silent default.

#include <QString>

namespace velor {

enum class DocumentMode { Replay, CrossSections };

class DocumentFrame {
public:
    virtual ~DocumentFrame() = default;
    virtual void SetCaption(const QString& /*caption*/) {}
    virtual void RefreshStatusBar() {}
    // A passing report in the status bar (what a command found); empty clears it.
    virtual void ShowStatusMessage(const QString& /*text*/) {}
    virtual void ShowMainWindow(bool /*show*/) {}
    // Posts File > Exit to the main window (the automation interface's Exit).
    virtual void RequestExit() {}
    // The modeless windows of the replay and cross-section modes live as long as their mode.
    virtual void OpenModeDialog(DocumentMode /*mode*/) {}
    virtual void CloseModeDialog(DocumentMode /*mode*/) {}
};

}  // namespace velor
