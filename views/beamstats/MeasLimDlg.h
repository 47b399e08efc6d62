#pragma once
// Measurement Limits: the lowest and highest value a row may take, each switched on by its
// box. Titled with the row's name; a maximum below the minimum is refused (equal is allowed).

#include <QDialog>

#include "common/UserPrompt.h"

class QCheckBox;
class QLineEdit;

namespace velor {

struct MeasLimits {
    bool minSet = false;
    float minValue = 0.0f;
    bool maxSet = false;
    float maxValue = 0.0f;
};

class CMeasLimDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kMinBoxName = "minLimitBox";
    static constexpr const char* kMinEditName = "minLimitEdit";
    static constexpr const char* kMaxBoxName = "maxLimitBox";
    static constexpr const char* kMaxEditName = "maxLimitEdit";

    CMeasLimDlg(const QString& rowName, const MeasLimits& limits, UserPrompt& prompt, QWidget* parent = nullptr);

    // The accepted limits; the constructor's until OK succeeds.
    const MeasLimits& Limits() const { return m_limits; }

    void accept() override;

private:
    UserPrompt& m_prompt;
    MeasLimits m_limits;
    QCheckBox* m_minBox;
    QLineEdit* m_minEdit;
    QCheckBox* m_maxBox;
    QLineEdit* m_maxEdit;
};

}  // namespace velor
