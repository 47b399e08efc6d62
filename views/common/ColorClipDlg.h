#pragma once
// The clip-level colour dialog of the 3D and topographic views: the list of levels with their
// colour swatches, an edit field with the current colour beside it, Add and Delete. The
// caller takes the list, highest level first, on OK.

#include <QColor>
#include <QDialog>
#include <cstdint>
#include <vector>

#include "common/UserPrompt.h"
#include "views/common/ClipLevels.h"
#include "views/common/ColorDlg.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace velor {

struct ClipLevel {
    uint16_t tenths;  // tenths of a percent of the maximum
    uint32_t colour;  // 0x00BBGGRR
};

class CColorClipDlg : public QDialog {
    Q_OBJECT

public:
    // Object names of the controls, for tests.
    static constexpr const char* kListName = "clipLevelList";
    static constexpr const char* kEditName = "clipLevelEdit";
    static constexpr const char* kSwatchName = "clipLevelColor";
    static constexpr const char* kAddName = "clipLevelAdd";
    static constexpr const char* kDeleteName = "clipLevelDelete";

    // At most 64 of the levels are shown; limits in tenths of a percent.
    CColorClipDlg(const std::vector<ClipLevel>& levels, const QString& title, UserPrompt& prompt,
                  QWidget* parent = nullptr, uint16_t minTenths = kMinClipLevel, uint16_t maxTenths = kMaxClipLevel,
                  ColorChooser chooser = ChooseColorWithDialog);

    // The list as it stands, in its order.
    const std::vector<ClipLevel>& Levels() const { return m_levels; }
    uint32_t CurrentColour() const { return m_current; }

    void OnAdd();
    void OnDelete();

private:
    void Refill();
    void OnSelect();
    void ChooseColour();
    void ShowCurrentColour();

    UserPrompt& m_prompt;
    ColorChooser m_chooser;
    uint16_t m_min;
    uint16_t m_max;
    std::vector<ClipLevel> m_levels;
    uint32_t m_current = 0x00FFFFFF;
    QListWidget* m_list = nullptr;
    QLineEdit* m_edit = nullptr;
    QPushButton* m_swatch = nullptr;
};

// A record's table through the dialog (limits 1.0 % to 100.0 %): on OK the list replaces the
// table and the entries past it are cleared; true when the user chose OK.
bool EditClipLevels(uint16_t& count, uint16_t (&levels)[kMaxClipLevels], uint32_t (&colours)[kMaxClipLevels],
                    const QString& title, UserPrompt& prompt, QWidget* parent);

}  // namespace velor
