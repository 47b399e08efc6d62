#include "views/common/DataValidation.h"

#include <QLocale>
#include <cmath>

namespace velor {

std::optional<double> ReadNumberField(const QString& text) {
    bool ok = false;
    // The C locale: the fields always take a decimal point, whatever the user's locale.
    const double number = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(number)) return std::nullopt;
    return number;
}

FloatFieldCheck CheckFloatField(const QString& text, float low, float high) {
    FloatFieldCheck check;
    const std::optional<double> number = ReadNumberField(text);
    const auto value = static_cast<float>(number.value_or(0.0));
    if (!number || !std::isfinite(value)) {
        check.message = kEnterNumberText;
    } else if (value < low || value > high) {
        check.message = QStringLiteral("Please enter a number between %1 and %2.")
                            .arg(FormatFloatField(low), FormatFloatField(high));
    } else {
        check.value = value;
    }
    return check;
}

IntFieldCheck CheckIntField(const QString& text, long long low, long long high) {
    IntFieldCheck check;
    bool ok = false;
    const long long number = QLocale::c().toLongLong(text.trimmed(), &ok);
    if (!ok) {
        check.message = QStringLiteral("Please enter an integer.");
    } else if (number < low || number > high) {
        check.message = QStringLiteral("Please enter an integer between %1 and %2.").arg(low).arg(high);
    } else {
        check.value = number;
    }
    return check;
}

QString TooLongMessage(int maxCharacters) {
    return QStringLiteral("Please enter no more than %1 characters.").arg(maxCharacters);
}

QString FormatFloatField(float value) { return QString::number(value, 'g', 6); }

}  // namespace velor
