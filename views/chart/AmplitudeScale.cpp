#include "views/chart/AmplitudeScale.h"

#include <cfloat>
#include <cmath>

namespace velor {
namespace {

constexpr double kConverterRange = 65535.0;
const QString kTimes = QString::fromUtf8("\u00d7");

}  // namespace

AmplitudeScale ComputeScale(const ChartData& data, const ChartSettings& settings, int axis) {
    AmplitudeScale scale;
    scale.logarithmic = settings.logarithmic;
    scale.units = data.units;
    if (scale.logarithmic && scale.units == 0) scale.units = 1;
    scale.clearsNormalize = scale.units == 1;

    // Full scale: the chart's peak (the larger of both in perpendicular mode, axis 1 on a tie),
    // used only when normalising; otherwise the converter's range.
    double f = data.axes[axis].peak;
    if (data.perpendicular) f = data.axes[0].peak > data.axes[1].peak ? data.axes[0].peak : data.axes[1].peak;
    if (f < 1.0) f = kConverterRange;
    if (!settings.normalize) f = kConverterRange;
    scale.fullScale = f;
    scale.span = scale.logarithmic ? std::ceil(std::log10(f)) : f;

    if (scale.units == 2) {
        const double k = data.intensityFactor;
        const double fi = k * f;
        if (!(k > 0.0) || !std::isfinite(fi)) {
            scale.usable = false;
            return scale;
        }
        if (scale.logarithmic) {
            scale.topDecade = static_cast<int>(std::ceil(std::log10(fi)));
            scale.bottomDecade = static_cast<int>(std::floor(std::log10(k)));
            scale.span = scale.topDecade - scale.bottomDecade;
        } else {
            int n = 0;
            while (std::trunc(fi / std::pow(10.0, n)) != 0.0) ++n;
            scale.exponent = n - 1;
            const double m = fi / std::pow(10.0, scale.exponent);
            double r = 10.0;
            for (const double candidate : {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
                if (candidate >= m) {
                    r = candidate;
                    break;
                }
            }
            scale.roundedTop = r;
            scale.span = scale.span * r / m;
        }
    }
    scale.usable = scale.usable && scale.span > 0.0 && std::isfinite(scale.span);
    return scale;
}

bool SampleHeight(const AmplitudeScale& scale, const ChartData& data, const ChartSettings& settings,
                  float sample, double* height) {
    double v = sample < 1.0f ? 0.0 : sample;
    if (!scale.logarithmic) {
        *height = v * settings.magnification;
        return true;
    }
    if (std::fabs(v) < FLT_MIN) return false;
    if (v <= 1.0) {
        *height = 0.0;
    } else if (scale.units == 2) {
        *height = std::log10(v) + std::log10(static_cast<double>(data.intensityFactor)) - scale.bottomDecade;
    } else {
        *height = std::log10(v);
    }
    return true;
}

QString ChartTitle(const AmplitudeScale& scale, const ChartSettings& settings, const QString& powerUnit) {
    const int decade = static_cast<int>(std::trunc(std::log10(static_cast<double>(settings.magnification))));
    switch (scale.units) {
        case 1:
            if (scale.logarithmic) return QStringLiteral("Logarithmic Amplitude (cnts) ");
            return QStringLiteral("Amplitude (cnts) %1 10^ %2").arg(kTimes).arg(decade - 3);
        case 2:
            if (scale.logarithmic) return QStringLiteral("Logarithmic Intensity (%1/sr)").arg(powerUnit);
            return QStringLiteral("Intensity (%1/sr) %2 10^ %3").arg(powerUnit, kTimes).arg(decade - scale.exponent);
        default: {
            const QString base = settings.normalize ? QStringLiteral("Amplitude normalized (Relative units)")
                                                    : QStringLiteral("Amplitude (Relative units)");
            if (settings.magnification <= 1) return base;
            return QStringLiteral("%1 %2 10^ %3").arg(base, kTimes).arg(decade);
        }
    }
}

QString PhiLabel(const ChartData& data, int axis) {
    const QString format = data.crossSections ? QString::fromUtf8("Phi \u00b4 = %1\u00b0")
                                              : QString::fromUtf8("Phi = %1\u00b0");
    return format.arg(static_cast<double>(data.axes[axis].phi), 0, 'f', 3);
}

QString DecadeLabel(int exponent) { return QStringLiteral("10^%1").arg(exponent); }

QString RelativeLabel(double value) { return QString::number(value, 'f', 1); }

}  // namespace velor
