#pragma once
// Dialogs as wide as their titles: a dialog narrower than its title would show the title cut
// short in its title bar. Installed on the application, it widens every dialog as it is shown.

#include <QObject>

namespace velor {

class DialogTitleFit : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    // The width a window needs for its title: the text in the application's font, with room
    // for the title bar's icon and buttons.
    static int WidthForTitle(const QString& title);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace velor
