#pragma once
// Aperture-Source Distance (dialog 375): the user's distance in centimetres, 0 to 100.

#include <QDialog>

#include "common/UserPrompt.h"

class QLineEdit;

namespace velor {

class CDistanceDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kFieldName = "distance";

    CDistanceDlg(float distanceCm, bool okEnabled, UserPrompt& prompt, QWidget* parent = nullptr);

    // The accepted distance; the one the dialog opened on until OK succeeds.
    float GetDistance() const { return m_distance; }

    void accept() override;

private:
    UserPrompt& m_prompt;
    float m_distance;
    QLineEdit* m_field;
};

}  // namespace velor
