#include "views/timestats/TSParam.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/UserPrompt.h"
#include "common/UserTenths.h"
#include "views/common/DataValidation.h"

namespace velor {
namespace {

constexpr uint16_t kPresetClips[3] = {50, 135, 500};
const char* const kClipTexts[3] = {"5%", "13.5%", "50%"};
constexpr int kUserLevel = 3;

bool UsesClip(uint16_t variable) {
    return variable == kAngularWidth || variable == kAngleRatio || variable == kNumericalAperture;
}

// The code of a variable's name; a name matching none is Angular Width.
uint16_t CodeOfText(const QString& text) {
    for (uint16_t code : VariableListOrder()) {
        if (text == QLatin1String(VariableOf(code).name)) return code;
    }
    return kAngularWidth;
}

void Paint(QPushButton* button, uint32_t colour) {
    button->setStyleSheet(QStringLiteral("background-color: %1").arg(FromColorRef(colour).name()));
}

}  // namespace

CTSParam::CTSParam(const ParameterValues& values, const ParameterContext& context, UserPrompt& prompt,
                   QWidget* parent, ColorChooser chooser)
    : QDialog(parent),
      m_prompt(prompt),
      m_context(context),
      m_chooser(std::move(chooser)),
      m_values(values),
      m_edit(values) {
    setWindowTitle(QStringLiteral("Parameters"));
    const bool perpendicular = context.variables.perpendicular;

    m_variable = new QComboBox(this);
    m_variable->setObjectName(QLatin1String(kVariableName));
    for (uint16_t code : VariableListOrder()) {
        if (IsVariableOffered(code, context.variables)) m_variable->addItem(QLatin1String(VariableOf(code).name));
    }
    const int shown = m_variable->findText(QLatin1String(VariableOf(values.variable).name));
    m_variable->setCurrentIndex(shown >= 0 ? shown : 0);

    m_clipGroup = new QGroupBox(QStringLiteral("Cliplevel"), this);
    m_clipGroup->setObjectName(QLatin1String(kClipGroupName));
    auto* clipLayout = new QGridLayout(m_clipGroup);
    m_levelGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        m_levels[i] = new QRadioButton(m_clipGroup);
        m_levels[i]->setObjectName(QLatin1String(kLevelNames[i]));
        m_levelGroup->addButton(m_levels[i], i);
        clipLayout->addWidget(m_levels[i], i, 0);
    }
    m_userValue = new QLineEdit(m_clipGroup);
    m_userValue->setObjectName(QLatin1String(kUserValueName));
    clipLayout->addWidget(m_userValue, kUserLevel, 1);

    auto* display = new QGroupBox(QStringLiteral("Display && Color"), this);
    auto* displayLayout = new QGridLayout(display);
    auto* axisGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        m_axes[i] = new QRadioButton(display);
        m_axes[i]->setObjectName(QLatin1String(kAxisNames[i]));
        axisGroup->addButton(m_axes[i], i);
        displayLayout->addWidget(m_axes[i], i, 0);
    }
    m_axes[std::min<int>(values.axisSelection, 2)]->setChecked(true);
    for (int i = 0; i < 2; ++i) {
        m_colours[i] = new QPushButton(display);
        m_colours[i]->setObjectName(QLatin1String(kColourNames[i]));
        m_colours[i]->setFixedWidth(40);
        Paint(m_colours[i], values.colours[i]);
        displayLayout->addWidget(m_colours[i], i, 1);
        connect(m_colours[i], &QPushButton::clicked, this, [this, i] { ChooseColour(i); });
    }
    // Axis 1 exists only with perpendicular axes.
    m_axes[1]->setVisible(perpendicular);
    m_colours[1]->setVisible(perpendicular);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTSParam::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_variable);
    layout->addWidget(m_clipGroup);
    layout->addWidget(display);
    layout->addWidget(buttons);

    m_edit.variable = CodeOfText(m_variable->currentText());
    ShowLevels();
    connect(m_variable, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        m_edit.variable = CodeOfText(text);
        ShowLevels();
    });
    connect(m_levelGroup, &QButtonGroup::idClicked, this, [this] {
        TakeLevel(false);
        RefreshCaptions();
    });
    connect(m_userValue, &QLineEdit::textEdited, this, [this] {
        if (m_levels[kUserLevel]->isChecked()) TakeLevel(false);
        RefreshCaptions();
    });
}

