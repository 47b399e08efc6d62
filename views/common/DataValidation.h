#pragma once
// The standard checks of a numeric dialog field, with the usual messages shown under the
// application's name as caption.

#include <QString>
#include <optional>

namespace velor {

// What a field that must hold a number says when it holds something else.
inline const QString kEnterNumberText = QStringLiteral("Please enter a number.");

// The whole text (blanks around it aside) as a finite number; nothing when it is not one.
std::optional<double> ReadNumberField(const QString& text);

struct FloatFieldCheck {
    std::optional<float> value;  // set when the text is a number within the bounds
    QString message;             // otherwise: what to tell the user
};

// The whole text (blanks around it aside) must be a finite number from low to high inclusive.
FloatFieldCheck CheckFloatField(const QString& text, float low, float high);

struct IntFieldCheck {
    std::optional<long long> value;  // set when the text is a whole number within the bounds
    QString message;                 // otherwise: what to tell the user
};

// The whole text (blanks around it aside) must be a whole number from low to high inclusive.
IntFieldCheck CheckIntField(const QString& text, long long low, long long high);

// A text field holds at most this many characters.
QString TooLongMessage(int maxCharacters);

// How a float is written into a field: up to six significant digits, no trailing zeros.
QString FormatFloatField(float value);

}  // namespace velor
