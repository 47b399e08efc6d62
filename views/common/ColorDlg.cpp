#include "views/common/ColorDlg.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace velor {

namespace {

constexpr std::array<const char*, CColor::kSwatchCount> kSwatchLabels{
    "Background color", "Text color", "Grid color", "Data color"};

constexpr QSize kSwatchSize(32, 16);

}  // namespace

std::optional<QColor> ChooseColorWithDialog(const QColor& initial, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

CColor::CColor(uint32_t background, uint32_t text, uint32_t grid, uint32_t data,
               QWidget* parent, ColorChooser chooser)
    : QDialog(parent),
      m_chooser(std::move(chooser)),
      m_colors{FromColorRef(background), FromColorRef(text), FromColorRef(grid),
               FromColorRef(data)} {
    setWindowTitle(QStringLiteral("Colors"));
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < kSwatchCount; ++i) {
        const auto swatch = static_cast<Swatch>(i);
        auto* button = new QPushButton(QString::fromLatin1(kSwatchLabels[i]), this);
        button->setObjectName(QLatin1String(kSwatchNames[i]));
        button->setIconSize(kSwatchSize);
        connect(button, &QPushButton::clicked, this, [this, swatch] { Choose(swatch); });
        m_buttons[i] = button;
        ShowSwatch(swatch);
        layout->addWidget(button);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CColor::Choose(Swatch swatch) {
    if (!m_chooser) return;
    const std::optional<QColor> chosen = m_chooser(m_colors[swatch], this);
    if (!chosen || !chosen->isValid()) return;
    // Records hold no transparency.
    m_colors[swatch] = FromColorRef(ToColorRef(*chosen));
    ShowSwatch(swatch);
}

void CColor::ShowSwatch(Swatch swatch) {
    // A framed colour patch in the button's icon shows the colour in every widget style.
    QPixmap patch(kSwatchSize);
    patch.fill(m_colors[swatch]);
    QPainter painter(&patch);
    painter.setPen(Qt::black);
    painter.drawRect(patch.rect().adjusted(0, 0, -1, -1));
    painter.end();
    m_buttons[swatch]->setIcon(QIcon(patch));
}

}  // namespace velor
