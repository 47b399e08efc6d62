#include "tools/vnqtool/ParamsTable.h"

#include <QLocale>
#include <QStringList>
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

void CollectParameters(CVelor32Doc& doc, FileParameters& file) {
    std::vector<Parameter>& out = file.parameters;
    file.scanMode = doc.GetScanMode();
    file.units = doc.GetUnits();
    const int axes = file.Axes();
    for (int axis = 0; axis < axes; ++axis) {
        const double phi = doc.GetPhi(axis, 0);
        file.phi[axis] = phi;
        const QString at = QStringLiteral(" at %1°").arg(FixedText(phi, 1));
        for (const uint16_t clip : kClips) {
            out.push_back({axis, QStringLiteral("width_%1").arg(clip / 10.0),
                           QStringLiteral("%1% Angular Width%2 (deg)").arg(clip / 10.0, 0, 'f', 1).arg(at),
                           doc.GetAngularWidth(axis, clip), 1, QStringLiteral("deg")});
        }
        for (const uint16_t clip : kClips) {
            out.push_back({axis, QStringLiteral("na_%1").arg(clip / 10.0),
                           QStringLiteral("%1% Numerical Aperture%2").arg(clip / 10.0, 0, 'f', 1).arg(at),
                           doc.GetNumericalAperture(axis, clip), 3, QString()});
        }
        out.push_back({axis, QStringLiteral("centroid"), QStringLiteral("Angular Centroid%1 (deg)").arg(at),
                       doc.GetCentroidAngle(axis), 1, QStringLiteral("deg")});
        const float peakAngle = doc.GetPeakAngle(axis);
        out.push_back({axis, QStringLiteral("peak"), QStringLiteral("Angular Peak%1 (deg)").arg(at), peakAngle, 1,
                       QStringLiteral("deg")});
        const QString unit = AmplitudeUnit(doc.GetUnits(), doc.GetRefUnits());
        out.push_back({axis, QStringLiteral("peak_amplitude"), QStringLiteral("Peak Amplitude%1 (%2)").arg(at, unit),
                       doc.GetAmplitudeAt(axis, peakAngle), AmplitudeDecimals(doc.GetUnits()), unit});
        out.push_back({axis, QStringLiteral("mfd"), QStringLiteral("Mode-Field Diameter%1 (µm)").arg(at),
                       doc.GetModeFieldDiameter(axis), 2, QStringLiteral("um")});
        // What the diameter rests on, reported beside it.
        const CVelor32Doc::ModeFieldSupport support = doc.GetModeFieldSupport(axis);
        out.push_back({axis, QStringLiteral("mfd_dynamic_range_db"),
                       QStringLiteral("  MFD dynamic range (dB above 16 counts)"), support.dynamicRangeDb, 1,
                       QStringLiteral("dB")});
        out.push_back({axis, QStringLiteral("mfd_from"), QStringLiteral("  MFD integral from (deg about centroid)"),
                       support.fromDegrees, 2, QStringLiteral("deg")});
        out.push_back({axis, QStringLiteral("mfd_to"), QStringLiteral("  MFD integral to (deg about centroid)"),
                       support.toDegrees, 2, QStringLiteral("deg")});
        // Each range above the first lowers that floor tenfold (10 dB).
        out.push_back({axis, QStringLiteral("ranges"), QStringLiteral("  Gain ranges stitched"),
                       static_cast<double>(doc.GetAxisRanges(axis)), 0, QString()});
        // The effective area rests on the same far field and the same dynamic range.
        out.push_back({axis, QStringLiteral("aeff"), QStringLiteral("Effective Area%1 (µm²)").arg(at),
                       doc.GetEffectiveArea(axis), 2, QStringLiteral("um2")});
        file.aeffNote[axis] = doc.GetEffectiveAreaNote(axis);
        const ProfileMetrics& m = doc.GetProfileMetrics(axis);
        const auto fitted = [&m](float value) { return m.fitted ? double{value} : kNone; };
        out.push_back({axis, QStringLiteral("second_moment_width"),
                       QStringLiteral("Second-Moment Width%1 (deg)").arg(at), m.secondMomentWidth, 2,
                       QStringLiteral("deg")});
        out.push_back({axis, QStringLiteral("second_moment_na"), QStringLiteral("Second-Moment NA%1").arg(at),
                       m.secondMomentNA, 3, QString()});
        out.push_back({axis, QStringLiteral("fit_width"), QStringLiteral("Gaussian Fit Width%1 (deg)").arg(at),
                       fitted(m.fitWidth), 2, QStringLiteral("deg")});
        out.push_back({axis, QStringLiteral("fit_center"), QStringLiteral("Gaussian Fit Center%1 (deg)").arg(at),
                       fitted(m.fitCenter), 2, QStringLiteral("deg")});
        out.push_back({axis, QStringLiteral("fit_r2"), QStringLiteral("Gaussian Fit R²%1").arg(at),
                       fitted(m.fitQuality), 4, QString()});
    }
    if (axes == 2) {
        for (const uint16_t clip : kClips) {
            out.push_back({kBothAxes, QStringLiteral("ratio_%1").arg(clip / 10.0),
                           QStringLiteral("Angle Ratio at %1 % Width").arg(clip / 10.0, 0, 'f', 1),
                           doc.GetWidthRatio(clip), 2, QString()});
        }
    }
    if (doc.m_b3DValid) {
        const BeamShape& shape = doc.GetBeamShape();
        out.push_back({k3DDataSet, QStringLiteral("major_divergence"), QStringLiteral("Major-Axis Divergence (deg)"),
                       shape.majorDivergence, 2, QStringLiteral("deg")});
        out.push_back({k3DDataSet, QStringLiteral("minor_divergence"), QStringLiteral("Minor-Axis Divergence (deg)"),
                       shape.minorDivergence, 2, QStringLiteral("deg")});
        out.push_back({k3DDataSet, QStringLiteral("ellipticity"), QStringLiteral("Ellipticity"), shape.ellipticity, 3,
                       QString()});
        out.push_back({k3DDataSet, QStringLiteral("orientation"), QStringLiteral("Major-Axis Orientation (deg)"),
                       shape.orientation, 1, QStringLiteral("deg")});
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
    QString out = QStringLiteral("file,axis,phi,") + keys.join(QLatin1Char(',')) +
                  QStringLiteral(",amplitude_unit,aeff_note\n");
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
            row << CsvField(unit) << CsvField(f.aeffNote[axis]);
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
            members << QStringLiteral("\"aeff_note\": %1").arg(JsonString(f.aeffNote[axis]));
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
