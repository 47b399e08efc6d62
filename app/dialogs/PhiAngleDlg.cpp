#include "app/dialogs/PhiAngleDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/dialogs/DialogSupport.h"

namespace velor {

CPhiAngleDlg::CPhiAngleDlg(float phi, bool okEnabled, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Phi Angle"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_list = new QComboBox(this);
    m_list->setObjectName(QLatin1String(kListName));
    for (int i = 0; i < kEntryCount; ++i) {
        m_list->addItem(QString::asprintf("%.3f", static_cast<double>(i * kStepDegrees)));
    }
    const long nearest = std::lround(static_cast<double>(phi / kStepDegrees));
    m_list->setCurrentIndex(
        static_cast<int>(std::clamp(nearest, 0L, static_cast<long>(kEntryCount - 1))));
    form->addRow(QStringLiteral("&Phi (deg):"), m_list);
    layout->addLayout(form);
    AddOkCancel(*this, *layout, okEnabled);
}

float CPhiAngleDlg::GetPhi() const {
    return static_cast<float>(m_list->currentIndex()) * kStepDegrees;
}

}  // namespace velor
