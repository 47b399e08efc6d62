#include "views/power/PowerExport.h"

#include <cstdarg>
#include <cstdio>

#include "common/FixedText.h"
#include "views/power/PowerData.h"

namespace velor {
namespace {

// printf into the section; a value too wide for the usual buffer is formatted again at length.
__attribute__((format(printf, 2, 3))) void Append(QByteArray& out, const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n >= static_cast<int>(sizeof buffer)) {
        QByteArray wide(n + 1, '\0');
        std::vsnprintf(wide.data(), static_cast<size_t>(wide.size()), format, again);
        out.append(wide.constData(), n);
    } else if (n > 0) {
        out.append(buffer, n);
    }
    va_end(again);
}

}  // namespace

QByteArray PowerExportText(const CPowerData& r, const PowerSnapshot& s, const PowerResults& results) {
    const bool na = r.m_bShowNA != 0;
    const char* unit = r.m_szRefUnits;
    QByteArray out("\r\n3d-calculations view data:\r\n");
    out += "3D Centroid position";
    Append(out, "\r\nTheta: %.3f", WithoutNegativeZero(s.centroidTheta, 3));
    Append(out, "\r\nPhi: %.3f", WithoutNegativeZero(s.centroidPhi, 3));
    out += "\r\n";
    Append(out, "\r\nReference power: %.6f %s\r\n", r.m_fRefPower, unit);
    out += r.AboutOpticalAxis() ? "\r\nPower computed about instrument optical axis\r\n"
                                : "\r\nPower computed about 3D Centroid axis\r\n";
    Append(out, "\r\nTotal power: %.6f %s", WithoutNegativeZero(results.total, 6), unit);
    for (int i = 0; i < 3; ++i) {
        if (!r.ConeShown(i)) continue;
        if (na) {
            Append(out, "\r\nPower in %.3f NA cone: %.6f %s", DegreesToNA(r.m_fConeAngle[i]),
                   WithoutNegativeZero(results.conePower[i], 6), unit);
        } else {
            Append(out, "\r\nPower in %.1f\xB0 cone: %.6f %s", r.m_fConeAngle[i],
                   WithoutNegativeZero(results.conePower[i], 6), unit);
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (!r.PercentShown(i)) continue;
        if (na) {
            Append(out, "\r\nCone with %.2f %% total power: %.3f NA", r.m_fPercent[i],
                   WithoutNegativeZero(DegreesToNA(results.percentAngle[i]), 3));
        } else {
            Append(out, "\r\nCone with %.2f %% total power: %.3f\xB0", r.m_fPercent[i],
                   WithoutNegativeZero(results.percentAngle[i], 3));
        }
    }
    if (na) {
        Append(out, "\r\n\r\nAngle[NA]\tPower[%s]", unit);
    } else {
        Append(out, "\r\n\r\nAngle[\xB0]\tPower[%s]", unit);
    }
    const PowerCurve& curve = s.curve;
    for (int k = 0; k < curve.count; ++k) {
        const double angle = curve.HalfAngle(k);
        const double shown = na ? std::sin(angle) : curve.AboutOpticalAxis() ? angle * 180.0 / std::numbers::pi : k / 10.0;
        Append(out, "\r\n%9.6f\t%9.5f", WithoutNegativeZero(shown, 6),
               WithoutNegativeZero(curve.values[k], 5));
    }
    return out;
}

void AppendPowerExport(QByteArray& text, CPowerData& record, CVelor32Doc& document) {
    const PowerSnapshot snapshot = TakePowerSnapshot(record, document);
    const PowerResults results = ComputePowerResults(snapshot.curve, record).value_or(PowerResults{});
    text += PowerExportText(record, snapshot, results);
}

}  // namespace velor