void CTSParam::ShowLevels() {
    const QSignalBlocker blocker(m_levelGroup);
    m_clipGroup->setEnabled(UsesClip(m_edit.variable) || IsAmplitude());
    if (IsAmplitude()) {
        m_levels[0]->setVisible(false);
        m_levels[1]->setText(QStringLiteral("Centroid"));
        m_levels[2]->setText(QStringLiteral("Peak"));
        m_levels[3]->setText(QStringLiteral("User"));
        const int ref = std::clamp<int>(m_edit.amplitudeRef, 0, 2);
        m_levels[ref + 1]->setChecked(true);
        m_userValue->setText(QString::asprintf("%.1f", m_edit.userAngle / 10.0));
    } else {
        m_levels[0]->setVisible(true);
        for (int i = 0; i < 3; ++i) m_levels[i]->setText(QLatin1String(kClipTexts[i]));
        m_levels[3]->setText(QStringLiteral("User (%)"));
        int level = kUserLevel;
        for (int i = 0; i < 3; ++i) {
            if (m_edit.clip == kPresetClips[i]) level = i;
        }
        m_levels[level]->setChecked(true);
        m_userValue->setText(QString::asprintf("%.1f", m_edit.clip / 10.0));
    }
    RefreshCaptions();
}

bool CTSParam::TakeLevel(bool tell) {
    const int level = m_levelGroup->checkedId();
    if (IsAmplitude()) {
        if (level >= 1 && level < kUserLevel) {
            m_edit.amplitudeRef = level - 1;
            return true;
        }
        const FloatFieldCheck check = CheckFloatField(m_userValue->text(), -90.0f, 90.0f);
        if (!check.value) {
            if (tell) m_prompt.Message(check.message, QString(), PromptIcon::Exclamation);
            return false;
        }
        m_edit.amplitudeRef = 2;
        m_edit.userAngle = static_cast<int16_t>(TenthsFromUserValue(*check.value));
        return true;
    }
    if (level >= 0 && level < kUserLevel) {
        m_edit.clip = kPresetClips[level];
        return true;
    }
    const FloatFieldCheck check = CheckFloatField(m_userValue->text(), 0.0f, 100.0f);
    if (!check.value) {
        if (tell) m_prompt.Message(check.message, QString(), PromptIcon::Exclamation);
        return false;
    }
    m_edit.clip = static_cast<uint16_t>(TenthsFromUserValue(*check.value));
    return true;
}

QString CTSParam::NameFor(int axis) const {
    return SeriesName({m_edit.variable, m_edit.clip, m_edit.amplitudeRef, m_edit.userAngle,
                       m_context.phi[axis], m_context.units, m_context.refUnits});
}

void CTSParam::RefreshCaptions() {
    m_axes[0]->setText(NameFor(0));
    m_axes[1]->setText(NameFor(1));
    m_axes[2]->setText(m_context.variables.perpendicular ? QStringLiteral("Both Axes") : QStringLiteral("Both"));
}

void CTSParam::ChooseColour(int series) {
    if (const std::optional<QColor> colour = m_chooser(FromColorRef(m_edit.colours[series]), this)) {
        m_edit.colours[series] = ToColorRef(*colour);
        Paint(m_colours[series], m_edit.colours[series]);
    }
}

void CTSParam::accept() {
    if ((UsesClip(m_edit.variable) || IsAmplitude()) && !TakeLevel(true)) {
        m_userValue->setFocus();
        m_userValue->selectAll();
        return;
    }
    for (uint16_t i = 0; i < 3; ++i) {
        if (m_axes[i]->isChecked()) m_edit.axisSelection = i;
    }
    m_values = m_edit;
    QDialog::accept();
}

}  // namespace velor
