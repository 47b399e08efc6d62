#pragma once
// Timing: the plot frequency of a live view, a rate and its unit. OK checks the entry (see
// ValidateTiming) and keeps the dialog open on any refusal; the caller stores the result.

#include <QDialog>
#include <cstdint>

#include "common/UserPrompt.h"

class QComboBox;
class QLineEdit;

namespace velor {

class CTimingDlg : public QDialog {
    Q_OBJECT

public:
    // Object names of the controls, for tests.
    static constexpr const char* kRateEditName = "timingRate";
    static constexpr const char* kUnitBoxName = "timingUnit";

    // maxRate: the instrument's highest update rate per second. A unit outside 0..2 shows as
    // per second.
    CTimingDlg(uint16_t rate, int unit, unsigned maxRate, UserPrompt& prompt,
               QWidget* parent = nullptr);

    // The accepted values; the constructor's until OK succeeds.
    uint16_t GetUpdateRate() const { return m_rate; }
    int GetUpdateRateUnit() const { return m_unit; }

    void accept() override;

private:
    UserPrompt& m_prompt;
    unsigned m_maxRate;
    uint16_t m_rate;
    int m_unit;
    QLineEdit* m_rateEdit = nullptr;
    QComboBox* m_unitBox = nullptr;
};

}  // namespace velor
