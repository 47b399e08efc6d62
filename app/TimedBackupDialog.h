#pragma once
// Timed Backup... : dialog "Automatic Data Backup" with the switch and the interval in minutes.

#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace velor {

class CTimedBackupDlg : public QDialog {
    Q_OBJECT

public:
    CTimedBackupDlg(bool on, int intervalMinutes, QWidget* parent = nullptr);
    bool BackupOn() const;
    int Interval() const;

private:
    QCheckBox* m_on;
    QSpinBox* m_interval;
};

}  // namespace velor
