#include "app/dialogs/DistanceDlg.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/dialogs/DialogSupport.h"
#include "document/SettingsLimits.h"

namespace velor {

CDistanceDlg::CDistanceDlg(float distanceCm, bool okEnabled, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent), m_prompt(prompt), m_distance(distanceCm) {
    setWindowTitle(QStringLiteral("Aperture-Source Distance"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_field = new QLineEdit(FieldText(distanceCm), this);
    m_field->setObjectName(QLatin1String(kFieldName));
    form->addRow(QStringLiteral("Aperture-source distance (cm) :"), m_field);
    layout->addLayout(form);
    AddOkCancel(*this, *layout, okEnabled);
}

void CDistanceDlg::accept() {
    const std::optional<double> value = ReadNumberField(*m_field, kUserDistanceRange.low, kUserDistanceRange.high, m_prompt);
    if (!value) return;
    m_distance = static_cast<float>(*value);
    QDialog::accept();
}

}  // namespace velor
