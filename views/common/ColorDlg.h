#pragma once
// Colors: the background, text, grid and data colours of a chart view, each on a swatch
// button that opens a colour chooser. The caller stores the colours on OK.

#include <QColor>
#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "views/common/ColorRef.h"

class QPushButton;

namespace velor {

// Asks the user for a colour starting from initial; nothing when the user cancels.
using ColorChooser = std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

// The system colour dialog.
std::optional<QColor> ChooseColorWithDialog(const QColor& initial, QWidget* parent);

class CColor : public QDialog {
    Q_OBJECT

public:
    enum Swatch : int { kBackground = 0, kText, kGrid, kData, kSwatchCount };

    // Object names of the swatch buttons, in Swatch order, for tests.
    static constexpr std::array<const char*, kSwatchCount> kSwatchNames{
        "backgroundColor", "textColor", "gridColor", "dataColor"};

    // Colours are COLORREF values (0x00BBGGRR).
    CColor(uint32_t background, uint32_t text, uint32_t grid, uint32_t data,
           QWidget* parent = nullptr, ColorChooser chooser = ChooseColorWithDialog);

    uint32_t GetBackgroundColor() const { return ToColorRef(m_colors[kBackground]); }
    uint32_t GetTextColor() const { return ToColorRef(m_colors[kText]); }
    uint32_t GetGridColor() const { return ToColorRef(m_colors[kGrid]); }
    uint32_t GetDataColor() const { return ToColorRef(m_colors[kData]); }

private:
    void Choose(Swatch swatch);
    void ShowSwatch(Swatch swatch);

    ColorChooser m_chooser;
    std::array<QColor, kSwatchCount> m_colors;
    std::array<QPushButton*, kSwatchCount> m_buttons{};
};

}  // namespace velor
