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

struct AutomationProperty {
    const char* name;
    DBusType type;
    bool notifiesChange;  // announced with PropertiesChanged
    QVariant (*get)(const CVelor32Doc& document);
    void (*set)(CVelor32Doc& document, const QVariant& value);
};

struct AutomationMethod {
    const char* name;
    const char* argumentName;  // null: no argument
    DBusType argument;
    DBusType result;
    // Moves the stage or changes the document: refused while a 3D run holds it.
    bool changesDocument;
    QVariant (*call)(CVelor32Doc& document, const QVariant& argument);
};

std::span<const AutomationProperty> AutomationProperties();
std::span<const AutomationMethod> AutomationMethods();

}  // namespace velor
