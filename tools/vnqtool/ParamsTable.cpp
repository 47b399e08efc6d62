#include "tools/vnqtool/ParamsTable.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "common/FixedText.h"
#include "document/Velor32Doc.h"

namespace vnqtool {
namespace {

using namespace velor;

// Clip levels the parameters are taken at, in tenths of a percent.
constexpr uint16_t kClips[] = {50, 135, 500};
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

QString AmplitudeUnit(uint16_t units, const char* powerUnit) {
    switch (units) {
        case 1: return QStringLiteral("counts");
        case 2: return QStringLiteral("%1/sr").arg(QString::fromLatin1(powerUnit));
        default: return QStringLiteral("a.u.");
    }
}

int AmplitudeDecimals(uint16_t units) { return units == 1 ? 0 : units == 2 ? 3 : 2; }

// The CSV columns after file, axis and phi: every key an axis row can carry, then the ratios
// and the 3D data set's figures, which every row of the file repeats.
QStringList AxisKeys(const std::vector<FileParameters>& files) {
    QStringList keys;
    for (const FileParameters& f : files) {
        for (const Parameter& p : f.parameters) {
            if (p.axis >= 0 && !keys.contains(p.key)) keys << p.key;
        }
    }
    for (const FileParameters& f : files) {
        for (const Parameter& p : f.parameters) {
            if (p.axis < 0 && !keys.contains(p.key)) keys << p.key;
        }
    }
    return keys;
}

// A CSV field: quoted when it holds a delimiter, a quote or a line break.
QString CsvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString JsonString(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            out += QLatin1Char('\\') + c;
        } else if (c.unicode() < 0x20) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out + QLatin1Char('"');
}

// A number JSON can hold; null for one that is not finite.
QString JsonNumber(double value) { return std::isfinite(value) ? FullPrecision(value) : QStringLiteral("null"); }

}  // namespace

