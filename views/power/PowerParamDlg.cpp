#include "views/power/PowerParamDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "views/common/DataValidation.h"
#include "views/power/PowerMath.h"

namespace velor {
namespace {

constexpr float kMaxDegrees = 90.0f;
constexpr float kMaxNA = 1.0f;
constexpr float kMaxPercent = 100.0f;

QString ConeLabel(bool na) {
    return na ? QStringLiteral("Cone Angle (NA):") : QStringLiteral("Cone Angle (\u00B0):");
}

// A box with its edit, the edit enabled only while the box is checked.
void AddRow(QGridLayout* grid, int row, QCheckBox* box, QLineEdit* edit, bool checked) {
    box->setChecked(checked);
    edit->setEnabled(checked);
    QObject::connect(box, &QCheckBox::toggled, edit, &QLineEdit::setEnabled);
    grid->addWidget(box, row, 0);
    grid->addWidget(edit, row, 1);
}

}  // namespace

CPowerParamDlg::CPowerParamDlg(const PowerParameters& parameters, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent), m_prompt(prompt), m_parameters(parameters), m_na(parameters.showNA) {
    setWindowTitle(QStringLiteral("Power Parameters"));

    auto* coneGroup = new QGroupBox(QStringLiteral("Power within cone"), this);
    auto* coneGrid = new QGridLayout(coneGroup);
    auto* percentGroup = new QGroupBox(QStringLiteral("Cone with % power"), this);
    auto* percentGrid = new QGridLayout(percentGroup);
    for (int i = 0; i < 3; ++i) {
        m_coneBoxes[i] = new QCheckBox(ConeLabel(m_na), coneGroup);
        m_coneBoxes[i]->setObjectName(QLatin1String(kConeBoxNames[i]));
        m_coneEdits[i] = new QLineEdit(coneGroup);
        m_coneEdits[i]->setObjectName(QLatin1String(kConeEditNames[i]));
        ShowCone(i, parameters.coneAngles[i]);
        AddRow(coneGrid, i, m_coneBoxes[i], m_coneEdits[i], (parameters.coneFlags >> i) & 1u);

        m_percentBoxes[i] = new QCheckBox(QStringLiteral("Power (%):"), percentGroup);
        m_percentBoxes[i]->setObjectName(QLatin1String(kPercentBoxNames[i]));
        m_percentEdits[i] = new QLineEdit(FormatFloatField(parameters.percents[i]), percentGroup);
        m_percentEdits[i]->setObjectName(QLatin1String(kPercentEditNames[i]));
        AddRow(percentGrid, i, m_percentBoxes[i], m_percentEdits[i], (parameters.percentFlags >> i) & 1u);
    }
    m_naBox = new QCheckBox(QStringLiteral("Display angle as NA"), this);
    m_naBox->setObjectName(QLatin1String(kNABoxName));
    m_naBox->setChecked(m_na);
    connect(m_naBox, &QCheckBox::toggled, this, &CPowerParamDlg::OnDisplayAsNA);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPowerParamDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(coneGroup);
    layout->addWidget(percentGroup);
    layout->addWidget(m_naBox);
    layout->addWidget(buttons);
}

void CPowerParamDlg::ShowCone(int i, double degrees) {
    m_shownDegrees[i] = degrees;
    m_shownTexts[i] = FormatFloatField(static_cast<float>(m_na ? DegreesToNA(degrees) : degrees));
    m_coneEdits[i]->setText(m_shownTexts[i]);
}

std::optional<float> CPowerParamDlg::ReadField(QLineEdit* edit, float low, float high) {
    const FloatFieldCheck check = CheckFloatField(edit->text(), low, high);
    if (!check.value) {
        m_prompt.Message(check.message, QString(), PromptIcon::Exclamation);
        edit->setFocus();
        edit->selectAll();
    }
    return check.value;
}

std::optional<CPowerParamDlg::Fields> CPowerParamDlg::ReadFields() {
    Fields fields{};
    for (int i = 0; i < 3; ++i) {
        const std::optional<float> value = ReadField(m_coneEdits[i], 0.0f, m_na ? kMaxNA : kMaxDegrees);
        if (!value) return std::nullopt;
        if (m_coneEdits[i]->text() == m_shownTexts[i]) {
            fields.coneDegrees[i] = m_shownDegrees[i];
        } else {
            fields.coneDegrees[i] = m_na ? NAToDegrees(*value) : *value;
        }
    }
    for (int i = 0; i < 3; ++i) {
        const std::optional<float> value = ReadField(m_percentEdits[i], 0.0f, kMaxPercent);
        if (!value) return std::nullopt;
        fields.percents[i] = *value;
    }
    return fields;
}

void CPowerParamDlg::OnDisplayAsNA(bool on) {
    const std::optional<Fields> fields = ReadFields();
    if (!fields) {
        const QSignalBlocker blocker(m_naBox);
        m_naBox->setChecked(m_na);
        return;
    }
    m_na = on;
    for (int i = 0; i < 3; ++i) {
        ShowCone(i, fields->coneDegrees[i]);
        m_coneBoxes[i]->setText(ConeLabel(m_na));
    }
}

void CPowerParamDlg::accept() {
    const std::optional<Fields> fields = ReadFields();
    if (!fields) return;
    PowerParameters p;
    p.coneFlags = p.percentFlags = 0;
    for (int i = 0; i < 3; ++i) {
        if (m_coneBoxes[i]->isChecked()) p.coneFlags |= 1u << i;
        if (m_percentBoxes[i]->isChecked()) p.percentFlags |= 1u << i;
        p.coneAngles[i] = static_cast<float>(fields->coneDegrees[i]);
        p.percents[i] = fields->percents[i];
    }
    p.showNA = m_na;
    m_parameters = p;
    QDialog::accept();
}

}  // namespace velor
