#include "views/beamstats/BeamDataParameters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstring>

#include "common/UserTenths.h"
#include "views/beamstats/BeamMetricKinds.h"
#include "views/common/DataValidation.h"

namespace velor {
namespace {

// Bits of each family's flags in the dialog's row order: 5 %, 13.5 %, 50.0 %, user 1, user 2.
constexpr uint32_t kWidthBits[5] = {0x40, 0x01, 0x04, 0x10, 0x20};
constexpr uint32_t kApertureBits[5] = {0x01, 0x02, 0x04, 0x08, 0x10};
constexpr uint32_t kRatioBits[5] = {0x10, 0x01, 0x02, 0x04, 0x08};
const char* const kClipLabels[5] = {"5%", "13.5%", "50.0%", "User%", "User%"};
const char* const kDisplayLabels[7] = {"Value", "Mean", "Min", "Max", "Std Dev", "Min Limit", "Max Limit"};
// The delimiter box lists codes 2 to 5; code 1 (a line end) has no entry.
const char* const kDelimiters[4] = {"Tab", "Semicolon", "Comma", "Space"};

constexpr float kMaxPercent = 100.0f;
constexpr float kMaxAngle = 90.0f;
// A window of no samples has no statistics.
constexpr int kMinRolling = 1;
constexpr int kMaxRolling = 100;
constexpr int kMaxFinite = 16383;

QString Tenths(int tenths) { return FormatFloatField(static_cast<float>(tenths / 10.0)); }

template <size_t N>
QString Latin1(const char (&text)[N]) {
    return QString::fromLatin1(text, static_cast<int>(qstrnlen(text, N)));
}

template <size_t N>
void Store(char (&field)[N], const QByteArray& bytes) {
    std::memset(field, 0, N);
    std::memcpy(field, bytes.constData(), std::min(static_cast<size_t>(bytes.size()), N - 1));
}

QCheckBox* Box(const char* text, const char* name, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromLatin1(text), parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    return box;
}

QLineEdit* Edit(const QString& text, const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

uint32_t Flags(const std::array<QCheckBox*, 5>& boxes, const uint32_t (&bits)[5]) {
    uint32_t flags = 0;
    for (int i = 0; i < 5; ++i) {
        if (boxes[i]->isChecked()) flags |= bits[i];
    }
    return flags;
}

// A log file name without an extension gets the log's.
QString WithLogExtension(const QString& name) {
    return QFileInfo(name).fileName().contains(QLatin1Char('.')) ? name : name + QStringLiteral(".plg");
}

}  // namespace

CBeamDataParameters::CBeamDataParameters(const CBeamDataData& settings, const QStringList& ports, UserPrompt& prompt,
                                         QWidget* parent, ExistingLogQuestion askExisting, uint32_t metricKinds)
    : QDialog(parent),
      m_prompt(prompt),
      m_askExisting(std::move(askExisting)),
      m_settings(settings),
      m_metricKinds(metricKinds),
      m_ports(ports) {
    setWindowTitle(QStringLiteral("Beam Statistics Parameters"));
    auto* left = new QVBoxLayout;
    left->addWidget(MakeClipGroup());
    left->addWidget(MakeRatioGroup());
    left->addWidget(MakePositionGroup());
    left->addWidget(MakeAmplitudeGroup());
    m_modeFieldBox = Box("Mode-Field Diameter", kModeFieldBoxName, settings.m_bModeField != 0, this);
    left->addWidget(m_modeFieldBox);
    left->addWidget(MakeMetricGroup());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(MakeStatisticsGroup());
    right->addWidget(MakeDisplayGroup());
    right->addWidget(MakeLoggingGroup());
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CBeamDataParameters::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    // Every box and button that enables an edit.
    for (QAbstractButton* b : findChildren<QAbstractButton*>()) {
        connect(b, &QAbstractButton::toggled, this, &CBeamDataParameters::UpdateEnabling);
    }
    UpdateEnabling();
}

QWidget* CBeamDataParameters::MakeClipGroup() {
    auto* group = new QGroupBox(QStringLiteral("Angular Width / Numerical Aperture"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Angular Width"), group), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Numerical Aperture"), group), 0, 1);
    for (int i = 0; i < 5; ++i) {
        m_widthBoxes[i] = Box(kClipLabels[i], kWidthBoxNames[i], m_settings.m_nWidthFlags & kWidthBits[i], group);
        m_apertureBoxes[i] =
            Box(kClipLabels[i], kApertureBoxNames[i], m_settings.m_nApertureFlags & kApertureBits[i], group);
        grid->addWidget(m_widthBoxes[i], i + 1, 0);
        grid->addWidget(m_apertureBoxes[i], i + 1, 1);
    }
    const uint16_t clips[2] = {m_settings.m_nUserClip, m_settings.m_nUserClip2};
    for (int u = 0; u < 2; ++u) {
        m_userClipEdits[u] = Edit(Tenths(clips[u]), kUserClipEditNames[u], group);
        grid->addWidget(m_userClipEdits[u], 4 + u, 2);
    }
    return group;
}

QWidget* CBeamDataParameters::MakeRatioGroup() {
    auto* group = new QGroupBox(QStringLiteral("Angular Width Ratio"), this);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < 5; ++i) {
        m_ratioBoxes[i] = Box(kClipLabels[i], kRatioBoxNames[i], m_settings.m_nRatioFlags & kRatioBits[i], group);
        grid->addWidget(m_ratioBoxes[i], i, 0);
    }
    const uint16_t clips[2] = {m_settings.m_nUserRatio1, m_settings.m_nUserRatio2};
    for (int u = 0; u < 2; ++u) {
        m_userRatioEdits[u] = Edit(Tenths(clips[u]), kUserRatioEditNames[u], group);
        grid->addWidget(m_userRatioEdits[u], 3 + u, 1);
    }
    return group;
}

