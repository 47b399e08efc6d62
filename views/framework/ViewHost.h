#pragma once
// What a view window needs of the main frame: the door to the user, the image settings, the
// status bar's message pane, and word of its closing.

class QString;

namespace velor {

class CDormView;
class UserPrompt;

class ViewHost {
public:
    virtual ~ViewHost() = default;
    virtual UserPrompt& Prompt() = 0;
    // Image file type (0 BMP … 4 PNG) and JPEG quality for Save Image.
    virtual int ImageType() const = 0;
    virtual int ImageQuality() const = 0;
    // May the view's frame close now? A document goes with its last window, so closing that
    // one first asks about unsaved changes.
    virtual bool CanCloseView(CDormView& /*view*/) { return true; }
    // Shows a line of the view's own in the status bar's message pane; an empty text clears it.
    virtual void ShowStatusMessage(const QString& /*text*/) {}
    // The view's frame is closing (the view is about to go).
    virtual void ViewClosing(CDormView& view) = 0;
};

}  // namespace velor
