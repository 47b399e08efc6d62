#pragma once
// Texts the document shows the user, kept word for word as users and their procedures know them.

#include <QString>

namespace velor::msg {

inline const QString kNotEnoughMemory = QStringLiteral("Not enough memory");

inline const QString kResetDataViews =
    QStringLiteral("This operation will reset all data views.\nDo you want to continue?");
inline const QString kResetDataViewsCaption = QStringLiteral("Procedure warning");

// The data views' own question before they erase what they collected.
inline const QString kEraseCollectedData =
    QStringLiteral("The graph contains data that will be erased by this operation\n Erase ?");

inline const QString kAngularLimitExceeded = QStringLiteral(
    "Angular Limit for integral computation exceeds the Field of View.\n"
    "The angular limit was automatically set to %1");
inline const QString kAngularLimitCaption = QStringLiteral("Invalid Angular Limit");

inline const QString kCardNotResponding = QStringLiteral(
    "Tarvisco card not responding.\nRun the Tarvisco Configuration program and make sure the "
    "address and IRQ selection match the jumper settings on your Tarvisco card.");
inline const QString kCardNotRespondingCaption = QStringLiteral("Data Acquisition Error");

inline const QString kSignalSaturated = QStringLiteral("Signal is saturated!");
inline const QString kSaturated3D = QStringLiteral(
    "Signal is saturated!\nPlease repeat the 3D measurement with a lower signal gain.");
inline const QString kNoTimersAvailable = QStringLiteral("No timers available");
inline const QString kApertureChanged = QStringLiteral("Aperture changed during data acquisition!");
inline const QString kApertureChangedCaption = QStringLiteral("DoDataAcquisition");
inline const QString kDone = QStringLiteral("DONE!");
inline const QString kSignalTooLow = QStringLiteral("Signal level is too low. Increase signal gain.");
inline const QString kMotionFailureCaption = QStringLiteral("Motion Control Position Failure");
inline const QString kMotionFailure = QStringLiteral(
    "System diagnostics have determined an error in the motion control system.\nData may be "
    "corrupted. Click the Retry button to take another data set.\n"
    "Please contact Lumora Inc. technical support.");
inline const QString k3DProgressTitle = QStringLiteral("3D Acquisition Progress");

}  // namespace velor::msg
