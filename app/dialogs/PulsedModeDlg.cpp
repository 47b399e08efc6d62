#include "app/dialogs/PulsedModeDlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/dialogs/DialogSupport.h"
#include "document/SettingsLimits.h"

namespace velor {

CPulsedModeDlg::CPulsedModeDlg(bool pulsed, float frequencyKHz, bool okEnabled, UserPrompt& prompt,
                               QWidget* parent)
    : QDialog(parent), m_prompt(prompt), m_pulsed(pulsed), m_frequency(frequencyKHz) {
    setWindowTitle(QStringLiteral("Pulsed Mode"));
    auto* layout = new QVBoxLayout(this);
    m_box = new QCheckBox(QStringLiteral("Pulsed Mode"), this);
    m_box->setObjectName(QLatin1String(kBoxName));
    m_box->setChecked(pulsed);
    layout->addWidget(m_box);
    auto* form = new QFormLayout;
    m_field = new QLineEdit(FieldText(frequencyKHz), this);
    m_field->setObjectName(QLatin1String(kFieldName));
    m_field->setEnabled(pulsed);
    form->addRow(QStringLiteral("Source Frequency [kHz]:"), m_field);
    layout->addLayout(form);
    connect(m_box, &QCheckBox::toggled, m_field, &QLineEdit::setEnabled);
    AddOkCancel(*this, *layout, okEnabled);
}

void CPulsedModeDlg::accept() {
    // The frequency matters (and is checked) only for a pulsed source.
    if (m_box->isChecked()) {
        const std::optional<double> value = ReadNumberField(*m_field, kSourceFrequencyRange.low, kSourceFrequencyRange.high, m_prompt);
        if (!value) return;
        m_frequency = static_cast<float>(*value);
    }
    m_pulsed = m_box->isChecked();
    QDialog::accept();
}

}  // namespace velor
