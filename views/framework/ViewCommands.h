#pragma once
// Command identifiers of the view windows and the main frame, with the numbers the menus have
// always used, and the description of a menu item a view offers.

#include <QKeySequence>
#include <QString>

namespace velor {

enum ViewCommandId : int {
    ID_EDIT_COPY = 57634,
    ID_DATA_COLLECTION = 32798,
    ID_TIMING = 32816,
    ID_SAVE_IMAGE = 33156,
    ID_LOCAL_TOOLBAR = 32991,
};

struct ViewCommand {
    int id;
    QString text;  // with its '&' mnemonic
    QKeySequence shortcut;
    bool separatorBefore = false;
};

}  // namespace velor
