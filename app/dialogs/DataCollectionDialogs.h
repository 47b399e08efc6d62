#pragma once
// The Data Collection commands that ask the user first: each runs its dialog on the document
// and hands what was accepted to the document's command. Also keeps the modeless windows of
// the replay and cross-section modes, which the document opens and closes with its modes.

#include <QPointer>
#include <QWidget>

#include "common/UserPrompt.h"
#include "document/DocumentFrame.h"

namespace velor {

class CCrossSectionDlg;
class CReplayDlg;
class CVelor32Doc;

class DataCollectionDialogs {
public:
    DataCollectionDialogs(QWidget& parent, UserPrompt& prompt);
    ~DataCollectionDialogs();

    // The commands that open a dialog.
    static bool Handles(int id);
    // Runs the command's dialog. The OK buttons of the dialogs that change how the instrument
    // acquires are enabled only on a station with an instrument; elsewhere those dialogs only
    // show the current values.
    void Run(int id, CVelor32Doc& doc);

    void OpenModeDialog(DocumentMode mode, CVelor32Doc& doc);
    void CloseModeDialog(DocumentMode mode);
    // The mode's window while it is open.
    QWidget* ModeDialog(DocumentMode mode) const;

private:
    void RunPhiAngle(CVelor32Doc& doc, bool instrument);
    void RunDistance(CVelor32Doc& doc, bool instrument);
    void RunPulsedMode(CVelor32Doc& doc, bool instrument);
    void RunReferencePower(CVelor32Doc& doc);
    void RunIntegralParameters(CVelor32Doc& doc);
    void RunScans3D(CVelor32Doc& doc, bool instrument);
    void RunSensitivity(CVelor32Doc& doc, bool instrument);

    QWidget& m_parent;
    UserPrompt& m_prompt;
    QPointer<CReplayDlg> m_replay;
    QPointer<CCrossSectionDlg> m_crossSections;
};

}  // namespace velor
