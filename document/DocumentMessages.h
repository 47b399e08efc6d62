#pragma once
// Texts the document shows the user, kept word for word as users and their procedures know them.

#include <QString>

namespace velor::msg {

inline const QString kNotEnoughMemory = QStringLiteral("Not enough memory");

inline const QString kResetDataViews =
    QStringLiteral("This operation will reset all data views.\nDo you want to continue?");
inline const QString kResetDataViewsCaption = QStringLiteral("Procedure warning");

inline const QString kAngularLimitExceeded = QStringLiteral(
    "Angular Limit for integral computation exceeds the Field of View.\n"
    "The angular limit was automatically set to %1");
inline const QString kAngularLimitCaption = QStringLiteral("Invalid Angular Limit");

inline const QString kCardNotResponding = QStringLiteral(
    "Tarvisco card not responding.\nRun the Tarvisco Configuration program and make sure the "
    "address and IRQ selection match the jumper settings on your Tarvisco card.");
inline const QString kCardNotRespondingCaption = QStringLiteral("Data Acquisition Error");

inline const QString kSignalSaturated = QStringLiteral("Signal is saturated!");

}  // namespace velor::msg
