#pragma once
// Reference Power (dialog 395): the power of the source as measured elsewhere (1 to 1000) and
// its units, which calibrate intensity against the current 3D total.

#include <QDialog>
#include <QString>

#include "common/UserPrompt.h"

class QComboBox;
class QLineEdit;

namespace velor {

class CPowerCalibDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kPowerName = "referencePower";
    static constexpr const char* kUnitsName = "referenceUnits";

    // Units other than the three offered open on "mW".
    CPowerCalibDlg(float power, const QString& units, UserPrompt& prompt,
                   QWidget* parent = nullptr);

    float GetPower() const { return m_power; }
    QString GetUnits() const { return m_units; }

    void accept() override;

private:
    UserPrompt& m_prompt;
    float m_power;
    QString m_units;
    QLineEdit* m_powerField;
    QComboBox* m_unitsBox;
};

}  // namespace velor
