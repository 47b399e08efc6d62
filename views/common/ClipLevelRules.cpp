#include "views/common/ClipLevelRules.h"

#include <QRegularExpression>
#include <algorithm>

#include "views/common/ClipLevels.h"

namespace velor {
namespace {

const QString kError = QStringLiteral("ERROR");
const QString kProcedureError = QStringLiteral("Procedure error");

ClipLevelCheck Refused(const QString& message, const QString& caption) { return {false, 0, message, caption}; }

// Digits beyond these say only "far above any limit".
constexpr int kMaxWholeDigits = 6;

}  // namespace

QString ClipLevelText(uint16_t tenths) {
    return QStringLiteral("%1.%2%").arg(tenths / 10).arg(tenths % 10);
}

ClipLevelCheck CheckNewClipLevel(const QString& text, uint16_t minTenths, uint16_t maxTenths,
                                 std::span<const uint16_t> listed) {
    QString entry = text.trimmed();
    if (entry.endsWith(QLatin1Char('%'))) entry = entry.chopped(1).trimmed();
    if (entry.isEmpty()) return Refused(QStringLiteral("No Clip Level"), kError);
    const int point = entry.indexOf(QLatin1Char('.'));
    if (point >= 0 && entry.size() - point - 1 > 1) return Refused(QStringLiteral("Too Many Decimal Places"), kError);

    static const QRegularExpression kNumber(QStringLiteral("^([+-]?)(\\d*)(?:\\.(\\d?))?$"));
    const QRegularExpressionMatch match = kNumber.match(entry);
    const QString whole = match.captured(2);
    const QString tenth = match.captured(3);
    if (!match.hasMatch() || (whole.isEmpty() && tenth.isEmpty())) {
        return Refused(QStringLiteral("Clip level must be a number"), kError);
    }
    const QString significant = whole.size() > 1 ? QString(whole).remove(QRegularExpression(QStringLiteral("^0+")))
                                                 : whole;
    const bool negative = match.captured(1) == QLatin1String("-");
    long long value = significant.size() > kMaxWholeDigits ? 10'000'000LL : significant.toLongLong() * 10;
    value += tenth.isEmpty() ? 0 : tenth.toInt();
    if (negative) value = -value;

    if (value < minTenths) {
        return Refused(QStringLiteral("Clip level must be greater than %1 %").arg(minTenths / 10.0, 0, 'f', 1),
                       kProcedureError);
    }
    if (value > maxTenths) {
        return Refused(QStringLiteral("Clip level can not be greater than %1 %").arg(maxTenths / 10.0, 0, 'f', 1),
                       kProcedureError);
    }
    const auto tenths = static_cast<uint16_t>(value);
    if (std::find(listed.begin(), listed.end(), tenths) != listed.end()) {
        return Refused(QStringLiteral("Duplicate ClipLevel Not Allowed"), kError);
    }
    // The 3D and topographic records hold 64 levels: a 65th would be lost on the way there.
    if (listed.size() >= static_cast<size_t>(kMaxClipLevels)) {
        return Refused(QStringLiteral("You may not have more than %1 ClipLevels").arg(kMaxClipLevels), kError);
    }
    return {true, tenths, QString(), QString()};
}

}  // namespace velor
