#include "app/dialogs/CrossSectionDlg.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <numbers>

#include "app/dialogs/DialogSupport.h"
#include "document/UpdateHints.h"
#include "document/Velor32Doc.h"

namespace velor {

namespace {
constexpr int kUserDefined = 2;
}  // namespace

CCrossSectionDlg::CCrossSectionDlg(CVelor32Doc& doc, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_prompt(prompt) {
    setWindowTitle(QStringLiteral("Computed Cross Sections"));
    auto* layout = new QVBoxLayout(this);
    m_modes = new QButtonGroup(this);
    const QString labels[3] = {QStringLiteral("3D &Centroid"), QStringLiteral("3D &Peak"),
                               QStringLiteral("3D &User Defined")};
    for (int mode = 0; mode < 3; ++mode) {
        auto* button = new QRadioButton(labels[mode], this);
        button->setObjectName(QLatin1String(kModeNames[mode]));
        m_modes->addButton(button, mode);
        layout->addWidget(button);
    }
    float theta = 0.0f;
    float phi = 0.0f;
    doc.GetUserDirection(&theta, &phi);
    auto* form = new QFormLayout;
    m_theta = new QLineEdit(FieldText(theta), this);
    m_theta->setObjectName(QLatin1String(kThetaName));
    form->addRow(QStringLiteral("&Theta (deg) :"), m_theta);
    m_phi = new QLineEdit(FieldText(phi), this);
    m_phi->setObjectName(QLatin1String(kPhiName));
    form->addRow(QStringLiteral("P&hi (deg) :"), m_phi);
    m_offset = new QLineEdit(QStringLiteral("0"), this);
    m_offset->setObjectName(QLatin1String(kOffsetName));
    form->addRow(QStringLiteral("&Offset from Major/Minor Axes (deg) :"), m_offset);
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout;
    auto* display = new QPushButton(QStringLiteral("&Display Profiles"), this);
    display->setObjectName(QLatin1String(kDisplayName));
    display->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QLatin1String(kCloseName));
    buttons->addWidget(display);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(display, &QPushButton::clicked, this, &CCrossSectionDlg::DisplayProfiles);
    connect(close, &QPushButton::clicked, this, &CCrossSectionDlg::reject);

    const int mode = doc.GetCrossSectionMode();
    m_modes->button(mode <= 2 ? mode : 0)->setChecked(true);
    OnModeChanged(m_modes->checkedId());
    connect(m_modes, &QButtonGroup::idClicked, this, &CCrossSectionDlg::OnModeChanged);
}

void CCrossSectionDlg::OnModeChanged(int mode) {
    m_theta->setEnabled(mode == kUserDefined);
    m_phi->setEnabled(mode == kUserDefined);
}

void CCrossSectionDlg::DisplayProfiles() {
    const int mode = m_modes->checkedId();
    const std::optional<double> offset = ReadNumberField(*m_offset, -90.0, 90.0, m_prompt);
    if (!offset) return;
    if (mode == kUserDefined) {
        const std::optional<double> theta = ReadNumberField(*m_theta, -135.0, 135.0, m_prompt);
        if (!theta) return;
        const std::optional<double> phi = ReadNumberField(*m_phi, -90.0, 90.0, m_prompt);
        if (!phi) return;
        m_doc.SetUserDirection(static_cast<float>(*theta), static_cast<float>(*phi));
    }
    m_doc.SetCrossSectionMode(static_cast<uint16_t>(mode));
    m_doc.ComputeCrossSections(static_cast<float>(*offset * std::numbers::pi / 180.0));
    m_doc.UpdateAllViews(UM_RECOMPUTE);
}

void CCrossSectionDlg::reject() {
    if (m_doc.IsCrossSectionMode()) m_doc.ToggleCrossSections();
}

}  // namespace velor
