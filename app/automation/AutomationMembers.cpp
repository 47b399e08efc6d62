#include "app/automation/AutomationMembers.h"

#include <QList>
#include <vector>

#include "document/DocumentFrame.h"
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

// Declaration order is the order clients see in the introspection data.
const AutomationProperty kProperties[] = {
    {"ShowWindow", DBusType::Bool, true, [](const Doc& d) { return QVariant(d.GetShowWindow()); },
     [](Doc& d, const QVariant& v) { d.SetShowWindow(v.toBool()); }},
    {"ScanAcquisition", DBusType::Bool, false, [](const Doc& d) { return QVariant(d.GetScanAcquisition()); },
     [](Doc& d, const QVariant& v) { d.SetScanAcquisition(v.toBool()); }},
    {"SignalGain", DBusType::Int16, false, [](const Doc& d) { return Short(d.GetSignalGain()); },
     [](Doc& d, const QVariant& v) { d.SetSignalGain(v.toInt()); }},
    {"ApertureSourceDistance", DBusType::Double, false,
     [](const Doc& d) { return Double(d.GetApertureSourceDistance()); },
     [](Doc& d, const QVariant& v) { d.SetApertureSourceDistance(Float(v)); }},
    {"BlindSpotCorrection", DBusType::Bool, false,
     [](const Doc& d) { return QVariant(d.GetBlindSpotCorrection()); },
     [](Doc& d, const QVariant& v) { d.SetBlindSpotCorrection(v.toBool()); }},
    {"DataIncrement", DBusType::Int16, false, [](const Doc& d) { return Short(d.GetDataIncrement()); },
     [](Doc& d, const QVariant& v) { d.SetDataIncrement(static_cast<int16_t>(v.toInt())); }},
    {"Wavelength", DBusType::Double, false, [](const Doc& d) { return Double(d.GetWavelength()); },
     [](Doc& d, const QVariant& v) { d.SetWavelength(Float(v)); }},
    {"AngularLimit", DBusType::Double, false, [](const Doc& d) { return Double(d.GetAngularLimit()); },
     [](Doc& d, const QVariant& v) { d.SetAngularLimit(Float(v)); }},
    {"PulsedMode", DBusType::Bool, false, [](const Doc& d) { return QVariant(d.GetPulsedMode()); },
     [](Doc& d, const QVariant& v) { d.SetPulsedMode(v.toBool()); }},
    {"SourceFrequency", DBusType::Double, false, [](const Doc& d) { return Double(d.GetSourceFrequency()); },
     [](Doc& d, const QVariant& v) { d.SetSourceFrequency(Float(v)); }},
};

const AutomationMethod kMethods[] = {
    {"GoToPhiAngle", "phi", DBusType::Double, DBusType::None, true,
     [](Doc& d, const QVariant& a) { d.GoToPhiAngle(Float(a)); return kNothing; }},
    {"GetCenter", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetCenter()); }},
    {"GetPeakPosition", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetPeakPosition()); }},
    {"GetPeakWidth", "clipPercent", DBusType::Double, DBusType::Double, false,
     [](Doc& d, const QVariant& a) { return Double(d.GetPeakWidth(Float(a))); }},
    // Takes effect once no 3D run or dialog holds the program; no question is asked.
    {"Exit", nullptr, DBusType::None, DBusType::None, false,
     [](Doc& d, const QVariant&) { d.Environment().frame.RequestExit(); return kNothing; }},
    {"GetPeakIrradiance", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetPeakIrradiance()); }},
    {"GetNumPts", nullptr, DBusType::None, DBusType::Int16, false,
     [](Doc& d, const QVariant&) { return Short(d.GetNumPts()); }},
    {"GetProfileData", nullptr, DBusType::None, DBusType::DoubleArray, false,
     [](Doc& d, const QVariant&) { return Doubles(d.GetProfileDataArray()); }},
    {"GetProfileAngle", nullptr, DBusType::None, DBusType::DoubleArray, false,
     [](Doc& d, const QVariant&) { return Doubles(d.GetProfileAngleArray()); }},
    {"MotorGoHome", nullptr, DBusType::None, DBusType::Bool, true,
     [](Doc& d, const QVariant&) { return QVariant(d.MotorGoHome()); }},
    {"AutoGain", nullptr, DBusType::None, DBusType::None, true,
     [](Doc& d, const QVariant&) { d.AutoGain(); return kNothing; }},
    {"Go90Deg", "up", DBusType::Bool, DBusType::None, true,
     [](Doc& d, const QVariant& a) { d.Go90Deg(a.toBool()); return kNothing; }},
    {"IsSaturated", nullptr, DBusType::None, DBusType::Bool, false,
     [](Doc& d, const QVariant&) { return QVariant(d.IsSaturated()); }},
    {"GetNA", "clipPercent", DBusType::Double, DBusType::Double, false,
     [](Doc& d, const QVariant& a) { return Double(d.GetNA(Float(a))); }},
    {"GetMFD", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetMFD()); }},
    {"IncrementPhi", "code", DBusType::Int16, DBusType::None, true,
     [](Doc& d, const QVariant& a) { d.IncrementPhi(a.toInt()); return kNothing; }},
    {"GetCurrentPhi", nullptr, DBusType::None, DBusType::Double, false,
     [](Doc& d, const QVariant&) { return Double(d.GetCurrentPhi()); }},
};

}  // namespace

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
