#include "app/TimedBackupDialog.h"

#include <QCheckBox>
#include <algorithm>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

namespace velor {

CTimedBackupDlg::CTimedBackupDlg(bool on, int intervalMinutes, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Automatic Data Backup"));
    auto* layout = new QGridLayout(this);
    m_on = new QCheckBox(QStringLiteral("&Backup On"), this);
    m_on->setChecked(on);
    layout->addWidget(m_on, 0, 0, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Backup Interval"), this), 1, 0);
    // The arrows step by one and stop at 1 and 120; typing outside the range is not accepted.
    m_interval = new QSpinBox(this);
    m_interval->setRange(1, 120);
    m_interval->setValue(std::clamp(intervalMinutes, 1, 120));
    layout->addWidget(m_interval, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("minutes"), this), 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons, 2, 0, 1, 3);
}

bool CTimedBackupDlg::BackupOn() const { return m_on->isChecked(); }

int CTimedBackupDlg::Interval() const { return m_interval->value(); }

}  // namespace velor
