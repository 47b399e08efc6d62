#pragma once
// Computed Cross Sections (modeless): the direction the two cuts through the 3D data are taken
// about (3D centroid, 3D peak or a direction of the user's), and the turn of the cut planes from
// the beam's major and minor axes. It lives as long as cross-section mode; Close leaves the mode.

#include <QDialog>

#include "common/UserPrompt.h"

class QButtonGroup;
class QLineEdit;

namespace velor {

class CVelor32Doc;

class CCrossSectionDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kThetaName = "crossTheta";
    static constexpr const char* kPhiName = "crossPhi";
    static constexpr const char* kOffsetName = "crossOffset";
    static constexpr const char* kDisplayName = "displayProfiles";
    static constexpr const char* kCloseName = "closeCrossSections";
    // Object names of the three direction buttons, in mode order.
    static constexpr const char* kModeNames[3] = {"modeCentroid", "modePeak", "modeUser"};

    CCrossSectionDlg(CVelor32Doc& doc, UserPrompt& prompt, QWidget* parent = nullptr);

    // Display Profiles: checks the fields, stores the direction and recomputes both cuts.
    void DisplayProfiles();
    // Close, Escape and the window's close button leave cross-section mode.
    void reject() override;

private:
    void OnModeChanged(int mode);

    CVelor32Doc& m_doc;
    UserPrompt& m_prompt;
    QButtonGroup* m_modes;
    QLineEdit* m_theta;
    QLineEdit* m_phi;
    QLineEdit* m_offset;
};

}  // namespace velor
