#pragma once
// 3D Azimuth Scans (dialog 369): how many azimuth scans a 3D acquisition takes over 180
// degrees, each entry with its step.

#include <QDialog>
#include <cstdint>

class QComboBox;

namespace velor {

class CScans3DDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kListName = "scans3dList";

    // Opens on the entry of `scans` (the first when it is none of them).
    CScans3DDlg(uint16_t scans, bool okEnabled, QWidget* parent = nullptr);

    // The number at the start of the chosen entry.
    uint16_t GetScans() const;

private:
    QComboBox* m_list;
};

}  // namespace velor
