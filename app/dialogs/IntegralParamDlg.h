#pragma once
// Integral Parameters (dialog 400): the wavelength and the angular limit of the integrals
// behind the mode-field diameter; the limit cannot exceed the field of view.

#include <QDialog>

#include "common/UserPrompt.h"
#include "document/SettingsLimits.h"

class QLineEdit;

namespace velor {

class CIntegralParamDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kWavelengthName = "wavelength";
    static constexpr const char* kLimitName = "angularLimit";
    static constexpr double kMinWavelengthNm = kWavelengthRange.low;
    static constexpr double kMaxWavelengthNm = kWavelengthRange.high;

    CIntegralParamDlg(float wavelengthNm, float angularLimitDeg, float fieldOfViewDeg,
                      UserPrompt& prompt, QWidget* parent = nullptr);

    float GetWavelength() const { return m_wavelength; }
    float GetAngularLimit() const { return m_limit; }

    void accept() override;

private:
    UserPrompt& m_prompt;
    float m_wavelength;
    float m_limit;
    float m_fieldOfView;
    QLineEdit* m_wavelengthField;
    QLineEdit* m_limitField;
};

}  // namespace velor
