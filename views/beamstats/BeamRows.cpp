#include "views/beamstats/BeamRows.h"

#include "document/Velor32Doc.h"
#include "views/beamstats/BeamMetricKinds.h"

namespace velor {
namespace {

// One clip level of a row family: its bit in the family's flags, its key and its level.
struct ClipChoice {
    uint32_t bit;
    int key;
    uint16_t clip;
};

// The five levels of a family in table order: 5 %, 13.5 %, 50.0 %, user 1, user 2.
struct ClipFamily {
    ClipChoice choices[5];
};

ClipFamily WidthFamily(const CBeamDataData& s) {
    return {{{0x40, 25, 50}, {0x01, 1, 135}, {0x04, 3, 500}, {0x10, 5, s.m_nUserClip}, {0x20, 26, s.m_nUserClip2}}};
}

ClipFamily ApertureFamily(const CBeamDataData& s) {
    return {{{0x01, 36, 50}, {0x02, 37, 135}, {0x04, 38, 500}, {0x08, 39, s.m_nUserClip}, {0x10, 40, s.m_nUserClip2}}};
}

ClipFamily RatioFamily(const CBeamDataData& s) {
    return {{{0x10, 31, 50}, {0x01, 32, 135}, {0x02, 33, 500}, {0x04, 34, s.m_nUserRatio1}, {0x08, 35, s.m_nUserRatio2}}};
}

// The amplitude rows' unit and decimals follow the document's display units.
QString AmplitudeUnit(const BeamRowContext& c) {
    switch (c.units) {
        case 1: return QStringLiteral(" (cnts)");
        case 2: return QStringLiteral("(%1/sr)").arg(c.powerUnit);
        case 3: return QStringLiteral("(dB)");
        default: return QStringLiteral("(a.u.)");
    }
}

int AmplitudeDecimals(uint16_t units) {
    switch (units) {
        case 1: return 0;
        case 2: return 3;
        default: return 2;
    }
}

class RowList {
public:
    explicit RowList(const BeamRowContext& context) : m_context(context) {}