QString FullPrecision(double value) {
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

bool ParameterChoice::Wants(const QString& key) const {
    if (m_names.isEmpty()) return true;
    return std::any_of(m_names.begin(), m_names.end(), [&key](const QString& name) {
        return key == name || (key.startsWith(name) && key.size() > name.size() && key[name.size()] == QLatin1Char('_'));
    });
}

QStringList ParameterChoice::Unknown() const {
    // The keys of a perpendicular measurement with 3D data: every key there is.
    static const QStringList kKeys = {
        "width_5", "width_13.5", "width_50", "na_5", "na_13.5", "na_50", "centroid", "peak", "peak_amplitude",
        "mfd", "mfd_dynamic_range_db", "mfd_from", "mfd_to", "ranges", "aeff", "second_moment_width",
        "second_moment_na", "fit_width", "fit_center", "fit_r2", "ratio_5", "ratio_13.5", "ratio_50",
        "major_divergence", "minor_divergence", "ellipticity", "orientation"};
    QStringList unknown;
    for (const QString& name : m_names) {
        const ParameterChoice one(QStringList{name});
        if (std::none_of(kKeys.begin(), kKeys.end(), [&one](const QString& key) { return one.Wants(key); }))
            unknown << name;
    }
    return unknown;
}

void CollectParameters(CVelor32Doc& doc, FileParameters& file, const ParameterChoice& choice) {
    std::vector<Parameter>& out = file.parameters;
    // A value is computed only for a parameter chosen.
    const auto add = [&](int axis, const QString& key, const QString& name, const auto& value, int decimals,
                         const QString& unit) {
        if (choice.Wants(key)) out.push_back({axis, key, name, static_cast<double>(value()), decimals, unit});
    };
    file.scanMode = doc.GetScanMode();
    file.units = doc.GetUnits();
    const int axes = file.Axes();
    for (int axis = 0; axis < axes; ++axis) {
        const double phi = doc.GetPhi(axis, 0);
        file.phi[axis] = phi;
        const QString at = QStringLiteral(" at %1°").arg(FixedText(phi, 1));
        for (const uint16_t clip : kClips) {
            add(axis, QStringLiteral("width_%1").arg(clip / 10.0),
                QStringLiteral("%1% Angular Width%2 (deg)").arg(clip / 10.0, 0, 'f', 1).arg(at),
                [&] { return doc.GetAngularWidth(axis, clip); }, 1, QStringLiteral("deg"));
        }
        for (const uint16_t clip : kClips) {
            add(axis, QStringLiteral("na_%1").arg(clip / 10.0),
                QStringLiteral("%1% Numerical Aperture%2").arg(clip / 10.0, 0, 'f', 1).arg(at),
                [&] { return doc.GetNumericalAperture(axis, clip); }, 3, QString());
        }
        add(axis, QStringLiteral("centroid"), QStringLiteral("Angular Centroid%1 (deg)").arg(at),
            [&] { return doc.GetCentroidAngle(axis); }, 1, QStringLiteral("deg"));
        const auto peakAngle = [&] { return doc.GetPeakAngle(axis); };
        add(axis, QStringLiteral("peak"), QStringLiteral("Angular Peak%1 (deg)").arg(at), peakAngle, 1,
            QStringLiteral("deg"));
        const QString unit = AmplitudeUnit(doc.GetUnits(), doc.GetRefUnits());
        add(axis, QStringLiteral("peak_amplitude"), QStringLiteral("Peak Amplitude%1 (%2)").arg(at, unit),
            [&] { return doc.GetAmplitudeAt(axis, peakAngle()); }, AmplitudeDecimals(doc.GetUnits()), unit);
        add(axis, QStringLiteral("mfd"), QStringLiteral("Mode-Field Diameter%1 (µm)").arg(at),
            [&] { return doc.GetModeFieldDiameter(axis); }, 2, QStringLiteral("um"));
        // What the diameter rests on, reported beside it.
        const auto support = [&] { return doc.GetModeFieldSupport(axis); };
        add(axis, QStringLiteral("mfd_dynamic_range_db"), QStringLiteral("  MFD dynamic range (dB above 16 counts)"),
            [&] { return support().dynamicRangeDb; }, 1, QStringLiteral("dB"));
        add(axis, QStringLiteral("mfd_from"), QStringLiteral("  MFD integral from (deg about centroid)"),
            [&] { return support().fromDegrees; }, 2, QStringLiteral("deg"));
        add(axis, QStringLiteral("mfd_to"), QStringLiteral("  MFD integral to (deg about centroid)"),
            [&] { return support().toDegrees; }, 2, QStringLiteral("deg"));
        // Each range above the first lowers that floor tenfold (10 dB).
        add(axis, QStringLiteral("ranges"), QStringLiteral("  Gain ranges stitched"),
            [&] { return doc.GetAxisRanges(axis); }, 0, QString());
        // The effective area rests on the same far field and the same dynamic range.
        add(axis, QStringLiteral("aeff"), QStringLiteral("Effective Area%1 (µm²)").arg(at),
            [&] { return doc.GetEffectiveArea(axis); }, 2, QStringLiteral("um2"));
        if (choice.Wants(QStringLiteral("aeff"))) file.aeffNote[axis] = doc.GetEffectiveAreaNote(axis);
        const auto metrics = [&]() -> const ProfileMetrics& { return doc.GetProfileMetrics(axis); };
        const auto fitted = [&](float ProfileMetrics::*value) {
            return [&metrics, value] { return metrics().fitted ? double{metrics().*value} : kNone; };
        };
        add(axis, QStringLiteral("second_moment_width"), QStringLiteral("Second-Moment Width%1 (deg)").arg(at),
            [&] { return metrics().secondMomentWidth; }, 2, QStringLiteral("deg"));
        add(axis, QStringLiteral("second_moment_na"), QStringLiteral("Second-Moment NA%1").arg(at),
            [&] { return metrics().secondMomentNA; }, 3, QString());
        add(axis, QStringLiteral("fit_width"), QStringLiteral("Gaussian Fit Width%1 (deg)").arg(at),
            fitted(&ProfileMetrics::fitWidth), 2, QStringLiteral("deg"));
        add(axis, QStringLiteral("fit_center"), QStringLiteral("Gaussian Fit Center%1 (deg)").arg(at),
            fitted(&ProfileMetrics::fitCenter), 2, QStringLiteral("deg"));
        add(axis, QStringLiteral("fit_r2"), QStringLiteral("Gaussian Fit R²%1").arg(at),
            fitted(&ProfileMetrics::fitQuality), 4, QString());
    }
    if (axes == 2) {
        for (const uint16_t clip : kClips) {
            add(kBothAxes, QStringLiteral("ratio_%1").arg(clip / 10.0),
                QStringLiteral("Angle Ratio at %1 % Width").arg(clip / 10.0, 0, 'f', 1),
                [&] { return doc.GetWidthRatio(clip); }, 2, QString());
        }
    }
    if (doc.m_b3DValid) {
        const auto shape = [&]() -> const BeamShape& { return doc.GetBeamShape(); };
        add(k3DDataSet, QStringLiteral("major_divergence"), QStringLiteral("Major-Axis Divergence (deg)"),
            [&] { return shape().majorDivergence; }, 2, QStringLiteral("deg"));
        add(k3DDataSet, QStringLiteral("minor_divergence"), QStringLiteral("Minor-Axis Divergence (deg)"),
            [&] { return shape().minorDivergence; }, 2, QStringLiteral("deg"));
        add(k3DDataSet, QStringLiteral("ellipticity"), QStringLiteral("Ellipticity"),
            [&] { return shape().ellipticity; }, 3, QString());
        add(k3DDataSet, QStringLiteral("orientation"), QStringLiteral("Major-Axis Orientation (deg)"),
            [&] { return shape().orientation; }, 1, QStringLiteral("deg"));
    }
}

void PrintText(const std::vector<FileParameters>& files) {
    bool first = true;
    for (const FileParameters& f : files) {
        if (!f.loaded) continue;
        std::printf(first ? "%s\n" : "\n%s\n", qPrintable(f.path));
        first = false;
        int axis = -2;
        for (const Parameter& p : f.parameters) {
            if (p.axis != axis) {
                axis = p.axis;
                if (axis == kBothAxes) {
                    std::printf("\nBoth axes:\n");
                } else if (axis == k3DDataSet) {
                    std::printf("\n3D data set:\n");
                } else {
                    std::printf("\nAxis %d:\n", axis);
                }
            }
            const QString value = std::isnan(p.value) ? QStringLiteral("no fit") : FixedText(p.value, p.decimals);
            std::printf("  %-44s %12s\n", qPrintable(p.name), qPrintable(value));
            if (p.key == QLatin1String("aeff") && !f.aeffNote[p.axis].isEmpty()) {
                std::printf("    (%s)\n", qPrintable(f.aeffNote[p.axis]));
            }
        }
    }
}

void PrintCsv(const std::vector<FileParameters>& files) {
    const QStringList keys = AxisKeys(files);
    const bool notes = keys.contains(QStringLiteral("aeff"));
    QString out = QStringLiteral("file,axis,phi,") + keys.join(QLatin1Char(',')) + QStringLiteral(",amplitude_unit") +
                  (notes ? QStringLiteral(",aeff_note\n") : QStringLiteral("\n"));
    for (const FileParameters& f : files) {
        if (!f.loaded) continue;
        for (int axis = 0; axis < f.Axes(); ++axis) {
            QStringList row{CsvField(f.path), QString::number(axis), FullPrecision(f.phi[axis])};
            QString unit;
            for (const QString& key : keys) {
                QString value;
                for (const Parameter& p : f.parameters) {
                    if (p.key != key || (p.axis != axis && p.axis >= 0)) continue;
                    if (!std::isnan(p.value)) value = FullPrecision(p.value);
                    if (key == QLatin1String("peak_amplitude")) unit = p.unit;
                }
                row << value;
            }
            row << CsvField(unit);
            if (notes) row << CsvField(f.aeffNote[axis]);
            out += row.join(QLatin1Char(',')) + QLatin1Char('\n');
        }
    }
    std::fputs(out.toUtf8().constData(), stdout);
}

void PrintJson(const std::vector<FileParameters>& files) {
    QStringList objects;
    for (const FileParameters& f : files) {
        if (!f.loaded) continue;
        QStringList axes;
        QStringList ratios;
        QStringList shape;
        for (int axis = 0; axis < f.Axes(); ++axis) {
            QStringList members{QStringLiteral("\"axis\": %1").arg(axis),
                                QStringLiteral("\"phi\": %1").arg(JsonNumber(f.phi[axis]))};
            for (const Parameter& p : f.parameters) {
                if (p.axis == axis) members << QStringLiteral("%1: %2").arg(JsonString(p.key), JsonNumber(p.value));
            }
            const bool area = std::any_of(f.parameters.begin(), f.parameters.end(),
                                          [](const Parameter& p) { return p.key == QLatin1String("aeff"); });
            if (area) members << QStringLiteral("\"aeff_note\": %1").arg(JsonString(f.aeffNote[axis]));
            axes << QStringLiteral("{") + members.join(QStringLiteral(", ")) + QLatin1Char('}');
        }
        for (const Parameter& p : f.parameters) {
            const QString member = QStringLiteral("%1: %2").arg(JsonString(p.key), JsonNumber(p.value));
            if (p.axis == kBothAxes) ratios << member;
            if (p.axis == k3DDataSet) shape << member;
        }
        QString object = QStringLiteral("  {\"file\": %1, \"scanMode\": %2, \"units\": %3, \"axes\": [%4]")
                             .arg(JsonString(f.path))
                             .arg(f.scanMode)
                             .arg(f.units)
                             .arg(axes.join(QStringLiteral(", ")));
        if (!ratios.isEmpty()) object += QStringLiteral(", \"ratios\": {") + ratios.join(QStringLiteral(", ")) + QLatin1Char('}');
        if (!shape.isEmpty()) object += QStringLiteral(", \"beam3d\": {") + shape.join(QStringLiteral(", ")) + QLatin1Char('}');
        objects << object + QLatin1Char('}');
    }
    const QString out = QStringLiteral("[\n") + objects.join(QStringLiteral(",\n")) + QStringLiteral("\n]\n");
    std::fputs(out.toUtf8().constData(), stdout);
}

}  // namespace vnqtool
