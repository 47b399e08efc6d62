#include "app/dialogs/AcquisitionProgressDlg.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace velor {

CAcquisitionProgressDlg::CAcquisitionProgressDlg(const QString& title, int range, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint) {
    setObjectName(QLatin1String(kObjectName));
    // No caption bar shows it, but the window's name is its own: the desktop's window list,
    // accessibility tools and scripts find the window by it.
    setWindowTitle(title);
    // The acquisition runs on with the program's events handled between scans; only this
    // window may take input meanwhile, or a command could pull the document from under it.
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(title, this));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("0%"), this));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QLatin1String(kBarName));
    m_bar->setRange(0, range);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    row->addWidget(m_bar, 1);
    row->addWidget(new QLabel(QStringLiteral("100%"), this));
    layout->addLayout(row);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel Acquisition"), this);
    cancel->setObjectName(QLatin1String(kCancelName));
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    connect(cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
    setMinimumWidth(320);
    show();
    QCoreApplication::processEvents();
}

void CAcquisitionProgressDlg::Step() {
    m_bar->setValue(m_bar->value() + 1);
}

void CAcquisitionProgressDlg::ProcessOneEvent() {
    QCoreApplication::processEvents();
}

}  // namespace velor
