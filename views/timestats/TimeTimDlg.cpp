#include "views/timestats/TimeTimDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>
#include <unistd.h>

#include "views/common/DataValidation.h"
#include "views/timestats/SpinField.h"
#include "views/timestats/TimeStatUnits.h"

namespace velor {
namespace {

const QString kCaption = QStringLiteral("Parameter error");
const QString kTooManyPoints =
    QStringLiteral("Too many points are being asked for\neither reduce acquisition rate\n or acquisition time");
// The record keeps the duration in 16 bits: a longer one could not be stored as entered.
constexpr int kMaxDuration = 65535;

QString MaxAllowedText(int unit, long long value) {
    static const char* const kUnits[] = {"seconds", "minutes", "hours", "points"};
    return QStringLiteral("\nMax allowed is %1 %2.").arg(value).arg(QLatin1String(kUnits[unit]));
}

}  // namespace

uint64_t AvailableMemoryBytes() {
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (meminfo.open(QIODevice::ReadOnly)) {
        while (!meminfo.atEnd()) {
            const QByteArray line = meminfo.readLine();
            if (!line.startsWith("MemAvailable:")) continue;
            bool ok = false;
            const qulonglong kb = line.mid(13).trimmed().split(' ').value(0).toULongLong(&ok);
            if (ok) return static_cast<uint64_t>(kb) * 1024u;
        }
    }
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long size = sysconf(_SC_PAGESIZE);
    return pages > 0 && size > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(size) : 0;
}

CTimeTimDlg::CTimeTimDlg(const TimingValues& values, int maxPerSecond, int seriesCount, UserPrompt& prompt,
                         QWidget* parent, std::function<uint64_t()> availableMemory)
    : QDialog(parent),
      m_prompt(prompt),
      m_values(values),
      m_maxPerSecond(maxPerSecond),
      m_seriesCount(seriesCount),
      m_availableMemory(std::move(availableMemory)),
      m_durationUnit(values.durationUnit < kUnitCount ? values.durationUnit : kUnitPoints) {
    setWindowTitle(QStringLiteral("Time Stat Timing"));
    const int rateUnit = values.rateUnit < kRateUnitCount ? values.rateUnit : kUnitSeconds;

    m_rate = new SpinField(kRateName, 0, this);
    m_rate->SetValue(values.rate);
    m_rateUnit = new QComboBox(this);
    m_rateUnit->setObjectName(QLatin1String(kRateUnitName));
    for (int i = 0; i < kRateUnitCount; ++i) m_rateUnit->addItem(RateUnitText(i));
    m_rateUnit->setCurrentIndex(rateUnit);
    m_duration = new SpinField(kDurationName, 0, this);
    m_duration->SetRange(1, kMaxDuration);
    m_duration->SetValue(values.duration);
    m_durationUnitBox = new QComboBox(this);
    m_durationUnitBox->setObjectName(QLatin1String(kDurationUnitName));
    for (int i = 0; i < kUnitCount; ++i) m_durationUnitBox->addItem(UnitText(i));
    m_durationUnitBox->setCurrentIndex(m_durationUnit);
    m_manual = new QCheckBox(QStringLiteral("&Manual"), this);
    m_manual->setObjectName(QLatin1String(kManualName));
    m_manual->setChecked(values.manual);
    m_points = new SpinField(kPointsName, 0, this);
    m_points->SetRange(1, kMaxPoints);
    m_points->SetValue(values.points);
    OnRateUnit(rateUnit);

    auto* automatic = new QGroupBox(QStringLiteral("Automatic Data Collection"), this);
    auto* form = new QFormLayout(automatic);
    auto* rateRow = new QHBoxLayout();
    rateRow->addWidget(m_rate);
    rateRow->addWidget(m_rateUnit);
    form->addRow(QStringLiteral("Rate"), rateRow);
    auto* durationRow = new QHBoxLayout();
    durationRow->addWidget(m_duration);
    durationRow->addWidget(m_durationUnitBox);
    form->addRow(QStringLiteral("Duration"), durationRow);
    auto* manual = new QGroupBox(QStringLiteral("Manual Data Collection"), this);
    auto* manualForm = new QFormLayout(manual);
    manualForm->addRow(m_manual);
    manualForm->addRow(QStringLiteral("Number of Points"), m_points);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTimeTimDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(automatic);
    layout->addWidget(manual);
    layout->addWidget(buttons);

    connect(m_rateUnit, qOverload<int>(&QComboBox::currentIndexChanged), this, &CTimeTimDlg::OnRateUnit);
    connect(m_durationUnitBox, qOverload<int>(&QComboBox::currentIndexChanged), this, &CTimeTimDlg::OnDurationUnit);
}

void CTimeTimDlg::OnRateUnit(int unit) { m_rate->SetRange(1, MaxRateFor(unit, m_maxPerSecond)); }

void CTimeTimDlg::OnDurationUnit(int unit) {
    // The duration keeps the number of points it stands for.
    const IntFieldCheck rate = CheckIntField(m_rate->Text(), 1, 65535);
    const IntFieldCheck duration = CheckIntField(m_duration->Text(), 1, kMaxDuration);
    if (rate.value && duration.value) {
        const Rate r{static_cast<double>(*rate.value), static_cast<uint16_t>(m_rateUnit->currentIndex())};
        const double points = r.Points(static_cast<double>(*duration.value), static_cast<uint16_t>(m_durationUnit));
        const double converted = std::floor(r.Value(points, static_cast<uint16_t>(unit)) + 0.5);
        m_duration->SetValue(std::clamp(converted, 1.0, static_cast<double>(kMaxDuration)));
    }
    m_durationUnit = unit;
}

void CTimeTimDlg::Refuse(const QString& text) { m_prompt.Message(text, kCaption, PromptIcon::Exclamation); }

void CTimeTimDlg::accept() {
    TimingValues v = m_values;
    v.manual = m_manual->isChecked();
    v.durationUnit = static_cast<uint16_t>(m_durationUnitBox->currentIndex());
    const auto field = [this](SpinField* spin, long long high) -> std::optional<long long> {
        const IntFieldCheck check = CheckIntField(spin->Text(), 1, high);
        if (!check.value) {
            m_prompt.Message(check.message, QString(), PromptIcon::Exclamation);
            spin->Edit()->setFocus();
            spin->Edit()->selectAll();
        }
        return check.value;
    };
    if (!v.manual) {
        const std::optional<long long> rate = field(m_rate, 65535);
        if (!rate) return;
        const std::optional<long long> duration = field(m_duration, kMaxDuration);
        if (!duration) return;
        v.rate = static_cast<uint16_t>(*rate);
        v.rateUnit = static_cast<uint16_t>(m_rateUnit->currentIndex());
        v.duration = static_cast<uint16_t>(*duration);
        if (v.rate > MaxRateFor(v.rateUnit, m_maxPerSecond)) {
            Refuse(QStringLiteral("Data Rate is Too High"));
            return;
        }
        const Rate r{static_cast<double>(v.rate), v.rateUnit};
        const double n = r.Points(v.duration, v.durationUnit);
        if (n > kMaxPoints) {
            const auto longest = static_cast<long long>(std::floor(r.Value(kMaxPoints, v.durationUnit)));
            Refuse(kTooManyPoints + MaxAllowedText(v.durationUnit, longest));
            return;
        }
        v.points = static_cast<int>(n);
    } else {
        const std::optional<long long> points = field(m_points, kMaxPoints);
        if (!points) return;
        v.rateUnit = kUnitPoints;
        v.points = static_cast<int>(*points);
    }
    const uint64_t needed = static_cast<uint64_t>(m_seriesCount) * static_cast<uint64_t>(v.points) * sizeof(float);
    if (needed > m_availableMemory()) {
        Refuse(QStringLiteral("Global memory not available"));
        return;
    }
    m_values = v;
    QDialog::accept();
}

}  // namespace velor
