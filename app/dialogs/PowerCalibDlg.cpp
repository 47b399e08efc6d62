#include "app/dialogs/PowerCalibDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/dialogs/DialogSupport.h"
#include "document/SettingsLimits.h"

namespace velor {

CPowerCalibDlg::CPowerCalibDlg(float power, const QString& units, UserPrompt& prompt,
                               QWidget* parent)
    : QDialog(parent), m_prompt(prompt), m_power(power), m_units(units) {
    setWindowTitle(QStringLiteral("Reference Power"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_powerField = new QLineEdit(FieldText(power), this);
    m_powerField->setObjectName(QLatin1String(kPowerName));
    form->addRow(QStringLiteral("Reference Power:"), m_powerField);
    m_unitsBox = new QComboBox(this);
    m_unitsBox->setObjectName(QLatin1String(kUnitsName));
    m_unitsBox->addItems({QStringLiteral("\u00B5W"), QStringLiteral("mW"), QStringLiteral("W")});
    const int index = m_unitsBox->findText(units);
    m_unitsBox->setCurrentIndex(index >= 0 ? index : 1);
    form->addRow(QStringLiteral("Units:"), m_unitsBox);
    layout->addLayout(form);
    AddOkCancel(*this, *layout, true);
}

void CPowerCalibDlg::accept() {
    const std::optional<double> value = ReadNumberField(*m_powerField, kReferencePowerRange.low, kReferencePowerRange.high, m_prompt);
    if (!value) return;
    m_power = static_cast<float>(*value);
    m_units = m_unitsBox->currentText();
    QDialog::accept();
}

}  // namespace velor
