#include "app/automation/AutomationMembers.h"

#include <QList>
#include <vector>

#include "document/DocumentArrays.h"
#include "document/DocumentFrame.h"
#include "document/SettingsLimits.h"
#include "document/Velor32Doc.h"

namespace velor {
namespace {

using Doc = CVelor32Doc;

QVariant Doubles(const std::vector<float>& values) {
    QList<double> out;
    out.reserve(static_cast<int>(values.size()));
    for (float v : values) out.append(static_cast<double>(v));
    return QVariant::fromValue(out);
}

float Float(const QVariant& v) { return static_cast<float>(v.toDouble()); }
QVariant Short(int v) { return QVariant::fromValue(static_cast<short>(v)); }
QVariant Double(float v) { return QVariant(static_cast<double>(v)); }
const QVariant kNothing;

// The dialogs' ranges.
ValueLimits GainLimits(const Doc& d) {
    // The Sensitivity dialog offers the head's own range; without a known head, every code
    // the board accepts.
    const double high = d.m_nHeadType == 0 ? 139 : d.m_nHeadType == 1 ? 159 : kMaxGainCode;
    return {0, high, false, " dB"};
}
// The settings' own ranges, which the dialogs and the loader use as well.
ValueLimits FromRange(const ValueRange& range, const char* unit) { return {range.low, range.high, range.highExcluded, unit}; }
ValueLimits DistanceLimits(const Doc&) { return FromRange(kUserDistanceRange, " cm"); }
ValueLimits IncrementLimits(const Doc&) { return {1, kSamplesPerProfile, false, ""}; }
ValueLimits WavelengthLimits(const Doc&) { return FromRange(kWavelengthRange, " nm"); }
// Anything above the field of view is brought down to it, as the dialog's limit is.
ValueLimits AngularLimitLimits(const Doc&) { return FromRange(kAngularLimitRange, "\u00B0"); }
ValueLimits FrequencyLimits(const Doc&) { return FromRange(kSourceFrequencyRange, " kHz"); }
ValueLimits PhiLimits(const Doc&) { return FromRange(kPhiRange, "\u00B0"); }
ValueLimits ClipLimits(const Doc&) { return {0, 100, false, " %"}; }
ValueLimits GainRangeLimits(const Doc&) { return {kMinGainRanges, kMaxGainRanges, false, ""}; }

const ProfileMetrics& SelectedMetrics(const Doc& d) { return d.GetProfileMetrics(d.GetSelectedAxis()); }

StationNeed InstrumentWhenSwitchedOn(const QVariant& on) {
    return on.toBool() ? StationNeed::Instrument : StationNeed::Nothing;
}

// Declaration order is the order clients see in the introspection data.
const AutomationProperty kProperties[] = {
    {"ShowWindow", DBusType::Bool, true, [](const Doc& d) { return QVariant(d.GetShowWindow()); },
     [](Doc& d, const QVariant& v) { d.SetShowWindow(v.toBool()); }, nullptr, nullptr},
    {"ScanAcquisition", DBusType::Bool, false, [](const Doc& d) { return QVariant(d.GetScanAcquisition()); },
     [](Doc& d, const QVariant& v) { d.SetScanAcquisition(v.toBool()); }, nullptr, InstrumentWhenSwitchedOn},
    {"SignalGain", DBusType::Int16, false, [](const Doc& d) { return Short(d.GetSignalGain()); },
     [](Doc& d, const QVariant& v) { d.SetSignalGain(v.toInt()); }, GainLimits, nullptr},
    {"ApertureSourceDistance", DBusType::Double, false,
     [](const Doc& d) { return Double(d.GetApertureSourceDistance()); },
     [](Doc& d, const QVariant& v) { d.SetApertureSourceDistance(Float(v)); }, DistanceLimits, nullptr},
    {"BlindSpotCorrection", DBusType::Bool, false,
     [](const Doc& d) { return QVariant(d.GetBlindSpotCorrection()); },
     [](Doc& d, const QVariant& v) { d.SetBlindSpotCorrection(v.toBool()); }, nullptr, nullptr},
    {"DataIncrement", DBusType::Int16, false, [](const Doc& d) { return Short(d.GetDataIncrement()); },
     [](Doc& d, const QVariant& v) { d.SetDataIncrement(static_cast<int16_t>(v.toInt())); }, IncrementLimits,
     nullptr},
    {"Wavelength", DBusType::Double, false, [](const Doc& d) { return Double(d.GetWavelength()); },
     [](Doc& d, const QVariant& v) { d.SetWavelength(Float(v)); }, WavelengthLimits, nullptr},
    {"AngularLimit", DBusType::Double, false, [](const Doc& d) { return Double(d.GetAngularLimit()); },
     [](Doc& d, const QVariant& v) { d.SetAngularLimit(Float(v)); }, AngularLimitLimits, nullptr},
    {"PulsedMode", DBusType::Bool, false, [](const Doc& d) { return QVariant(d.GetPulsedMode()); },
     [](Doc& d, const QVariant& v) { d.SetPulsedMode(v.toBool()); }, nullptr, nullptr},
    {"SourceFrequency", DBusType::Double, false, [](const Doc& d) { return Double(d.GetSourceFrequency()); },
     [](Doc& d, const QVariant& v) { d.SetSourceFrequency(Float(v)); }, FrequencyLimits, nullptr},
    {"GainRanges", DBusType::Int16, false, [](const Doc& d) { return Short(d.GetGainRanges()); },
     [](Doc& d, const QVariant& v) { d.SetGainRanges(v.toInt()); }, GainRangeLimits, nullptr},
};

const AutomationMethod kMethods[] = {
    {"GoToPhiAngle", "phi", DBusType::Double, DBusType::None, true,
     [](Doc& d, const QVariant& a) { d.GoToPhiAngle(Float(a)); return kNothing; }, PhiLimits,
     StationNeed::Nothing},
    {"GetCenter", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetCenter()); }, nullptr, StationNeed::Nothing},
    {"GetPeakPosition", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetPeakPosition()); }, nullptr, StationNeed::Nothing},
    {"GetPeakWidth", "clipPercent", DBusType::Double, DBusType::Double, false,
     [](Doc& d, const QVariant& a) { return Double(d.GetPeakWidth(Float(a))); }, ClipLimits,
     StationNeed::Nothing},
    // Takes effect once no 3D run or dialog holds the program; no question is asked.
    {"Exit", nullptr, DBusType::None, DBusType::None, false,
     [](Doc& d, const QVariant&) { d.Environment().frame.RequestExit(); return kNothing; }, nullptr, StationNeed::Nothing},
    {"GetPeakIrradiance", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetPeakIrradiance()); }, nullptr, StationNeed::Nothing},
    {"GetNumPts", nullptr, DBusType::None, DBusType::Int16, false,
     [](Doc& d, const QVariant&) { return Short(d.GetNumPts()); }, nullptr, StationNeed::Nothing},
    {"GetProfileData", nullptr, DBusType::None, DBusType::DoubleArray, false,
     [](Doc& d, const QVariant&) { return Doubles(d.GetProfileDataArray()); }, nullptr, StationNeed::Nothing},
    {"GetProfileAngle", nullptr, DBusType::None, DBusType::DoubleArray, false,
     [](Doc& d, const QVariant&) { return Doubles(d.GetProfileAngleArray()); }, nullptr, StationNeed::Nothing},
    {"MotorGoHome", nullptr, DBusType::None, DBusType::Bool, true,
     [](Doc& d, const QVariant&) { return QVariant(d.MotorGoHome()); }, nullptr,
     StationNeed::MotionController},
    // The gain found; an error with the status bar's report when none was.
    {"AutoGain", nullptr, DBusType::None, DBusType::Int16, true,
     [](Doc& d, const QVariant&) {
         const int result = d.AutoGain();
         if (result == 1) return Short(d.GetSignalGain());
         return QVariant::fromValue(
             AutomationError{QString::fromLatin1(kAutoGainFailedError), d.AutoGainReport(result)});
     },
     nullptr,
     StationNeed::Instrument},
    {"Go90Deg", "up", DBusType::Bool, DBusType::None, true,
     [](Doc& d, const QVariant& a) { d.Go90Deg(a.toBool()); return kNothing; }, nullptr,
     StationNeed::MotionController},
    {"IsSaturated", nullptr, DBusType::None, DBusType::Bool, false,
     [](Doc& d, const QVariant&) { return QVariant(d.IsSaturated()); }, nullptr, StationNeed::Nothing},
    {"GetNA", "clipPercent", DBusType::Double, DBusType::Double, false,
     [](Doc& d, const QVariant& a) { return Double(d.GetNA(Float(a))); }, ClipLimits,
     StationNeed::Nothing},
    {"GetMFD", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetMFD()); }, nullptr, StationNeed::Nothing},
    {"IncrementPhi", "code", DBusType::Int16, DBusType::None, true,
     [](Doc& d, const QVariant& a) { d.IncrementPhi(a.toInt()); return kNothing; }, nullptr,
     StationNeed::MotionController},
    {"GetCurrentPhi", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetCurrentPhi()); }, nullptr, StationNeed::Nothing},
    // The beam metrics: the selected axis's profile (the fit's three 0 for "no fit"), and the
    // 3D data set's shape.
    {"GetSecondMomentWidth", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(SelectedMetrics(d).secondMomentWidth); }, nullptr,
     StationNeed::Nothing},
    {"GetSecondMomentNA", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(SelectedMetrics(d).secondMomentNA); }, nullptr,
     StationNeed::Nothing},
    {"GetFitWidth", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(SelectedMetrics(d).fitWidth); }, nullptr, StationNeed::Nothing},
    {"GetFitCenter", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(SelectedMetrics(d).fitCenter); }, nullptr, StationNeed::Nothing},
    {"GetFitQuality", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(SelectedMetrics(d).fitQuality); }, nullptr, StationNeed::Nothing},
    {"GetMajorDivergence", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetBeamShape().majorDivergence); }, nullptr,
     StationNeed::Nothing},
    {"GetMinorDivergence", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetBeamShape().minorDivergence); }, nullptr,
     StationNeed::Nothing},
    {"GetEllipticity", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetBeamShape().ellipticity); }, nullptr, StationNeed::Nothing},
    {"GetOrientation", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetBeamShape().orientation); }, nullptr, StationNeed::Nothing},
    // After the members clients have always known, so that their positions stay.
    {"GetEffectiveArea", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetEffectiveArea()); }, nullptr, StationNeed::Nothing},
};

}  // namespace

