#include "app/dialogs/IntegralParamDlg.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/dialogs/DialogSupport.h"

namespace velor {

CIntegralParamDlg::CIntegralParamDlg(float wavelengthNm, float angularLimitDeg,
                                     float fieldOfViewDeg, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent),
      m_prompt(prompt),
      m_wavelength(wavelengthNm),
      m_limit(angularLimitDeg),
      m_fieldOfView(fieldOfViewDeg) {
    setWindowTitle(QStringLiteral("Integral Parameters"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_wavelengthField = new QLineEdit(FieldText(wavelengthNm), this);
    m_wavelengthField->setObjectName(QLatin1String(kWavelengthName));
    form->addRow(QStringLiteral("&Wavelength (nm):"), m_wavelengthField);
    m_limitField = new QLineEdit(FieldText(angularLimitDeg), this);
    m_limitField->setObjectName(QLatin1String(kLimitName));
    form->addRow(QStringLiteral("\u00B1Angular &Limit (deg):"), m_limitField);
    layout->addLayout(form);
    AddOkCancel(*this, *layout, true);
}

void CIntegralParamDlg::accept() {
    const std::optional<double> wavelength =
        ReadNumberField(*m_wavelengthField, kMinWavelengthNm, kMaxWavelengthNm, m_prompt);
    if (!wavelength) return;
    // Checked against the field of view as the message shows it, so its own figure passes;
    // what is stored never exceeds the exact limit.
    const double fieldOfView = FieldText(static_cast<double>(m_fieldOfView)).toDouble();
    const std::optional<double> limit = ReadNumberField(*m_limitField, 0.0, fieldOfView, m_prompt);
    if (!limit) return;
    m_wavelength = static_cast<float>(*wavelength);
    m_limit = std::min(static_cast<float>(*limit), m_fieldOfView);
    QDialog::accept();
}

}  // namespace velor
