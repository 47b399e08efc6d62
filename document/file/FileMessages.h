#pragma once
// Texts of the data-file messages, word for word (spelling included) as users know them.

#include <QString>

namespace velor::filemsg {

inline const QString kFileErrorCaption = QStringLiteral("File Error");
inline const QString kCouldNotReadFile = QStringLiteral("Could not read file");
inline const QString kCouldNotSaveFile = QStringLiteral("Could not save file");
inline const QString kFileCorrupted = QStringLiteral("Data file has become corrupted");
inline const QString kNotOurFile = QStringLiteral(
    "The selected file is either not a Lumora file\nor it is not asscoiated with this program.");
inline const QString kNewerVersion = QStringLiteral(
    "File version is different than expected.\nWould you like to attempt to load it anyway?");
inline const QString kSaveRefusedInReplay = QStringLiteral(
    "Data Files (*.VNQ) cannot be saved while software is in\nReplay Mode or Computed Cross "
    "Sections Replay Mode!\n\nExit from the current mode and then save the Data File.");

// The framework's reports when a file cannot be opened at all; the system's reason follows
// on a second line.
inline const QString kFailedToOpenDocument = QStringLiteral("Failed to open document.");
inline const QString kFailedToSaveDocument = QStringLiteral("Failed to save document.");
inline const QString kFailedToCreateDocument = QStringLiteral("Failed to create empty document.");

}  // namespace velor::filemsg
