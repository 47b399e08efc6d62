#include "common/FixedText.h"

#include <QByteArray>
#include <cmath>
#include <cstdio>

namespace velor {

double WithoutNegativeZero(double value, int decimals) {
    // Only a negative value below one in magnitude can come out as zero at any precision.
    if (!std::signbit(value) || !(std::fabs(value) < 1.0)) return value;
    // printf's own rounding decides, so the answer matches the text exactly.
    char text[400];
    const int n = std::snprintf(text, sizeof text, "%.*f", decimals, value);
    if (n <= 0 || n >= static_cast<int>(sizeof text)) return value;
    for (int i = 1; i < n; ++i) {
        if (text[i] != '0' && text[i] != '.') return value;
    }
    return 0.0;
}

QString FixedText(double value, int decimals, int width) {
    const double shown = WithoutNegativeZero(value, decimals);
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, shown);
    if (n < 0) return QString();
    if (n < static_cast<int>(sizeof buffer)) return QString::fromLatin1(buffer, n);
    // Only numbers beyond 10^60 need more room.
    QByteArray wide(n + 1, '\0');
    std::snprintf(wide.data(), static_cast<size_t>(wide.size()), "%*.*f", width, decimals, shown);
    return QString::fromLatin1(wide.constData(), n);
}

}  // namespace velor
