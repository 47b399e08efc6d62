#include "views/common/TimingValidation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "views/common/DataValidation.h"

namespace velor {

namespace {

constexpr std::array<const char*, kTimingUnitCount> kUnitNames{"Updates/Sec", "Updates/Min",
                                                               "Updates/Hour"};
constexpr std::array<uint32_t, kTimingUnitCount> kUnitSeconds{1, 60, 3600};

}  // namespace

QString TimingUnitName(int unit) {
    if (unit < 0 || unit >= kTimingUnitCount) return {};
    return QString::fromLatin1(kUnitNames[static_cast<size_t>(unit)]);
}

uint32_t TimingLimit(int unit, unsigned maxRate) {
    if (unit < 0 || unit >= kTimingUnitCount) unit = kPerSecond;
    const uint64_t limit = uint64_t{maxRate} * kUnitSeconds[static_cast<size_t>(unit)];
    return static_cast<uint32_t>(std::min<uint64_t>(limit, std::numeric_limits<uint16_t>::max()));
}

TimingCheck ValidateTiming(const QString& text, int unit, unsigned maxRate) {
    TimingCheck check;
    check.unit = (unit >= 0 && unit < kTimingUnitCount) ? unit : kPerSecond;
    if (text.trimmed().isEmpty()) {
        check.message = kTimingEmptyText;
        return check;
    }
    // Letters are no rate: taken as zero they would lead to the zero question, whose Yes stops
    // the view's updates.
    const std::optional<double> read = ReadNumberField(text);
    if (!read) {
        check.message = kEnterNumberText;
        check.icon = PromptIcon::Exclamation;
        return check;
    }
    const double number = *read;
    double value = std::trunc(number);
    if (text.contains(u'.')) {
        // A fraction per second or per minute becomes a whole number per minute or per hour;
        // per hour there is no further unit, so the fraction is dropped.
        check.converted = true;
        if (check.unit != kPerHour) {
            value = std::trunc(number * 60.0);
            ++check.unit;
        }
    }
    check.value = value;
    if (value < 1.0) {
        check.verdict = TimingVerdict::AskZero;
        check.message = kTimingZeroQuestion;
        check.icon = PromptIcon::Question;
        return check;
    }
    const uint32_t limit = TimingLimit(check.unit, maxRate);
    if (value > limit) {
        check.message = QStringLiteral("Sample rate is too high\n Rate < %1 %2")
                            .arg(limit)
                            .arg(TimingUnitName(check.unit));
        return check;
    }
    check.verdict = TimingVerdict::Accept;
    check.rate = static_cast<uint16_t>(value);
    return check;
}

}  // namespace velor