QString CheckLimits(const char* member, const ValueLimits& limits, double value) {
    const bool within = value >= limits.low && (limits.highExcluded ? value < limits.high : value <= limits.high);
    if (within) return QString();
    return QStringLiteral("%1 takes %2 to %3%4%5; %6 is refused")
        .arg(QLatin1String(member), QString::number(limits.low), limits.highExcluded ? QStringLiteral("below ") : QString(),
             QString::number(limits.high), QString::fromUtf8(limits.unit), QString::number(value));
}

const char* SignatureOf(DBusType type) {
    switch (type) {
        case DBusType::Bool: return "b";
        case DBusType::Int16: return "n";
        case DBusType::Double: return "d";
        case DBusType::DoubleArray: return "ad";
        case DBusType::None: break;
    }
    return "";
}

QVariant ZeroOf(DBusType type) {
    switch (type) {
        case DBusType::Bool: return QVariant(false);
        case DBusType::Int16: return Short(0);
        case DBusType::Double: return QVariant(0.0);
        case DBusType::DoubleArray: return QVariant::fromValue(QList<double>());
        case DBusType::None: break;
    }
    return QVariant();
}

std::span<const AutomationProperty> AutomationProperties() { return kProperties; }
std::span<const AutomationMethod> AutomationMethods() { return kMethods; }

}  // namespace velor