QWidget* CBeamDataParameters::MakePositionGroup() {
    auto* group = new QGroupBox(QStringLiteral("Angular Position"), this);
    auto* row = new QHBoxLayout(group);
    m_centroidBox = Box("Centroid", kCentroidBoxName, m_settings.m_bCentroid != 0, group);
    m_peakBox = Box("Peak", kPeakBoxName, m_settings.m_bPeak != 0, group);
    row->addWidget(m_centroidBox);
    row->addWidget(m_peakBox);
    return group;
}

QWidget* CBeamDataParameters::MakeAmplitudeGroup() {
    auto* group = new QGroupBox(QStringLiteral("Amplitude"), this);
    auto* grid = new QGridLayout(group);
    const char* const labels[4] = {"Centroid", "Peak", "User Angle(deg)", "User Angle(deg)"};
    for (int i = 0; i < 4; ++i) {
        m_amplitudeBoxes[i] = Box(labels[i], kAmplitudeBoxNames[i], (m_settings.m_nAmplitudeFlags >> i) & 1u, group);
        grid->addWidget(m_amplitudeBoxes[i], i, 0);
    }
    const int16_t angles[2] = {m_settings.m_nUserAngle1, m_settings.m_nUserAngle2};
    for (int u = 0; u < 2; ++u) {
        m_userAngleEdits[u] = Edit(Tenths(angles[u]), kUserAngleEditNames[u], group);
        grid->addWidget(m_userAngleEdits[u], 2 + u, 1);
    }
    return group;
}

QWidget* CBeamDataParameters::MakeMetricGroup() {
    // A profile's figures in the first column, the 3D data set's in the second, in table order.
    auto* group = new QGroupBox(QStringLiteral("Beam Metrics"), this);
    auto* grid = new QGridLayout(group);
    int rows[2] = {0, 0};
    for (const BeamMetricKind& kind : BeamMetricKinds()) {
        const int column = kind.perAxis ? 0 : 1;
        auto* box = new QCheckBox(QString::fromUtf8(kind.label), group);
        box->setObjectName(QLatin1String(kind.objectName));
        box->setChecked((m_metricKinds & kind.bit) != 0);
        grid->addWidget(box, rows[column]++, column);
        m_metricBoxes.emplace_back(kind.bit, box);
    }
    return group;
}

