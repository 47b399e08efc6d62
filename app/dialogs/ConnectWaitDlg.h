#pragma once
// The wait window shown while the motion controller's serial line is opened, with a reminder
// for the first measurement.

#include <QDialog>

namespace velor {

class CConnectWaitDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kObjectName = "connectWait";

    // Shown and painted at once; it goes when the object does.
    explicit CConnectWaitDlg(QWidget* parent = nullptr);
};

}  // namespace velor
