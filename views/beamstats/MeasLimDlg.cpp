#include "views/beamstats/MeasLimDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cfloat>
#include <optional>

#include "views/common/DataValidation.h"

namespace velor {
namespace {

const QString kMinAboveMax = QStringLiteral("Minimum value must be smaller than maximum value!");

}  // namespace

CMeasLimDlg::CMeasLimDlg(const QString& rowName, const MeasLimits& limits, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent), m_prompt(prompt), m_limits(limits) {
    setWindowTitle(rowName);
    m_minBox = new QCheckBox(QStringLiteral("Minimum Value:"), this);
    m_minBox->setObjectName(QLatin1String(kMinBoxName));
    m_minEdit = new QLineEdit(FormatFloatField(limits.minValue), this);
    m_minEdit->setObjectName(QLatin1String(kMinEditName));
    m_maxBox = new QCheckBox(QStringLiteral("Maximum Value:"), this);
    m_maxBox->setObjectName(QLatin1String(kMaxBoxName));
    m_maxEdit = new QLineEdit(FormatFloatField(limits.maxValue), this);
    m_maxEdit->setObjectName(QLatin1String(kMaxEditName));

    auto* grid = new QGridLayout;
    const std::pair<QCheckBox*, QLineEdit*> rows[] = {{m_minBox, m_minEdit}, {m_maxBox, m_maxEdit}};
    const bool set[] = {limits.minSet, limits.maxSet};
    for (int i = 0; i < 2; ++i) {
        rows[i].first->setChecked(set[i]);
        rows[i].second->setEnabled(set[i]);
        connect(rows[i].first, &QCheckBox::toggled, rows[i].second, &QLineEdit::setEnabled);
        grid->addWidget(rows[i].first, i, 0);
        grid->addWidget(rows[i].second, i, 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMeasLimDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void CMeasLimDlg::accept() {
    const auto read = [this](QCheckBox* box, QLineEdit* edit, float previous) -> std::optional<float> {
        if (!box->isChecked()) return previous;  // a limit switched off keeps its last number
        const FloatFieldCheck check = CheckFloatField(edit->text(), -FLT_MAX, FLT_MAX);
        if (!check.value) {
            m_prompt.Message(check.message, QString(), PromptIcon::Exclamation);
            edit->setFocus();
            edit->selectAll();
        }
        return check.value;
    };
    const std::optional<float> low = read(m_minBox, m_minEdit, m_limits.minValue);
    if (!low) return;
    const std::optional<float> high = read(m_maxBox, m_maxEdit, m_limits.maxValue);
    if (!high) return;
    if (m_minBox->isChecked() && m_maxBox->isChecked() && *high < *low) {
        m_prompt.Message(kMinAboveMax, QString(), PromptIcon::Exclamation);
        return;
    }
    m_limits = {m_minBox->isChecked(), *low, m_maxBox->isChecked(), *high};
    QDialog::accept();
}

}  // namespace velor
