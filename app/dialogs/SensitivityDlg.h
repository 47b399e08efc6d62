#pragma once
// Sensitivity (dialog 381): gain, gain ranges, smoothing filter and averaging. Every change takes effect on
// the document at once, so live data show it while the dialog is open; whoever runs the dialog
// brackets it with the document's BeginSensitivity / EndSensitivity, which give the values at
// opening back unless the dialog was accepted.

#include <QDialog>

#include "common/UserPrompt.h"

class QButtonGroup;
class QLineEdit;
class QSpinBox;

namespace velor {

class CVelor32Doc;

class CSensitivityDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kGainName = "gain";
    static constexpr const char* kGainRangesName = "gainRanges";
    static constexpr const char* kFilterName = "filter";
    static constexpr const char* kAveragingName = "averaging";
    static constexpr const char* kSingleTimeName = "singleTime";
    static constexpr const char* kPerpendicularTimeName = "perpendicularTime";
    // Averaging presets Low, Medium and High (sweeps per profile).
    static constexpr int kPresets[3] = {4, 16, 64};

    CSensitivityDlg(CVelor32Doc& doc, bool okEnabled, UserPrompt& prompt,
                    QWidget* parent = nullptr);

    // Refuses an even filter, as leaving its field does.
    void accept() override;

private:
    // An even filter is refused: the user is told and the field takes the focus back with its
    // text selected. True when it was refused.
    bool RefuseEvenFilter();
    void OnAveragingChanged(int averaging);
    void ShowTimeEstimates();

    CVelor32Doc& m_doc;
    UserPrompt& m_prompt;
    QSpinBox* m_gain = nullptr;
    QSpinBox* m_gainRanges = nullptr;
    QSpinBox* m_filter = nullptr;
    QSpinBox* m_averaging = nullptr;
    QButtonGroup* m_presets = nullptr;
    QLineEdit* m_singleTime = nullptr;
    QLineEdit* m_perpendicularTime = nullptr;
    bool m_refusing = false;
};

}  // namespace velor
