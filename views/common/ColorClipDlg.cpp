#include "views/common/ColorClipDlg.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "views/common/ClipLevelRules.h"
#include "views/common/ColorRef.h"

namespace velor {
namespace {

constexpr QSize kRowSwatch(28, 12);
constexpr QSize kCurrentSwatch(40, 20);

QIcon Swatch(uint32_t colour, QSize size) {
    QPixmap patch(size);
    patch.fill(FromColorRef(colour));
    QPainter painter(&patch);
    painter.setPen(Qt::black);
    painter.drawRect(patch.rect().adjusted(0, 0, -1, -1));
    return QIcon(patch);
}

}  // namespace

CColorClipDlg::CColorClipDlg(const std::vector<ClipLevel>& levels, const QString& title, UserPrompt& prompt,
                             QWidget* parent, uint16_t minTenths, uint16_t maxTenths, ColorChooser chooser)
    : QDialog(parent),
      m_prompt(prompt),
      m_chooser(std::move(chooser)),
      m_min(minTenths),
      m_max(maxTenths),
      m_levels(levels.begin(), levels.begin() + std::min<size_t>(levels.size(), kMaxClipLevels)) {
    setWindowTitle(title);

    m_list = new QListWidget(this);
    m_list->setObjectName(QLatin1String(kListName));
    m_list->setIconSize(kRowSwatch);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Wide enough for the widest text beside its swatch, with room for a scroll bar.
    const int textWidth = QFontMetrics(m_list->font()).horizontalAdvance(QStringLiteral("100.0%"));
    m_list->setMinimumWidth(textWidth + kRowSwatch.width() + 48);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CColorClipDlg::OnSelect);

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QLatin1String(kEditName));
    m_swatch = new QPushButton(this);
    m_swatch->setObjectName(QLatin1String(kSwatchName));
    m_swatch->setIconSize(kCurrentSwatch);
    m_swatch->setToolTip(QStringLiteral("Colour of the level to add"));
    connect(m_swatch, &QPushButton::clicked, this, &CColorClipDlg::ChooseColour);

    auto* add = new QPushButton(QStringLiteral("&Add"), this);
    add->setObjectName(QLatin1String(kAddName));
    add->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, &CColorClipDlg::OnAdd);
    auto* remove = new QPushButton(QStringLiteral("&Delete"), this);
    remove->setObjectName(QLatin1String(kDeleteName));
    remove->setAutoDefault(false);
    connect(remove, &QPushButton::clicked, this, &CColorClipDlg::OnDelete);

    auto* side = new QGridLayout;
    side->addWidget(new QLabel(QStringLiteral("Clip Level (%):"), this), 0, 0, 1, 2);
    side->addWidget(m_edit, 1, 0);
    side->addWidget(m_swatch, 1, 1);
    side->addWidget(add, 2, 0, 1, 2);
    side->addWidget(remove, 3, 0, 1, 2);
    side->setRowStretch(4, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(m_list, 1);
    body->addLayout(side);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);

    Refill();
    ShowCurrentColour();
}

void CColorClipDlg::Refill() {
    m_list->clear();
    for (const ClipLevel& level : m_levels) {
        m_list->addItem(new QListWidgetItem(Swatch(level.colour, kRowSwatch), ClipLevelText(level.tenths)));
    }
}

void CColorClipDlg::ShowCurrentColour() { m_swatch->setIcon(Swatch(m_current, kCurrentSwatch)); }

void CColorClipDlg::ChooseColour() {
    if (!m_chooser) return;
    const std::optional<QColor> chosen = m_chooser(FromColorRef(m_current), this);
    if (!chosen || !chosen->isValid()) return;
    m_current = ToColorRef(*chosen);
    ShowCurrentColour();
}

void CColorClipDlg::OnSelect() {
    const int row = m_list->currentRow();
    if (row < 0 || row >= static_cast<int>(m_levels.size()) || !m_list->currentItem()->isSelected()) return;
    m_edit->setText(m_list->item(row)->text());
    m_current = m_levels[row].colour;
    ShowCurrentColour();
}

void CColorClipDlg::OnAdd() {
    std::vector<uint16_t> listed;
    for (const ClipLevel& level : m_levels) listed.push_back(level.tenths);
    const ClipLevelCheck check = CheckNewClipLevel(m_edit->text(), m_min, m_max, listed);
    if (!check.accepted) {
        m_prompt.Message(check.message, check.caption, PromptIcon::Exclamation);
        m_edit->setFocus();
        return;
    }
    // The list stays highest first, the order the colour mapping reads it in.
    const auto at = std::find_if(m_levels.begin(), m_levels.end(),
                                 [&](const ClipLevel& level) { return level.tenths < check.tenths; });
    m_levels.insert(at, ClipLevel{check.tenths, m_current});
    Refill();
}

void CColorClipDlg::OnDelete() {
    const int row = m_list->currentRow();
    if (row < 0 || row >= static_cast<int>(m_levels.size()) || m_list->selectedItems().isEmpty()) {
        m_prompt.Message(QStringLiteral("No ClipLevel Selected"), QStringLiteral("ERROR"), PromptIcon::Exclamation);
        return;
    }
    if (m_levels[row].tenths == 1000) {
        m_prompt.Message(QStringLiteral("You are not allowed to delete the 100% ClipLevel"), QStringLiteral("ERROR"),
                         PromptIcon::Exclamation);
        return;
    }
    const QString question = QStringLiteral("Delete %1 ClipLevel").arg(m_list->item(row)->text());
    if (m_prompt.Ask(question, QStringLiteral("Delete ClipLevel"), PromptButtons::YesNo, PromptIcon::Question) !=
        PromptAnswer::Yes) {
        return;
    }
    m_levels.erase(m_levels.begin() + row);
    Refill();
}

bool EditClipLevels(uint16_t& count, uint16_t (&levels)[kMaxClipLevels], uint32_t (&colours)[kMaxClipLevels],
                    const QString& title, UserPrompt& prompt, QWidget* parent) {
    std::vector<ClipLevel> table;
    for (int i = 0; i < count && i < kMaxClipLevels; ++i) table.push_back({levels[i], colours[i]});
    CColorClipDlg dialog(table, title, prompt, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    const std::vector<ClipLevel>& chosen = dialog.Levels();
    // The dialog refuses a 65th level; the record could not hold it.
    const size_t taken = std::min<size_t>(chosen.size(), kMaxClipLevels);
    count = static_cast<uint16_t>(taken);
    for (size_t i = 0; i < static_cast<size_t>(kMaxClipLevels); ++i) {
        levels[i] = i < taken ? chosen[i].tenths : 0;
        colours[i] = i < taken ? chosen[i].colour : 0;
    }
    return true;
}

}  // namespace velor
