#include "app/images/ImageSettingsDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace velor {

namespace {

// In the order of the type numbers. The TIFF entry's trailing blank is part of its text.
constexpr std::array<const char*, kImageTypeCount> kFormatLabels{
    "BMP Windows Bitmap",
    "JPEG File Interchange Format",
    "GIF Graphics Interchange Format",
    "TIFF Tagged Image File Format ",
    "PNG Portable Network Graphics",
};

constexpr int kQualityTickInterval = 10;

}  // namespace

CImageSettingsDlg::CImageSettingsDlg(ImageType type, int quality, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Image Settings"));

    m_formatBox = new QComboBox(this);
    m_formatBox->setObjectName(QLatin1String(kFormatBoxName));
    for (const char* label : kFormatLabels) m_formatBox->addItem(QString::fromLatin1(label));
    m_formatBox->setCurrentIndex(ImageTypeFromNumber(static_cast<int>(type)) ?
                                     static_cast<int>(type) : static_cast<int>(ImageType::Bmp));
    auto* formatLabel = new QLabel(QStringLiteral("Image Format"), this);
    formatLabel->setBuddy(m_formatBox);

    const int startQuality = std::clamp(quality, kMinImageQuality, kMaxImageQuality);
    m_qualitySlider = new QSlider(Qt::Horizontal, this);
    m_qualitySlider->setObjectName(QLatin1String(kQualitySliderName));
    m_qualitySlider->setRange(kMinImageQuality, kMaxImageQuality);
    m_qualitySlider->setTickInterval(kQualityTickInterval);
    m_qualitySlider->setTickPosition(QSlider::TicksBelow);
    m_qualitySlider->setValue(startQuality);

    m_qualitySpin = new QSpinBox(this);
    m_qualitySpin->setObjectName(QLatin1String(kQualitySpinName));
    m_qualitySpin->setRange(kMinImageQuality, kMaxImageQuality);
    m_qualitySpin->setValue(startQuality);

    auto* compression = new QGroupBox(QStringLiteral("JPEG Compression"), this);
    auto* compressionLayout = new QGridLayout(compression);
    compressionLayout->addWidget(new QLabel(QStringLiteral("Smaller File (lower quality)")), 0, 0);
    compressionLayout->addWidget(m_qualitySlider, 0, 1);
    compressionLayout->addWidget(new QLabel(QStringLiteral("Larger File (higher quality)")), 0, 2);
    compressionLayout->addWidget(m_qualitySpin, 1, 1, Qt::AlignHCenter);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(formatLabel);
    formatRow->addWidget(m_formatBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(formatRow);
    layout->addWidget(compression);
    layout->addWidget(buttons);

    // Setting an equal value emits nothing, so the two controls cannot chase each other.
    connect(m_qualitySlider, &QSlider::valueChanged, m_qualitySpin, &QSpinBox::setValue);
    connect(m_qualitySpin, qOverload<int>(&QSpinBox::valueChanged), m_qualitySlider,
            &QSlider::setValue);
    connect(m_formatBox, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { UpdateQualityEnabled(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    UpdateQualityEnabled();
}

ImageType CImageSettingsDlg::GetImageType() const {
    return static_cast<ImageType>(m_formatBox->currentIndex());
}

int CImageSettingsDlg::GetQuality() const { return m_qualitySpin->value(); }

void CImageSettingsDlg::UpdateQualityEnabled() {
    const bool jpeg = GetImageType() == ImageType::Jpeg;
    m_qualitySlider->setEnabled(jpeg);
    m_qualitySpin->setEnabled(jpeg);
}

}  // namespace velor