QWidget* CBeamDataParameters::MakeStatisticsGroup() {
    auto* group = new QGroupBox(QStringLiteral("Statistics"), this);
    auto* grid = new QGridLayout(group);
    const char* const labels[3] = {"Continuous", "Rolling", "Finite"};
    for (int i = 0; i < 3; ++i) {
        m_statButtons[i] = new QRadioButton(QString::fromLatin1(labels[i]), group);
        m_statButtons[i]->setObjectName(QLatin1String(kStatButtonNames[i]));
        m_statButtons[i]->setChecked(m_settings.m_nStatMode == static_cast<uint32_t>(kStatContinuous + i));
        grid->addWidget(m_statButtons[i], i, 0);
    }
    m_rollingEdit = Edit(QString::number(m_settings.m_nRollingSize), kRollingEditName, group);
    m_finiteEdit = Edit(QString::number(m_settings.m_nFiniteSize), kFiniteEditName, group);
    grid->addWidget(m_rollingEdit, 1, 1);
    grid->addWidget(m_finiteEdit, 2, 1);
    return group;
}

QWidget* CBeamDataParameters::MakeDisplayGroup() {
    auto* group = new QGroupBox(QStringLiteral("Display"), this);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < 7; ++i) {
        m_displayBoxes[i] = Box(kDisplayLabels[i], kDisplayBoxNames[i], (m_settings.m_nDisplayFlags >> i) & 1u, group);
        grid->addWidget(m_displayBoxes[i], i / 2, i % 2);
    }
    return group;
}

