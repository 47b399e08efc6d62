#pragma once
// The program's preferences, kept in the settings section "LUMORATARVISCO" under the
// organisation "Lumora" and the application "Orbiscan Viewer".

#include <QString>

namespace velor {

class Preferences {
public:
    // Reads every key, with its default where the settings hold none.
    void Load();
    // Writes the whole set back (the path only when one was given).
    void Save() const;

    bool loadPreviousSetup = false;  // "PREF_LOAD"
    bool autoFind = false;           // "PREF_AUTOFIND"
    bool globalCollect = true;       // "PREF_GLOBALCOLLECT"
    bool backgroundLogo = false;     // "PREF_LOGO"
    bool saveSetupOnExit = false;    // "PREF_SAVE"
    bool promptOnExit = true;        // "PREF_PROMPT"
    int backupInterval = 10;         // "BACKUPINTERVAL", minutes
    QString backupFile;              // "BACKUPFILE"
    QString defaultSetupPath;        // "DEFAULTPLW": the last file saved
    int imageType = 0;               // "ImageType"
    int imageQuality = 100;          // "ImageQuality"

    static QString Section() { return QStringLiteral("LUMORATARVISCO"); }
};

}  // namespace velor
