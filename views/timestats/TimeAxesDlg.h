#pragma once
// Time Stat Axes: the Y and X ranges with their Auto boxes and the X unit. The X fields and
// their allowed range follow a change of unit through the points they stand for. OK runs
// every check, shows all refusals in one message and keeps the dialog open.

#include <QDialog>
#include <cstdint>

#include "common/UserPrompt.h"
#include "views/timestats/TimeStatUnits.h"

class QCheckBox;
class QComboBox;

namespace velor {

class SpinField;

struct AxesValues {
    float yMin = 0.0f;
    float yMax = 1.0f;
    bool autoY = true;
    float xMin = 0.0f;
    float xMax = 10.0f;
    uint16_t xUnit = kUnitPoints;
    bool autoX = true;
};

// What the ranges are checked against.
struct AxesLimits {
    Rate rate{10.0, 0};
    int capacity = 0;
    bool manual = false;
    double yLow = 0.0;   // the variable's Y limit
    double yHigh = 180.0;
};

class CTimeAxesDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kYMinName = "yMin";        // edit 5111
    static constexpr const char* kYMaxName = "yMax";        // edit 5112
    static constexpr const char* kAutoYName = "autoY";      // check box 5024
    static constexpr const char* kXMinName = "xMin";        // edit 5113
    static constexpr const char* kXMaxName = "xMax";        // edit 5114
    static constexpr const char* kXUnitName = "xUnit";      // combo 5337
    static constexpr const char* kAutoXName = "autoX";      // check box 5025

    CTimeAxesDlg(const AxesValues& values, const AxesLimits& limits, UserPrompt& prompt, QWidget* parent = nullptr);

    const AxesValues& GetValues() const { return m_values; }
    // The largest X value allowed, in the unit shown.
    double AllowedXMax() const { return m_limits.rate.Value(m_allowedPoints, m_xUnit); }

    void accept() override;

private:
    void OnXUnit(int unit);
    void EnableFields();

    UserPrompt& m_prompt;
    AxesValues m_values;
    AxesLimits m_limits;
    double m_allowedPoints;  // the X range allowed, in points
    uint16_t m_xUnit;        // the unit the X fields are in
    SpinField* m_yMin = nullptr;
    SpinField* m_yMax = nullptr;
    QCheckBox* m_autoY = nullptr;
    SpinField* m_xMin = nullptr;
    SpinField* m_xMax = nullptr;
    QComboBox* m_xUnitBox = nullptr;
    QCheckBox* m_autoX = nullptr;
};

}  // namespace velor
