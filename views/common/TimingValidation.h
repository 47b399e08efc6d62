#pragma once
// The rules the Timing dialog applies to a plot frequency on OK, kept free of widgets so they
// can be checked on their own.

#include <QString>
#include <cstdint>

#include "common/UserPrompt.h"

namespace velor {

// Units of the update rate, in the order of the dialog's list and of the stored unit code.
enum TimingUnit : int { kPerSecond = 0, kPerMinute = 1, kPerHour = 2 };
inline constexpr int kTimingUnitCount = 3;

inline const QString kTimingCaption = QStringLiteral("Parameter error");
inline const QString kTimingEmptyText = QStringLiteral("Zero length timing string");
inline const QString kTimingZeroQuestion =
    QStringLiteral("The sample is zero\n Is this what you want?");

// "Updates/Sec", "Updates/Min", "Updates/Hour"; empty for a unit outside the list.
QString TimingUnitName(int unit);

// The highest rate accepted in a unit for an instrument that manages maxRate updates per
// second, capped at the largest rate the 16-bit setting can hold.
uint32_t TimingLimit(int unit, unsigned maxRate);

enum class TimingVerdict {
    Accept,   // store rate and unit
    AskZero,  // ask the question in message; on Yes store rate (0) and unit
    Refuse,   // show message; the dialog stays open
};

struct TimingCheck {
    TimingVerdict verdict = TimingVerdict::Refuse;
    uint16_t rate = 0;       // the rate to store (Accept, AskZero)
    int unit = kPerSecond;   // the unit to store, moved on by a decimal value
    bool converted = false;  // a decimal value was turned into a whole number (maybe of unit)
    double value = 0;        // the whole number understood, for showing after a conversion
    QString message;         // refusal or question text
    PromptIcon icon = PromptIcon::None;  // the icon the message is shown with
};

// Text is the edit's content, which must be a number as a whole (blanks around it aside); unit
// is 0..2 (others are read as per second).
TimingCheck ValidateTiming(const QString& text, int unit, unsigned maxRate);

}  // namespace velor
