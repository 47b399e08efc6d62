#pragma once
// What the Data Collection dialogs share: their OK and Cancel buttons, and the check of a
// number field on OK with the usual messages.

#include <QString>
#include <optional>

#include "common/UserPrompt.h"

class QBoxLayout;
class QDialog;
class QDialogButtonBox;
class QLineEdit;

namespace velor {

// OK and Cancel at the foot of the dialog, wired to accept and reject. A disabled OK leaves
// Cancel as the only way out: the dialog then only shows the current values.
QDialogButtonBox* AddOkCancel(QDialog& dialog, QBoxLayout& layout, bool okEnabled);

// The field's text as a number from low to high inclusive; otherwise the user is told, the
// focus goes back to the field with its text selected, and nothing is returned.
std::optional<double> ReadNumberField(QLineEdit& field, double low, double high,
                                      UserPrompt& prompt);

// How a value is written into a field: up to six significant digits, no trailing zeros.
QString FieldText(double value);

}  // namespace velor
