#include "views/timestats/TimeAxesDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

#include "views/common/DataValidation.h"
#include "views/timestats/SpinField.h"

namespace velor {
namespace {

const QString kCaption = QStringLiteral("Parameter error");
constexpr int kDecimals = 3;
// Without a capacity the X axis may still span this many points.
constexpr double kPointsWithoutCapacity = 4096.0;
constexpr float kFieldLimit = 1.0e7f;

QString UnitWord(uint16_t unit) {
    static const char* const kUnits[] = {"seconds", "minutes", "hours", "points"};
    return QLatin1String(kUnits[unit < 4 ? unit : 3]);
}

}  // namespace

CTimeAxesDlg::CTimeAxesDlg(const AxesValues& values, const AxesLimits& limits, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent),
      m_prompt(prompt),
      m_values(values),
      m_limits(limits),
      m_allowedPoints(limits.capacity > 0 ? limits.capacity : kPointsWithoutCapacity),
      m_xUnit(values.xUnit < kUnitCount ? values.xUnit : kUnitPoints) {
    setWindowTitle(QStringLiteral("Time Stat Axes"));
    const auto field = [this](const char* name, double value, double low, double high) {
        auto* spin = new SpinField(name, kDecimals, this);
        spin->SetRange(low, high);
        spin->SetValue(value);
        return spin;
    };
    const double yStep = (limits.yHigh - limits.yLow) / 100.0;
    m_yMin = field(kYMinName, values.yMin, limits.yLow, limits.yHigh);
    m_yMax = field(kYMaxName, values.yMax, limits.yLow, limits.yHigh);
    m_yMin->SetStep(yStep);
    m_yMax->SetStep(yStep);
    m_autoY = new QCheckBox(QStringLiteral("&Auto"), this);
    m_autoY->setObjectName(QLatin1String(kAutoYName));
    m_autoY->setChecked(values.autoY);
    m_xMin = field(kXMinName, values.xMin, 0.0, AllowedXMax());
    m_xMax = field(kXMaxName, values.xMax, 0.0, AllowedXMax());
    m_xUnitBox = new QComboBox(this);
    m_xUnitBox->setObjectName(QLatin1String(kXUnitName));
    for (int i = 0; i < kUnitCount; ++i) m_xUnitBox->addItem(UnitText(i));
    m_xUnitBox->setCurrentIndex(m_xUnit);
    m_autoX = new QCheckBox(QStringLiteral("Au&to"), this);
    m_autoX->setObjectName(QLatin1String(kAutoXName));
    m_autoX->setChecked(values.autoX);

    auto* yGroup = new QGroupBox(QStringLiteral("Y Axis"), this);
    auto* yForm = new QFormLayout(yGroup);
    yForm->addRow(QStringLiteral("Min"), m_yMin);
    yForm->addRow(QStringLiteral("Max"), m_yMax);
    yForm->addRow(m_autoY);
    auto* xGroup = new QGroupBox(QStringLiteral("X Axis"), this);
    auto* xForm = new QFormLayout(xGroup);
    xForm->addRow(QStringLiteral("Min"), m_xMin);
    xForm->addRow(QStringLiteral("Max"), m_xMax);
    xForm->addRow(QStringLiteral("Units"), m_xUnitBox);
    xForm->addRow(m_autoX);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTimeAxesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(yGroup);
    layout->addWidget(xGroup);
    layout->addWidget(buttons);

    connect(m_autoY, &QCheckBox::toggled, this, &CTimeAxesDlg::EnableFields);
    connect(m_autoX, &QCheckBox::toggled, this, &CTimeAxesDlg::EnableFields);
    connect(m_xUnitBox, qOverload<int>(&QComboBox::currentIndexChanged), this, &CTimeAxesDlg::OnXUnit);
    EnableFields();
}

void CTimeAxesDlg::EnableFields() {
    m_yMin->setEnabled(!m_autoY->isChecked());
    m_yMax->setEnabled(!m_autoY->isChecked());
    m_xMin->setEnabled(!m_autoX->isChecked());
    m_xMax->setEnabled(!m_autoX->isChecked());
}

void CTimeAxesDlg::OnXUnit(int unit) {
    const Rate& rate = m_limits.rate;
    for (SpinField* spin : {m_xMin, m_xMax}) {
        const FloatFieldCheck check = CheckFloatField(spin->Text(), -kFieldLimit, kFieldLimit);
        if (!check.value) continue;
        spin->SetValue(rate.Value(rate.Points(*check.value, m_xUnit), static_cast<uint16_t>(unit)));
    }
    m_xUnit = static_cast<uint16_t>(unit);
    m_xMin->SetRange(0.0, AllowedXMax());
    m_xMax->SetRange(0.0, AllowedXMax());
}

void CTimeAxesDlg::accept() {
    std::optional<float> fields[4];
    SpinField* spins[4] = {m_yMin, m_yMax, m_xMin, m_xMax};
    for (int i = 0; i < 4; ++i) {
        const FloatFieldCheck check = CheckFloatField(spins[i]->Text(), -kFieldLimit, kFieldLimit);
        if (!check.value) {
            m_prompt.Message(check.message, QString(), PromptIcon::Exclamation);
            spins[i]->Edit()->setFocus();
            spins[i]->Edit()->selectAll();
            return;
        }
        fields[i] = check.value;
    }
    const float yMin = *fields[0], yMax = *fields[1], xMin = *fields[2], xMax = *fields[3];
    const bool autoX = m_autoX->isChecked(), autoY = m_autoY->isChecked();
    const Rate& rate = m_limits.rate;
    const double allowedMax = AllowedXMax();
    const double allowedMin = 0.0;

    QStringList messages;
    if (m_limits.manual && m_xUnit != kUnitPoints) {
        messages << QStringLiteral("The X axis must be points when data is collected manually");
    }
    if (rate.Points(xMax - xMin, m_xUnit) > rate.Points(allowedMax, m_xUnit)) {
        messages << QStringLiteral("You have requested too many points\nfor the X axis.  Either increase\nthe Min "
                                   "value or decrease the Max value.") +
                        QStringLiteral("\nMax allowed is %1 %2.")
                            .arg(static_cast<long long>(allowedMax))
                            .arg(UnitWord(m_xUnit)) +
                        QStringLiteral("\nTo increase this limit change the Duration field in the Options-Timing "
                                       "dialog.");
    }
    if (!autoX) {
        if (rate.Points(xMax, m_xUnit) <= rate.Points(xMin, m_xUnit) + 5) {
            messages << QStringLiteral("X Variable\nThe Min//Max range is too small\nRange must be greater than 5 "
                                       "samples");
        }
        if (xMax > allowedMax) {
            messages << QStringLiteral("X Variable\nVariable is greater than maximum allowed") +
                            QString::asprintf("\n XMaxVal < %.1f", allowedMax);
        }
        if (xMin < allowedMin) {
            messages << QStringLiteral("X Variable\nVariable is less than minimum allowed") +
                            QString::asprintf("\n XMinVal > %.1f", allowedMin);
        }
    }
    if (!autoY) {
        // An empty range would give the chart an axis of no height.
        if (yMax <= yMin) {
            messages << QStringLiteral("Y Variable\nThe Min//Max range is too small") +
                            QString::asprintf("fYMax must be > %.3f", static_cast<double>(yMin));
        }
        if (yMax > m_limits.yHigh) {
            messages << QStringLiteral("Y Variable\nVariable is greater than maximum allowed") +
                            QString::asprintf("\n YMaxVal <= %.3f", m_limits.yHigh);
        }
        if (yMin < m_limits.yLow) {
            messages << QStringLiteral("Y Variable\nVariable is less than minimum allowed") +
                            QString::asprintf("\n YMinVal > %.3f", m_limits.yLow);
        }
    }
    if (!messages.isEmpty()) {
        m_prompt.Message(messages.join(QLatin1Char('\n')), kCaption, PromptIcon::Exclamation);
        return;
    }
    m_values = {yMin, yMax, autoY, xMin, xMax, m_xUnit, autoX};
    QDialog::accept();
}

}  // namespace velor
