#pragma once
// Phi Angle (dialog 374): the azimuth of axis 0 chosen from 801 values, 0 to 180 degrees in
// steps of 0.225 degrees.

#include <QDialog>

class QComboBox;

namespace velor {

class CPhiAngleDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kEntryCount = 801;
    static constexpr float kStepDegrees = 0.225f;
    static constexpr const char* kListName = "phiList";

    // Opens on the entry nearest phi (the last one for phi beyond 180 degrees).
    CPhiAngleDlg(float phi, bool okEnabled, QWidget* parent = nullptr);

    float GetPhi() const;

private:
    QComboBox* m_list;
};

}  // namespace velor
