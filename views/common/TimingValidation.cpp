#include "views/common/TimingValidation.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace velor {

namespace {

constexpr std::array<const char*, kTimingUnitCount> kUnitNames{"Updates/Sec", "Updates/Min",
                                                               "Updates/Hour"};
constexpr std::array<uint32_t, kTimingUnitCount> kUnitSeconds{1, 60, 3600};

// The number at the start of the text, 0 when there is none. Read with the C locale because
// the application's locale may use a decimal comma.
double LeadingNumber(const QString& text) {
    int end = 0;
    while (end < text.size() && text[end].isSpace()) ++end;
    const int start = end;
    if (end < text.size() && (text[end] == u'+' || text[end] == u'-')) ++end;
    while (end < text.size() && text[end].isDigit()) ++end;
    if (end < text.size() && text[end] == u'.') ++end;
    while (end < text.size() && text[end].isDigit()) ++end;
    bool ok = false;
    const double value = QLocale::c().toDouble(text.mid(start, end - start), &ok);
    return ok ? value : 0.0;
}

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
    const double number = LeadingNumber(text);
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
