#include "views/common/TimingDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "views/common/TimingValidation.h"

namespace velor {

CTimingDlg::CTimingDlg(uint16_t rate, int unit, unsigned maxRate, UserPrompt& prompt,
                       QWidget* parent)
    : QDialog(parent),
      m_prompt(prompt),
      m_maxRate(maxRate),
      m_rate(rate),
      m_unit(unit >= 0 && unit < kTimingUnitCount ? unit : kPerSecond) {
    setWindowTitle(QStringLiteral("Timing"));

    // A plain edit, not a spin box: decimals and empty entries have rules of their own.
    m_rateEdit = new QLineEdit(QString::number(rate), this);
    m_rateEdit->setObjectName(QLatin1String(kRateEditName));
    m_unitBox = new QComboBox(this);
    m_unitBox->setObjectName(QLatin1String(kUnitBoxName));
    for (int i = 0; i < kTimingUnitCount; ++i) m_unitBox->addItem(TimingUnitName(i));
    m_unitBox->setCurrentIndex(m_unit);

    auto* group = new QGroupBox(QStringLiteral("Plot Frequency"), this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(m_rateEdit);
    row->addWidget(m_unitBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTimingDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

void CTimingDlg::accept() {
    const TimingCheck check = ValidateTiming(m_rateEdit->text(), m_unitBox->currentIndex(),
                                             m_maxRate);
    // Show what a decimal entry was turned into, so a following message makes sense.
    if (check.converted) {
        m_rateEdit->setText(QString::number(check.value, 'f', 0));
        m_unitBox->setCurrentIndex(check.unit);
    }
    switch (check.verdict) {
    case TimingVerdict::Refuse:
        m_prompt.Message(check.message, kTimingCaption, check.icon);
        break;
    case TimingVerdict::AskZero:
        if (m_prompt.Ask(check.message, kTimingCaption, PromptButtons::YesNo, check.icon) !=
            PromptAnswer::Yes) {
            break;
        }
        [[fallthrough]];
    case TimingVerdict::Accept:
        m_rate = check.rate;
        m_unit = check.unit;
        QDialog::accept();
        return;
    }
    m_rateEdit->setFocus();
    m_rateEdit->selectAll();
}

}  // namespace velor
