#include "app/dialogs/SensitivityDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "app/dialogs/DialogSupport.h"
#include "document/Velor32Doc.h"

namespace velor {
namespace {

// Button id of User; Low, Medium and High are 0, 1 and 2 (ids of -1 would be reassigned).
constexpr int kUserPreset = 3;

// The filter field: any width from 1 to 99 may be typed, but its arrows step through the odd
// widths only (position p shows 2p + 1), and it reports when the focus leaves it.
class FilterSpinBox : public QSpinBox {
public:
    explicit FilterSpinBox(QWidget* parent) : QSpinBox(parent) { setRange(1, 99); }
    void stepBy(int steps) override { setValue(2 * std::clamp(value() / 2 + steps, 0, 49) + 1); }
    std::function<void()> onLeave;

protected:
    StepEnabled stepEnabled() const override {
        StepEnabled enabled = StepNone;
        if (value() / 2 > 0) enabled |= StepDownEnabled;
        if (value() / 2 < 49) enabled |= StepUpEnabled;
        return enabled;
    }
    void focusOutEvent(QFocusEvent* event) override {
        QSpinBox::focusOutEvent(event);
        // Only the focus moving on within the dialog leaves the field; another window coming
        // up (a message, a menu) does not.
        const Qt::FocusReason reason = event->reason();
        if (onLeave && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            onLeave();
    }
};

// Upper gain of each detector head; unknown heads offer no gain.
int UpperGain(int headType) {
    return headType == 0 ? 139 : headType == 1 ? 159 : -1;
}

}  // namespace

CSensitivityDlg::CSensitivityDlg(CVelor32Doc& doc, bool okEnabled, UserPrompt& prompt,
                                 QWidget* parent)
    : QDialog(parent), m_doc(doc), m_prompt(prompt) {
    setWindowTitle(QStringLiteral("Sensitivity"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    const int upperGain = UpperGain(doc.m_nHeadType);
    if (upperGain > 0) {
        m_gain = new QSpinBox(this);
        m_gain->setObjectName(QLatin1String(kGainName));
        m_gain->setRange(0, upperGain);
        m_gain->setValue(doc.GetSignalGain());
        form->addRow(QStringLiteral("&Gain (dB):"), m_gain);
    }
    // Each range 20 dB above the one before; the field takes 1 to 4 and nothing else.
    m_gainRanges = new QSpinBox(this);
    m_gainRanges->setObjectName(QLatin1String(kGainRangesName));
    m_gainRanges->setRange(kMinGainRanges, kMaxGainRanges);
    m_gainRanges->setValue(doc.GetGainRanges());
    m_gainRanges->setToolTip(QStringLiteral("Each sweep is taken at the gain and 20, 40 and 60 dB above it, "
                                            "and stitched into one: each range adds 10 dB of dynamic range "
                                            "and takes one more sweep's time."));
    form->addRow(QStringLiteral("Gain &ranges:"), m_gainRanges);

    auto* filter = new FilterSpinBox(this);
    m_filter = filter;
    m_filter->setObjectName(QLatin1String(kFilterName));
    m_filter->setValue(doc.GetFilter());
    form->addRow(QStringLiteral("&Filter:"), m_filter);

    auto* group = new QGroupBox(QStringLiteral("Averaging"), this);
    auto* grid = new QGridLayout(group);
    m_presets = new QButtonGroup(this);
    const QString names[4] = {QStringLiteral("&User"), QStringLiteral("&Low"),
                              QStringLiteral("&Medium"), QStringLiteral("&High")};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(names[i], group);
        m_presets->addButton(button, i == 0 ? kUserPreset : i - 1);
        grid->addWidget(button, i, 0);
        if (i == 0) {
            button->setChecked(true);
            continue;
        }
        auto* value = new QLineEdit(QString::number(kPresets[i - 1]), group);
        value->setReadOnly(true);
        grid->addWidget(value, i, 1);
    }
    m_averaging = new QSpinBox(group);
    m_averaging->setObjectName(QLatin1String(kAveragingName));
    m_averaging->setRange(1, 32767);
    m_averaging->setValue(doc.GetAveraging());
    auto* averagingLabel = new QLabel(QStringLiteral("&Sweeps per profile:"), group);
    averagingLabel->setBuddy(m_averaging);
    grid->addWidget(averagingLabel, 4, 0);
    grid->addWidget(m_averaging, 4, 1);
    m_singleTime = new QLineEdit(group);
    m_singleTime->setObjectName(QLatin1String(kSingleTimeName));
    m_singleTime->setReadOnly(true);
    grid->addWidget(new QLabel(QStringLiteral("Time, Single Axis:"), group), 5, 0);
    grid->addWidget(m_singleTime, 5, 1);
    m_perpendicularTime = new QLineEdit(group);
    m_perpendicularTime->setObjectName(QLatin1String(kPerpendicularTimeName));
    m_perpendicularTime->setReadOnly(true);
    grid->addWidget(new QLabel(QStringLiteral("Time, Perpendicular Axes:"), group), 6, 0);
    grid->addWidget(m_perpendicularTime, 6, 1);
    layout->addWidget(group);
    QDialogButtonBox* buttons = AddOkCancel(*this, *layout, okEnabled);
    // Cancel takes no focus, so pressing it does not first leave an even filter (and refuse).
    buttons->button(QDialogButtonBox::Cancel)->setFocusPolicy(Qt::NoFocus);
    ShowTimeEstimates();

    // Changes reach the document only from here on, once the fields hold the current values.
    if (m_gain)
        connect(m_gain, qOverload<int>(&QSpinBox::valueChanged), this,
                [this](int g) {
                    m_doc.SetSignalGain(g);
                    ShowTimeEstimates();  // the ranges within the head's reach may change
                });
    connect(m_gainRanges, qOverload<int>(&QSpinBox::valueChanged), this, [this](int r) {
        m_doc.SetGainRanges(r);
        ShowTimeEstimates();
    });
    connect(m_filter, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int f) { m_doc.SetFilter(f); });
    connect(m_averaging, qOverload<int>(&QSpinBox::valueChanged), this,
            &CSensitivityDlg::OnAveragingChanged);
    connect(m_presets, &QButtonGroup::idClicked, this, [this](int id) {
        if (id != kUserPreset) m_averaging->setValue(kPresets[id]);
    });
    // Told after the focus has moved on, so the refusal can take it back.
    filter->onLeave = [this] { QTimer::singleShot(0, this, [this] { RefuseEvenFilter(); }); };
}

bool CSensitivityDlg::RefuseEvenFilter() {
    if (m_refusing || m_filter->value() % 2 != 0) return false;
    m_refusing = true;
    m_prompt.Message(QStringLiteral("The filter must be an odd number from 1 to 99."), QString(),
                     PromptIcon::Exclamation);
    m_filter->setFocus();
    m_filter->selectAll();
    m_refusing = false;
    return true;
}

void CSensitivityDlg::accept() {
    if (RefuseEvenFilter()) return;
    QDialog::accept();
}

void CSensitivityDlg::OnAveragingChanged(int averaging) {
    m_doc.SetAveraging(averaging);
    const int preset = m_presets->checkedId();
    if (preset != kUserPreset && kPresets[preset] != averaging)
        m_presets->button(kUserPreset)->setChecked(true);
    ShowTimeEstimates();
}

void CSensitivityDlg::ShowTimeEstimates() {
    // One sweep takes a period of the board's highest scan rate, once per gain range; a
    // profile averages that many sweeps, and perpendicular mode takes two profiles.
    const int rate = std::max(1, m_doc.GetMaxScanRate());
    const double single = static_cast<double>(m_averaging->value()) * m_doc.RangesInReach() / rate;
    m_singleTime->setText(QString::asprintf("%.1f s", single));
    m_perpendicularTime->setText(QString::asprintf("%.1f s", 2.0 * single));
}

}  // namespace velor
