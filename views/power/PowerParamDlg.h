#pragma once
// Power Parameters: the three cone angles and the three shares of the total the power view
// reports, each with its box, and whether cone angles are shown and entered as numerical
// aperture. Toggling that box checks the fields first, then converts the cone angles.

#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>

#include "common/UserPrompt.h"

class QCheckBox;
class QLineEdit;

namespace velor {

struct PowerParameters {
    uint32_t coneFlags = 7;                          // bit i: cone i + 1 shown
    std::array<float, 3> coneAngles{5.0f, 10.0f, 45.0f};  // degrees, whatever the display
    uint32_t percentFlags = 7;
    std::array<float, 3> percents{25.0f, 50.0f, 75.0f};
    bool showNA = false;
};

class CPowerParamDlg : public QDialog {
    Q_OBJECT

public:
    // Object names of the controls, for tests.
    static constexpr std::array<const char*, 3> kConeBoxNames{"coneBox1", "coneBox2", "coneBox3"};
    static constexpr std::array<const char*, 3> kConeEditNames{"coneEdit1", "coneEdit2", "coneEdit3"};
    static constexpr std::array<const char*, 3> kPercentBoxNames{"percentBox1", "percentBox2", "percentBox3"};
    static constexpr std::array<const char*, 3> kPercentEditNames{"percentEdit1", "percentEdit2", "percentEdit3"};
    static constexpr const char* kNABoxName = "displayAsNA";

    CPowerParamDlg(const PowerParameters& parameters, UserPrompt& prompt, QWidget* parent = nullptr);

    // The accepted values (cone angles in degrees); the constructor's until OK succeeds.
    const PowerParameters& GetParameters() const { return m_parameters; }

    void accept() override;

private:
    struct Fields {
        std::array<double, 3> coneDegrees;
        std::array<float, 3> percents;
    };
    // Every field checked in the current display; nothing after telling the user.
    std::optional<Fields> ReadFields();
    std::optional<float> ReadField(QLineEdit* edit, float low, float high);
    void ShowCone(int i, double degrees);
    void OnDisplayAsNA(bool on);

    UserPrompt& m_prompt;
    PowerParameters m_parameters;
    bool m_na;  // the display the cone fields are in
    std::array<QCheckBox*, 3> m_coneBoxes{};
    std::array<QLineEdit*, 3> m_coneEdits{};
    std::array<QCheckBox*, 3> m_percentBoxes{};
    std::array<QLineEdit*, 3> m_percentEdits{};
    QCheckBox* m_naBox = nullptr;
    // The degrees each cone field was filled with and the text it showed: a field left as it
    // was keeps its exact angle, so toggling the display back and forth loses nothing.
    std::array<double, 3> m_shownDegrees{};
    std::array<QString, 3> m_shownTexts;
};

}  // namespace velor
