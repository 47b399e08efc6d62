#include "views/common/ZoomAngleDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "views/common/DataValidation.h"

namespace velor {

namespace {

constexpr int kGridChoices[] = {1, 2, 5, 10};

}  // namespace

CZoomAngleDlg::CZoomAngleDlg(float range, float offset, int grid, UserPrompt& prompt,
                             QWidget* parent)
    : QDialog(parent), m_prompt(prompt), m_range(range), m_offset(offset), m_grid(10) {
    setWindowTitle(QStringLiteral("Zoom Angle"));

    m_rangeEdit = new QLineEdit(FormatFloatField(range), this);
    m_rangeEdit->setObjectName(QLatin1String(kRangeEditName));
    m_offsetEdit = new QLineEdit(FormatFloatField(offset), this);
    m_offsetEdit->setObjectName(QLatin1String(kOffsetEditName));
    m_gridBox = new QComboBox(this);
    m_gridBox->setObjectName(QLatin1String(kGridBoxName));
    for (int choice : kGridChoices) {
        m_gridBox->addItem(QString::number(choice));
        if (choice == grid) m_grid = choice;
    }
    m_gridBox->setCurrentText(QString::number(m_grid));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Zoom Range (\u00B0) :"), m_rangeEdit);
    form->addRow(QStringLiteral("Zoom Offset (\u00B0) :"), m_offsetEdit);
    form->addRow(QStringLiteral("Zoom Grid (\u00B0) :"), m_gridBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CZoomAngleDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CZoomAngleDlg::accept() {
    const std::optional<float> range = ReadField(m_rangeEdit, kMinRange, kMaxRange);
    if (!range) return;
    const std::optional<float> offset = ReadField(m_offsetEdit, kMinOffset, kMaxOffset);
    if (!offset) return;
    m_range = *range;
    m_offset = *offset;
    m_grid = m_gridBox->currentText().toInt();
    QDialog::accept();
}

std::optional<float> CZoomAngleDlg::ReadField(QLineEdit* edit, float low, float high) {
    const FloatFieldCheck check = CheckFloatField(edit->text(), low, high);
    if (!check.value) {
        m_prompt.Message(check.message, QString(), PromptIcon::Exclamation);
        edit->setFocus();
        edit->selectAll();
    }
    return check.value;
}

}  // namespace velor
