#pragma once
// Zoom Angle: the width and centre of a chart's angle window and the spacing of its grid.
// OK checks both numbers and keeps the dialog open, focused on the first bad field.

#include <QDialog>
#include <optional>

#include "common/UserPrompt.h"

class QComboBox;
class QLineEdit;

namespace velor {

class CZoomAngleDlg : public QDialog {
    Q_OBJECT

public:
    // Object names of the controls, for tests.
    static constexpr const char* kRangeEditName = "zoomRange";
    static constexpr const char* kOffsetEditName = "zoomOffset";
    static constexpr const char* kGridBoxName = "zoomGrid";

    // A window of no width draws nothing (and a file holding one is refused): the narrowest
    // accepted is a tenth of a degree, about two samples.
    static constexpr float kMinRange = 0.1f;
    static constexpr float kMaxRange = 180.0f;
    static constexpr float kMinOffset = -90.0f;
    static constexpr float kMaxOffset = 90.0f;

    // A grid other than 1, 2 or 5 shows as 10.
    CZoomAngleDlg(float range, float offset, int grid, UserPrompt& prompt,
                  QWidget* parent = nullptr);

    // The accepted values; the constructor's until OK succeeds (the grid: as shown).
    float GetZoomRange() const { return m_range; }
    float GetZoomOffset() const { return m_offset; }
    int GetZoomGrid() const { return m_grid; }

    void accept() override;

private:
    // The field's number, or nothing after telling the user and focusing the field.
    std::optional<float> ReadField(QLineEdit* edit, float low, float high);

    UserPrompt& m_prompt;
    float m_range;
    float m_offset;
    int m_grid;
    QLineEdit* m_rangeEdit = nullptr;
    QLineEdit* m_offsetEdit = nullptr;
    QComboBox* m_gridBox = nullptr;
};

}  // namespace velor
