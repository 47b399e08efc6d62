#pragma once
// The automation interface as a table: every property and method under its own name, in the
// order clients see them, with its D-Bus type and what it does to the document. The rules
// stay in the document; the table only converts types (D-Bus has no 32-bit float: floats
// travel as double, float arrays as "ad").

#include <QVariant>
#include <span>

namespace velor {

class CVelor32Doc;

enum class DBusType { None, Bool, Int16, Double, DoubleArray };

// "b", "n", "d", "ad"; empty for None.
const char* SignatureOf(DBusType type);
// A value of the type that stands for "nothing": false, 0, 0.0 or an empty array.
QVariant ZeroOf(DBusType type);

// The values a number may take: what the matching dialog or command accepts.
struct ValueLimits {
    double low;
    double high;
    bool highExcluded;  // [low, high) rather than [low, high]
    const char* unit;   // as the refusal names it, with its leading blank ("" for none)
};
using LimitsOf = ValueLimits (*)(const CVelor32Doc& document);

// What a call needs of the station: a viewing station answers such a call at once with an
// error carrying the program's message, rather than opening a message box.
enum class StationNeed { Nothing, Instrument, MotionController };

struct AutomationProperty {
    const char* name;
    DBusType type;
    bool notifiesChange;  // announced with PropertiesChanged
    QVariant (*get)(const CVelor32Doc& document);
    void (*set)(CVelor32Doc& document, const QVariant& value);
    LimitsOf limits;                           // null: any value of the type
    StationNeed (*needs)(const QVariant& value);  // null: nothing
};

struct AutomationMethod {
    const char* name;
    const char* argumentName;  // null: no argument
    DBusType argument;
    DBusType result;
    // Moves the stage or changes the document: refused while a 3D run holds it.
    bool changesDocument;
    QVariant (*call)(CVelor32Doc& document, const QVariant& argument);
    LimitsOf limits;  // of the argument; null: any value of the type
    StationNeed needs;
};

// A method that ran but could not do what it was asked answers with this D-Bus error.
struct AutomationError {
    QString name;
    QString text;
};
// Auto gain found no gain that puts the peak in range (the error's text says what was set).
inline constexpr char kAutoGainFailedError[] = "com.lumora.OrbiscanViewer.Error.AutoGainFailed";

// Empty when the value is within the limits; else the refusal naming the member and its range.
QString CheckLimits(const char* member, const ValueLimits& limits, double value);

std::span<const AutomationProperty> AutomationProperties();
std::span<const AutomationMethod> AutomationMethods();

}  // namespace velor

Q_DECLARE_METATYPE(velor::AutomationError)
