#pragma once
// The Image Settings dialog: the image type for saved views and the JPEG quality. The caller
// reads the choice back after exec() and stores it in the frame settings on OK.

#include <QDialog>

#include "images/ImageExport.h"

class QComboBox;
class QSlider;
class QSpinBox;

namespace velor {

class CImageSettingsDlg : public QDialog {
    Q_OBJECT

public:
    // Object names of the controls, for tests and style sheets.
    static constexpr const char* kFormatBoxName = "imageFormat";
    static constexpr const char* kQualitySliderName = "qualitySlider";
    static constexpr const char* kQualitySpinName = "qualitySpin";

    // A quality outside 1..100 is brought into range.
    CImageSettingsDlg(ImageType type, int quality, QWidget* parent = nullptr);

    ImageType GetImageType() const;
    int GetQuality() const;

private:
    // The quality controls only mean something for JPEG.
    void UpdateQualityEnabled();

    QComboBox* m_formatBox = nullptr;
    QSlider* m_qualitySlider = nullptr;
    QSpinBox* m_qualitySpin = nullptr;
};

}  // namespace velor
