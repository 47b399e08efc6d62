#pragma once
// 3D acquisition progress (dialog 394): a window without caption showing how many azimuth
// scans are done, with a button that asks the acquisition to stop. The acquisition runs on
// the caller's stack and lets the window handle its events once per scan.

#include <QDialog>

#include "common/UserPrompt.h"

class QProgressBar;

namespace velor {

class CAcquisitionProgressDlg : public QDialog, public ProgressWindow {
    Q_OBJECT

public:
    static constexpr const char* kObjectName = "acquisitionProgress";
    static constexpr const char* kBarName = "progressBar";
    static constexpr const char* kCancelName = "cancelAcquisition";

    // Shown at once, the bar from 0 to range at 0.
    CAcquisitionProgressDlg(const QString& title, int range, QWidget* parent = nullptr);

    void Step() override;
    void ProcessOneEvent() override;
    bool CancelRequested() const override { return m_cancelled; }

private:
    QProgressBar* m_bar;
    bool m_cancelled = false;
};

}  // namespace velor
