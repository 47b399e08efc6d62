#pragma once
// Pulsed Mode (dialog 401): whether the source is pulsed, and its frequency (0.1 to 20 kHz),
// which can be entered only while the box is checked.

#include <QDialog>

#include "common/UserPrompt.h"

class QCheckBox;
class QLineEdit;

namespace velor {

class CPulsedModeDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kBoxName = "pulsed";
    static constexpr const char* kFieldName = "sourceFrequency";

    CPulsedModeDlg(bool pulsed, float frequencyKHz, bool okEnabled, UserPrompt& prompt,
                   QWidget* parent = nullptr);

    bool IsPulsed() const { return m_pulsed; }
    float GetFrequency() const { return m_frequency; }

    void accept() override;

private:
    UserPrompt& m_prompt;
    bool m_pulsed;
    float m_frequency;
    QCheckBox* m_box;
    QLineEdit* m_field;
};

}  // namespace velor
