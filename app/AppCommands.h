#pragma once
// Command identifiers of the main frame, with the numbers the menus have always used.

namespace velor {

enum AppCommandId : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_REPORT = 33160,  // the measurement report as PDF
    ID_FILE_MRU_FIRST = 57616,  // to 57621: the six recent files
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE = 57651,
    ID_WINDOW_CLOSE_ALL = 32853,
    // Keys of the main window without a menu item: the next and the previous view window.
    ID_WINDOW_NEXT = 57654,
    ID_WINDOW_PREVIOUS = 57655,
    // The Window menu's list of the open windows: the first nine, then a dialog of them all.
    ID_WINDOW_FIRST_CHILD = 65280,
    ID_WINDOW_MORE = ID_WINDOW_FIRST_CHILD + 9,
    ID_IMAGE_SETTINGS = 33155,
    ID_TIMED_BACKUP = 32847,
    ID_PREF_LOAD = 32848,
    ID_PREF_AUTOFIND = 32849,
    ID_PREF_GLOBAL_COLLECT = 32850,
    ID_PREF_SAVE = 32851,
    ID_PREF_PROMPT = 32852,
    ID_PREF_LOGO = 32919,
    // Window > New Window
    ID_NEW_RECTANGULAR = 32832,
    ID_NEW_POLAR = 33087,
    ID_NEW_3D_POLAR = 33111,
    ID_NEW_3D_RECTANGULAR = 32838,
    ID_NEW_TOPOGRAPHIC = 32836,
    ID_NEW_BEAM_STATISTICS = 32973,
    ID_NEW_TIME_STATISTICS = 32840,
    ID_NEW_POWER = 32841,
    ID_NEW_NOTES = 32845,
    ID_NEW_NEAR_FIELD = 33170,
};

inline constexpr int kRecentFileCount = 6;
inline constexpr int kListedWindowCount = 9;

}  // namespace velor
