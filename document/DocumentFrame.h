#pragma once
// What the document needs of the main window: its caption, its status bar and whether it is
// shown. The GUI's main frame implements it; headless code uses the silent default.

#include <QString>

namespace velor {

class DocumentFrame {
public:
    virtual ~DocumentFrame() = default;
    virtual void SetCaption(const QString& /*caption*/) {}
    virtual void RefreshStatusBar() {}
    virtual void ShowMainWindow(bool /*show*/) {}
};

}  // namespace velor
