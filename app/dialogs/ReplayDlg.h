#pragma once
// Replay (modeless): the stored azimuth scans of the 3D data, one at a time as the axis-0
// profile. It lives as long as replay mode; Cancel leaves the mode.

#include <QDialog>

class QComboBox;

namespace velor {

class CVelor32Doc;

class CReplayDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kListName = "replayPhiList";

    CReplayDlg(CVelor32Doc& doc, QWidget* parent = nullptr);

    // Cancel, Escape and the window's close button leave replay mode (which closes the dialog).
    void reject() override;

private:
    CVelor32Doc& m_doc;
    QComboBox* m_list;
};

}  // namespace velor
