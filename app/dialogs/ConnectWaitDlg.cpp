#include "app/dialogs/ConnectWaitDlg.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace velor {

CConnectWaitDlg::CConnectWaitDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QLatin1String(kObjectName));
    setWindowTitle(QStringLiteral("Establishing RS232 communication..."));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral(
            "Remember to set the aperture - source distance before you start acquiring data."),
        this));
    show();
    // The opening blocks the event loop: paint the window before it starts.
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

}  // namespace velor