QWidget* CBeamDataParameters::MakeLoggingGroup() {
    auto* group = new QGroupBox(QStringLiteral("Logging"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Output:"), group), 0, 0);
    const char* const outputs[3] = {"None", "File", "Port"};
    for (int i = 0; i < 3; ++i) {
        m_outputButtons[i] = new QRadioButton(QString::fromLatin1(outputs[i]), group);
        m_outputButtons[i]->setObjectName(QLatin1String(kOutputButtonNames[i]));
        m_outputButtons[i]->setChecked(m_settings.m_nLogOutput == static_cast<uint32_t>(kLogNone + i));
        grid->addWidget(m_outputButtons[i], i, 1);
    }
    m_fileEdit = Edit(QFile::decodeName(QByteArray(m_settings.m_szLogFile,
                                                   static_cast<int>(qstrnlen(m_settings.m_szLogFile,
                                                                             sizeof m_settings.m_szLogFile)))),
                      kFileEditName, group);
    grid->addWidget(m_fileEdit, 1, 2);
    m_portBox = new QComboBox(group);
    m_portBox->setObjectName(QLatin1String(kPortBoxName));
    m_portBox->setEditable(true);
    m_portBox->addItems(m_ports);
    m_portBox->lineEdit()->setMaxLength(static_cast<int>(sizeof m_settings.m_szLogPort) - 1);
    m_portBox->setCurrentText(Latin1(m_settings.m_szLogPort));
    grid->addWidget(m_portBox, 2, 2);

    grid->addWidget(new QLabel(QStringLiteral("Delimiter:"), group), 3, 0);
    m_delimiterBox = new QComboBox(group);
    m_delimiterBox->setObjectName(QLatin1String(kDelimiterBoxName));
    for (const char* d : kDelimiters) m_delimiterBox->addItem(QString::fromLatin1(d));
    const uint32_t code = m_settings.m_nDelimiter;
    m_delimiterBox->setCurrentIndex(code >= kDelimTab && code <= kDelimSpace ? static_cast<int>(code - kDelimTab) : -1);
    grid->addWidget(m_delimiterBox, 3, 1, 1, 2);

    m_dateBox = Box("Date", kDateBoxName, m_settings.m_bLogDate != 0, group);
    m_timeBox = Box("Time", kTimeBoxName, m_settings.m_bLogTime != 0, group);
    m_serialBox = Box("Serial Number:", kSerialBoxName, m_settings.m_bLogSerial != 0, group);
    m_serialEdit = Edit(Latin1(m_settings.m_szSerial), kSerialEditName, group);
    m_serialEdit->setMaxLength(static_cast<int>(sizeof m_settings.m_szSerial) - 1);
    grid->addWidget(m_dateBox, 4, 1);
    grid->addWidget(m_timeBox, 5, 1);
    grid->addWidget(m_serialBox, 6, 1);
    grid->addWidget(m_serialEdit, 6, 2);
    return group;
}

void CBeamDataParameters::UpdateEnabling() {
    for (int u = 0; u < 2; ++u) {
        m_userClipEdits[u]->setEnabled(m_widthBoxes[3 + u]->isChecked() || m_apertureBoxes[3 + u]->isChecked());
        m_userRatioEdits[u]->setEnabled(m_ratioBoxes[3 + u]->isChecked());
        m_userAngleEdits[u]->setEnabled(m_amplitudeBoxes[2 + u]->isChecked());
    }
    m_rollingEdit->setEnabled(m_statButtons[1]->isChecked());
    m_finiteEdit->setEnabled(m_statButtons[2]->isChecked());
    const bool file = m_outputButtons[1]->isChecked();
    const bool port = m_outputButtons[2]->isChecked();
    m_fileEdit->setEnabled(file);
    m_portBox->setEnabled(port);
    for (QWidget* w : {static_cast<QWidget*>(m_delimiterBox), static_cast<QWidget*>(m_dateBox),
                       static_cast<QWidget*>(m_timeBox), static_cast<QWidget*>(m_serialBox)}) {
        w->setEnabled(file || port);
    }
    m_serialEdit->setEnabled((file || port) && m_serialBox->isChecked());
}

void CBeamDataParameters::Refuse(QLineEdit* edit, const QString& message) {
    m_prompt.Message(message, QString(), PromptIcon::Exclamation);
    edit->setFocus();
    edit->selectAll();
}

std::optional<int> CBeamDataParameters::ReadTenths(QLineEdit* edit, float low, float high) {
    const FloatFieldCheck check = CheckFloatField(edit->text(), low, high);
    if (!check.value) {
        Refuse(edit, check.message);
        return std::nullopt;
    }
    return TenthsFromUserValue(*check.value);
}

std::optional<int> CBeamDataParameters::ReadInteger(QLineEdit* edit, int low, int high) {
    const IntFieldCheck check = CheckIntField(edit->text(), low, high);
    if (!check.value) {
        Refuse(edit, check.message);
        return std::nullopt;
    }
    return static_cast<int>(*check.value);  // within low..high
}

void CBeamDataParameters::accept() {
    CBeamDataData s = m_settings;
    // Edits that are switched off keep the values they were opened with.
    const auto tenths = [&](QLineEdit* edit, float low, float high, auto& field) {
        if (!edit->isEnabled()) return true;
        const std::optional<int> value = ReadTenths(edit, low, high);
        if (value) field = static_cast<std::remove_reference_t<decltype(field)>>(*value);
        return value.has_value();
    };
    if (!tenths(m_userClipEdits[0], 0.0f, kMaxPercent, s.m_nUserClip) ||
        !tenths(m_userClipEdits[1], 0.0f, kMaxPercent, s.m_nUserClip2) ||
        !tenths(m_userRatioEdits[0], 0.0f, kMaxPercent, s.m_nUserRatio1) ||
        !tenths(m_userRatioEdits[1], 0.0f, kMaxPercent, s.m_nUserRatio2) ||
        !tenths(m_userAngleEdits[0], -kMaxAngle, kMaxAngle, s.m_nUserAngle1) ||
        !tenths(m_userAngleEdits[1], -kMaxAngle, kMaxAngle, s.m_nUserAngle2)) {
        return;
    }
    if (m_rollingEdit->isEnabled()) {
        const std::optional<int> rolling = ReadInteger(m_rollingEdit, kMinRolling, kMaxRolling);
        if (!rolling) return;
        s.m_nRollingSize = static_cast<uint16_t>(*rolling);
    }
    if (m_finiteEdit->isEnabled()) {
        const std::optional<int> finite = ReadInteger(m_finiteEdit, 0, kMaxFinite);
        if (!finite) return;
        s.m_nFiniteSize = static_cast<uint16_t>(*finite);
    }

    s.m_nWidthFlags = Flags(m_widthBoxes, kWidthBits);
    s.m_nApertureFlags = Flags(m_apertureBoxes, kApertureBits);
    s.m_nRatioFlags = Flags(m_ratioBoxes, kRatioBits);
    s.m_bCentroid = m_centroidBox->isChecked() ? 1 : 0;
    s.m_bPeak = m_peakBox->isChecked() ? 1 : 0;
    s.m_nAmplitudeFlags = 0;
    for (int i = 0; i < 4; ++i) s.m_nAmplitudeFlags |= m_amplitudeBoxes[i]->isChecked() ? 1u << i : 0u;
    s.m_bModeField = m_modeFieldBox->isChecked() ? 1 : 0;
    for (int i = 0; i < 3; ++i) {
        if (m_statButtons[i]->isChecked()) s.m_nStatMode = kStatContinuous + static_cast<uint32_t>(i);
        if (m_outputButtons[i]->isChecked()) s.m_nLogOutput = kLogNone + static_cast<uint32_t>(i);
    }
    s.m_nDisplayFlags = 0;
    for (int i = 0; i < 7; ++i) s.m_nDisplayFlags |= m_displayBoxes[i]->isChecked() ? 1u << i : 0u;

    const QString delimiter = m_delimiterBox->currentText();
    s.m_nDelimiter = delimiter == QLatin1String("Space")       ? kDelimSpace
                     : delimiter == QLatin1String("Comma")     ? kDelimComma
                     : delimiter == QLatin1String("Semicolon") ? kDelimSemicolon
                     : delimiter == QLatin1String("Tab")       ? kDelimTab
                                                               : kDelimLineEnd;
    s.m_bLogDate = m_dateBox->isChecked() ? 1 : 0;
    s.m_bLogTime = m_timeBox->isChecked() ? 1 : 0;
    s.m_bLogSerial = m_serialBox->isChecked() ? 1 : 0;
    Store(s.m_szSerial, m_serialEdit->text().toLatin1());
    Store(s.m_szLogPort, m_portBox->currentText().trimmed().toLatin1());

    bool overwrite = false;
    if (s.m_nLogOutput == kLogFile) {
        const QString name = m_fileEdit->text().trimmed();
        if (name.isEmpty()) {
            Refuse(m_fileEdit, QStringLiteral("Please enter the name of the log file."));
            return;
        }
        const QString path = WithLogExtension(name);
        const QByteArray bytes = QFile::encodeName(path);
        const int room = static_cast<int>(sizeof s.m_szLogFile) - 1;
        if (bytes.size() > room) {
            Refuse(m_fileEdit, TooLongMessage(room));
            return;
        }
        m_fileEdit->setText(path);
        if (QFileInfo::exists(path)) {
            const ExistingLogChoice choice = m_askExisting(this);
            if (choice == ExistingLogChoice::Cancel) return;
            overwrite = choice == ExistingLogChoice::Overwrite;
        }
        Store(s.m_szLogFile, bytes);
    }
    uint32_t metricKinds = m_metricKinds;
    for (const auto& [bit, box] : m_metricBoxes) metricKinds = box->isChecked() ? metricKinds | bit : metricKinds & ~bit;
    m_settings = s;
    m_metricKinds = metricKinds;
    m_overwrite = overwrite;
    QDialog::accept();
}

void CBeamDataParameters::StoreChoices(CBeamDataData& r) const {
    const CBeamDataData& s = m_settings;
    r.m_nUserClip = s.m_nUserClip;
    r.m_nUserClip2 = s.m_nUserClip2;
    r.m_nUserRatio1 = s.m_nUserRatio1;
    r.m_nUserRatio2 = s.m_nUserRatio2;
    r.m_nUserAngle1 = s.m_nUserAngle1;
    r.m_nUserAngle2 = s.m_nUserAngle2;
    r.m_nWidthFlags = s.m_nWidthFlags;
    r.m_nApertureFlags = s.m_nApertureFlags;
    r.m_nRatioFlags = s.m_nRatioFlags;
    r.m_nAmplitudeFlags = s.m_nAmplitudeFlags;
    r.m_bCentroid = s.m_bCentroid;
    r.m_bPeak = s.m_bPeak;
    r.m_bModeField = s.m_bModeField;
    r.m_nStatMode = s.m_nStatMode;
    r.m_nRollingSize = s.m_nRollingSize;
    r.m_nFiniteSize = s.m_nFiniteSize;
    r.m_nDisplayFlags = s.m_nDisplayFlags;
    r.m_nLogOutput = s.m_nLogOutput;
    r.m_nDelimiter = s.m_nDelimiter;
    r.m_bLogDate = s.m_bLogDate;
    r.m_bLogTime = s.m_bLogTime;
    r.m_bLogSerial = s.m_bLogSerial;
    std::memcpy(r.m_szLogFile, s.m_szLogFile, sizeof r.m_szLogFile);
    std::memcpy(r.m_szLogPort, s.m_szLogPort, sizeof r.m_szLogPort);
    std::memcpy(r.m_szSerial, s.m_szSerial, sizeof r.m_szSerial);
}

}  // namespace velor
