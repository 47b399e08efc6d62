#include "views/timestats/TimeStatVariables.h"

#include <QChar>
#include <array>

#include "document/Velor32Doc.h"
#include "views/timestats/TimeStatData.h"

namespace velor {
namespace {

// By code, from 22 on.
const std::array<VariableInfo, 12> kVariables{{
    {kAngularWidth, "Angular Width", 0.1, 0.0, 180.0, 0, 2, kAngularWidth},
    {kAngularCentroid, "Angular Centroid", 0.1, -90.0, 90.0, 0, 2, kAngularCentroid},
    {kAngularPeak, "Angular Peak", 0.1, -90.0, 90.0, 0, 2, kAngularPeak},
    {kAngleRatio, "Angle Ratio", 0.01, 0.0, 1.0, 0, 2, kAngleRatio},
    {kAmplitude, "Amplitude", 0.01, 0.0, 10000.0, 0, 3, kAmplitude},
    {kModeFieldDiameter, "Mode-Field Diameter", 0.01, 0.0, 10000.0, 9, 2, kModeFieldDiameter},
    {kNumericalAperture, "Numerical Aperture", 0.01, 0.0, 1.0, 9, 2, kNumericalAperture},
    {kSecondMomentWidth, "Second-Moment Width", 0.1, 0.0, 180.0, 0, 2, kAngularWidth},
    {kSecondMomentNA, "Second-Moment NA", 0.01, 0.0, 1.0, 9, 3, kNumericalAperture},
    {kFitWidth, "Gaussian Fit Width", 0.1, 0.0, 180.0, 0, 2, kAngularWidth},
    {kFitCenter, "Gaussian Fit Center", 0.1, -90.0, 90.0, 0, 2, kAngularCentroid},
    {kFitQuality, "Gaussian Fit Quality", 0.001, 0.0, 1.0, 9, 4, kNumericalAperture},
}};

constexpr int kDegrees = 0;

}  // namespace

const VariableInfo& VariableOf(uint16_t code) {
    return IsKnownVariable(code) ? kVariables[code - kAngularWidth] : kVariables[0];
}

bool IsKnownVariable(uint16_t code) { return code >= kAngularWidth && code <= kFitQuality; }

bool IsClassicVariable(uint16_t code) { return code >= kAngularWidth && code <= kNumericalAperture; }

uint16_t RecordVariable(const CTimeStatData& r) {
    return r.m_nMetricVariable != 0 ? r.m_nMetricVariable : r.m_nVariable;
}

void SetRecordVariable(CTimeStatData& r, uint16_t code) {
    const uint16_t known = IsKnownVariable(code) ? code : static_cast<uint16_t>(kAngularWidth);
    r.m_nVariable = VariableOf(known).standIn;
    r.m_nMetricVariable = IsClassicVariable(known) ? 0 : known;
}

const std::vector<uint16_t>& VariableListOrder() {
    static const std::vector<uint16_t> order{kAngularWidth,      kAngularCentroid, kAngularPeak,      kAngleRatio,
                                             kAmplitude,         kNumericalAperture, kModeFieldDiameter,
                                             kSecondMomentWidth, kSecondMomentNA,  kFitWidth,         kFitCenter,
                                             kFitQuality};
    return order;
}

bool IsVariableOffered(uint16_t code, const VariableContext& context) {
    switch (code) {
        case kAngleRatio: return context.perpendicular;
        case kModeFieldDiameter: return context.canComputeMfd;
        default: return IsKnownVariable(code);
    }
}

VariableContext VariableContextOf(const CVelor32Doc& document) {
    // The fiber parameter library is linked into the program, so the diameter can always be
    // computed; a profile it cannot use gives 0 like every other parameter.
    return {document.IsPerpendicular(), true};
}

std::optional<double> PointValue(const CVelor32Doc& doc, const CTimeStatData& r, int axis) {
    // A fit that failed gives no point rather than a number that means nothing.
    const auto fitted = [&](float ProfileMetrics::*figure) -> std::optional<double> {
        const ProfileMetrics& m = doc.GetProfileMetrics(axis);
        if (!m.fitted) return std::nullopt;
        return m.*figure;
    };
    switch (RecordVariable(r)) {
        case kAngularWidth: return doc.GetAngularWidth(axis, r.m_nClip);
        case kAngularCentroid: return doc.GetCentroidAngle(axis);
        case kAngularPeak: return doc.GetPeakAngle(axis);
        case kAngleRatio:
            if (!doc.IsPerpendicular()) return std::nullopt;
            return doc.GetWidthRatio(r.m_nClip);
        case kAmplitude: {
            const float angle = r.m_nAmplitudeRef == 0   ? doc.GetCentroidAngle(axis)
                                : r.m_nAmplitudeRef == 1 ? doc.GetPeakAngle(axis)
                                                         : static_cast<float>(r.m_nUserAngle) / 10.0f;
            return doc.GetAmplitudeAt(axis, angle);
        }
        case kModeFieldDiameter:
            if (!VariableContextOf(doc).canComputeMfd) return std::nullopt;
            return doc.GetModeFieldDiameter(axis);
        case kNumericalAperture: return doc.GetNumericalAperture(axis, r.m_nClip);
        case kSecondMomentWidth: return doc.GetProfileMetrics(axis).secondMomentWidth;
        case kSecondMomentNA: return doc.GetProfileMetrics(axis).secondMomentNA;
        case kFitWidth: return fitted(&ProfileMetrics::fitWidth);
        case kFitCenter: return fitted(&ProfileMetrics::fitCenter);
        case kFitQuality: return fitted(&ProfileMetrics::fitQuality);
        default: return std::nullopt;
    }
}

QString AmplitudeUnitText(uint16_t units, const QString& refUnits) {
    switch (units) {
        case 0: return QStringLiteral("(a.u.)");
        case 1: return QStringLiteral(" (cnts)");
        case 2: return QStringLiteral("(%1/sr)").arg(refUnits);
        default: return QStringLiteral("(dB)");
    }
}

QString SeriesName(const SeriesNameInput& in) {
    const double clip = in.clip / 10.0;
    const double phi = in.phi;
    const QString unit = AmplitudeUnitText(in.units, in.refUnits);
    switch (in.variable) {
        case kAngularCentroid: return QString::asprintf("Angular Centroid at %.1f\u00B0 (deg)", phi);
        case kAngularPeak: return QString::asprintf("Angular Peak at %.1f\u00B0 (deg)", phi);
        case kAngleRatio: return QString::asprintf("Angle Ratio at %.1f %% Width", clip);
        case kAmplitude:
            if (in.amplitudeRef == 0) return QString::asprintf("Centroid Amplitude at %.1f\u00B0 ", phi) + unit;
            if (in.amplitudeRef == 1) return QString::asprintf("Peak Amplitude at %.1f\u00B0 ", phi) + unit;
            return QString::asprintf("Amplitude for Theta = %.1f\u00B0 at %.1f\u00B0 ", in.userAngle / 10.0, phi) + unit;
        case kModeFieldDiameter: return QString::asprintf("Mode-Field Diameter at %.1f\u00B0 (\u00B5m)", phi);
        case kNumericalAperture: return QString::asprintf("%.1f%% Numerical Aperture at %.1f\u00B0", clip, phi);
        case kSecondMomentWidth: return QString::asprintf("Second-Moment Width at %.1f\u00B0 (deg)", phi);
        case kSecondMomentNA: return QString::asprintf("Second-Moment NA at %.1f\u00B0", phi);
        case kFitWidth: return QString::asprintf("Gaussian Fit Width at %.1f\u00B0 (deg)", phi);
        case kFitCenter: return QString::asprintf("Gaussian Fit Center at %.1f\u00B0 (deg)", phi);
        case kFitQuality: return QString::asprintf("Gaussian Fit R\u00B2 at %.1f\u00B0", phi);
        default: return QString::asprintf("%.1f%% Angular Width at %.1f\u00B0 (deg)", clip, phi);
    }
}

SeriesNameInput NameInputOf(const CTimeStatData& r, const CVelor32Doc& doc, int axis) {
    return {RecordVariable(r),      r.m_nClip,        r.m_nAmplitudeRef,
            r.m_nUserAngle,         doc.GetPhi(axis, kDegrees), doc.GetUnits(),
            QString::fromLatin1(doc.GetRefUnits())};
}

int SeriesAxis(const CTimeStatData& r, int series) { return r.m_nAxisSelection == 2 ? series : r.m_nAxisSelection; }

}  // namespace velor
