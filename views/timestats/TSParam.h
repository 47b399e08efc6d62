#pragma once
// Parameters: the variable a time statistics view charts, its clip level (or for Amplitude
// where on the profile), which axes are shown and their colours. The captions of the axis
// buttons show the series names the current choice gives.

#include <QDialog>
#include <array>
#include <cstdint>

#include "views/common/ColorDlg.h"
#include "views/timestats/TimeStatVariables.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velor {

class UserPrompt;

struct ParameterValues {
    uint16_t variable = kAngularWidth;
    uint16_t clip = 50;
    int32_t amplitudeRef = 1;
    int16_t userAngle = 0;        // tenths of a degree
    uint16_t axisSelection = 2;   // 0 axis 0, 1 axis 1, 2 both
    std::array<uint32_t, 2> colours{0x000000FF, 0x00FF0000};
};

// What the document tells the dialog: the variables it offers and what names are built from.
struct ParameterContext {
    VariableContext variables;
    std::array<float, 2> phi{0.0f, 90.0f};
    uint16_t units = 0;
    QString refUnits;
};

class CTSParam : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kVariableName = "variable";      // combo 1923
    static constexpr const char* kClipGroupName = "clipGroup";    // group 1943
    static constexpr std::array<const char*, 4> kLevelNames{"level1", "level2", "level3", "levelUser"};  // 1931 … 1936
    static constexpr const char* kUserValueName = "userValue";    // edit 1942
    static constexpr std::array<const char*, 3> kAxisNames{"axis0", "axis1", "axisBoth"};  // 1924, 1925, 1926
    static constexpr std::array<const char*, 2> kColourNames{"colour1", "colour2"};      // 1946, 1947

    CTSParam(const ParameterValues& values, const ParameterContext& context, UserPrompt& prompt,
             QWidget* parent = nullptr, ColorChooser chooser = ChooseColorWithDialog);

    const ParameterValues& GetValues() const { return m_values; }
    // The series name for an axis under the choice on screen.
    QString NameFor(int axis) const;

    void accept() override;

private:
    bool IsAmplitude() const { return m_edit.variable == kAmplitude; }
    void ShowLevels();
    // Takes the level buttons and the user value into the choice; false when the value is bad.
    bool TakeLevel(bool tell);
    void RefreshCaptions();
    void ChooseColour(int series);

    UserPrompt& m_prompt;
    ParameterContext m_context;
    ColorChooser m_chooser;
    ParameterValues m_values;  // accepted
    ParameterValues m_edit;    // on screen
    QComboBox* m_variable = nullptr;
    QGroupBox* m_clipGroup = nullptr;
    std::array<QRadioButton*, 4> m_levels{};
    QButtonGroup* m_levelGroup = nullptr;
    QLineEdit* m_userValue = nullptr;
    std::array<QRadioButton*, 3> m_axes{};
    std::array<QPushButton*, 2> m_colours{};
};

}  // namespace velor