    // One row for axis 0 and, with perpendicular axes, one for axis 1.
    template <typename Name>
    void AddAxes(BeamRowKind kind, int key, int decimals, uint16_t clip, float angle, Name name) {
        const int axes = m_context.perpendicular ? 2 : 1;
        for (int axis = 0; axis < axes; ++axis) {
            Add({kind, key, axis, clip, angle, decimals, name(static_cast<double>(m_context.phi[axis]))});
        }
    }
    void Add(BeamRow row) {
        if (static_cast<int>(m_rows.size()) < kBeamTableRows) m_rows.push_back(std::move(row));
    }
    std::vector<BeamRow> Take() { return std::move(m_rows); }

private:
    const BeamRowContext& m_context;
    std::vector<BeamRow> m_rows;
};

}  // namespace

BeamRowContext RowContextOf(const CVelor32Doc& doc) {
    BeamRowContext c;
    c.perpendicular = doc.IsPerpendicular();
    c.phi[0] = doc.GetPhi(0, 0);
    c.phi[1] = doc.GetPhi(1, 0);
    c.units = doc.GetUnits();
    c.powerUnit = QString::fromLatin1(doc.GetRefUnits());
    return c;
}

std::vector<BeamRow> BuildBeamRows(const CBeamDataData& s, const BeamRowContext& c, uint32_t metricKinds) {
    RowList rows(c);
    for (const ClipChoice& w : WidthFamily(s).choices) {
        if (!(s.m_nWidthFlags & w.bit)) continue;
        rows.AddAxes(BeamRowKind::Width, w.key, 1, w.clip, 0.0f, [&](double phi) {
            return QString::asprintf("%.1f%% Angular Width at %.1f\u00B0 (deg)", w.clip / 10.0, phi);
        });
    }
    for (const ClipChoice& a : ApertureFamily(s).choices) {
        if (!(s.m_nApertureFlags & a.bit)) continue;
        rows.AddAxes(BeamRowKind::Aperture, a.key, 3, a.clip, 0.0f, [&](double phi) {
            return QString::asprintf("%.1f%% Numerical Aperture at %.1f\u00B0", a.clip / 10.0, phi);
        });
    }
    // A ratio compares the two axes: only with both, and one row for both.
    if (c.perpendicular) {
        for (const ClipChoice& r : RatioFamily(s).choices) {
            if (!(s.m_nRatioFlags & r.bit)) continue;
            rows.Add({BeamRowKind::Ratio, r.key, 0, r.clip, 0.0f, 2,
                      QString::asprintf("Angle Ratio at %.1f %% Width", r.clip / 10.0)});
        }
    }
    if (s.m_bCentroid) {
        rows.AddAxes(BeamRowKind::Centroid, 6, 1, 0, 0.0f, [](double phi) {
            return QString::asprintf("Angular Centroid at %.1f\u00B0 (deg)", phi);
        });
    }
    if (s.m_bPeak) {
        rows.AddAxes(BeamRowKind::Peak, 7, 1, 0, 0.0f,
                     [](double phi) { return QString::asprintf("Angular Peak at %.1f\u00B0 (deg)", phi); });
    }
    const QString unit = AmplitudeUnit(c);
    const int amplitudeDecimals = AmplitudeDecimals(c.units);
    if (s.m_nAmplitudeFlags & 0x01) {
        rows.AddAxes(BeamRowKind::AmplitudeAtCentroid, 27, amplitudeDecimals, 0, 0.0f, [&](double phi) {
            return QString::asprintf("Centroid Amplitude at %.1f\u00B0 ", phi) + unit;
        });
    }
    if (s.m_nAmplitudeFlags & 0x02) {
        rows.AddAxes(BeamRowKind::AmplitudeAtPeak, 28, amplitudeDecimals, 0, 0.0f, [&](double phi) {
            return QString::asprintf("Peak Amplitude at %.1f\u00B0 ", phi) + unit;
        });
    }
    const int16_t userAngles[2] = {s.m_nUserAngle1, s.m_nUserAngle2};
    for (int i = 0; i < 2; ++i) {
        if (!(s.m_nAmplitudeFlags & (0x04u << i))) continue;
        const double theta = userAngles[i] / 10.0;
        rows.AddAxes(BeamRowKind::AmplitudeAtAngle, 29 + i, amplitudeDecimals, 0, static_cast<float>(theta),
                     [&](double phi) {
                         return QString::asprintf("Amplitude for Theta = %.1f\u00B0 at %.1f\u00B0 ", theta, phi) +
                                unit;
                     });
    }
    if (s.m_bModeField) {
        rows.AddAxes(BeamRowKind::ModeField, 41, 2, 0, 0.0f, [](double phi) {
            return QString::asprintf("Mode-Field Diameter at %.1f\u00B0 (\u00B5m)", phi);
        });
    }
    for (const BeamMetricKind& kind : BeamMetricKinds()) {
        if (!(metricKinds & kind.bit)) continue;
        // A figure of the 3D data set is one row; a profile's, one per measured axis.
        const int axes = !kind.perAxis ? 1 : c.perpendicular ? 2 : 1;
        for (int axis = 0; axis < axes; ++axis) {
            const QString name = kind.perAxis ? QString::asprintf(kind.name, static_cast<double>(c.phi[axis]))
                                              : QString::fromUtf8(kind.name);
            rows.Add({BeamRowKind::Metric, kind.key, axis, 0, 0.0f, kind.decimals, name, &kind});
        }
    }
    return rows.Take();
}

double BeamRowValue(const BeamRow& row, const CVelor32Doc& doc) {
    const int axis = row.axis;
    switch (row.kind) {
        case BeamRowKind::Width: return doc.GetAngularWidth(axis, row.clip);
        case BeamRowKind::Aperture: return doc.GetNumericalAperture(axis, row.clip);
        case BeamRowKind::Ratio: return doc.GetWidthRatio(row.clip);
        case BeamRowKind::Centroid: return doc.GetCentroidAngle(axis);
        case BeamRowKind::Peak: return doc.GetPeakAngle(axis);
        case BeamRowKind::AmplitudeAtCentroid: return doc.GetAmplitudeAt(axis, doc.GetCentroidAngle(axis));
        case BeamRowKind::AmplitudeAtPeak: return doc.GetAmplitudeAt(axis, doc.GetPeakAngle(axis));
        case BeamRowKind::AmplitudeAtAngle: return doc.GetAmplitudeAt(axis, row.angle);
        case BeamRowKind::ModeField: return doc.GetModeFieldDiameter(axis);
        case BeamRowKind::Metric: return row.metric ? row.metric->value(doc, axis) : 0.0;
    }
    return 0.0;
}

}  // namespace velor
