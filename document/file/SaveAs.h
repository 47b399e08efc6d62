#pragma once
// The decisions of Save As that need no dialog: the file kinds it offers, the name the chosen
// kind gives the file, and when a data file may not be saved.

#include <QString>
#include <array>

namespace velor {

class CVelor32Doc;
class DataFile;
class FrameWindow;
class UserPrompt;

enum class SaveAsKind { DataFile, ConfigurationFile, Data3D, Ascii, Bitmap, Hdf5 };

struct SaveAsFilter {
    const char* description;
    const char* pattern;
    const char* extension;
    SaveAsKind kind;
};

// In the order the dialog lists them; HDF5 for analysis scripts after the classic five.
inline constexpr std::array<SaveAsFilter, 6> kSaveAsFilters{{
    {"Data Files (*.VNQ)", "*.VNQ", "vnq", SaveAsKind::DataFile},
    {"Configuration Files (*.CFG)", "*.CFG", "cfg", SaveAsKind::ConfigurationFile},
    {"3D Data Files (*.PRW)", "*.PRW", "prw", SaveAsKind::Data3D},
    {"ASCII Files (*.ASC)", "*.ASC", "asc", SaveAsKind::Ascii},
    {"Bitmap Files (*.BMP)", "*.BMP", "bmp", SaveAsKind::Bitmap},
    {"HDF5 (*.h5)", "*.h5", "h5", SaveAsKind::Hdf5},
}};

// The chosen name with its extension replaced by the filter's: everything after the last "."
// of the file's name is replaced; a name without one gets "." and the extension. Dots in
// folder names are not extensions.
QString ReplaceExtension(const QString& path, const QString& extension);

// A data file cannot be saved in replay or cross-section mode: tells the user and returns
// true. Configuration files and exports are not affected.
bool RefuseDataFileSave(const CVelor32Doc& document, UserPrompt& prompt);

// Save As gives the chosen name the kind's extension. A file of the resulting name that the
// file dialog did not already confirm is replaced only if the user agrees; true when the
// save may go ahead.
bool ConfirmReplacement(UserPrompt& prompt, const QString& confirmedName, const QString& path);

enum class SaveOutcome { Saved, Failed, Refused, Cancelled, NeedsSaveAs };

// File > Save has no file to go to and must ask for a name (see SaveDocument).
bool SaveNeedsDialog(const CVelor32Doc& document);

// File > Save: back to the document's own file, which is the last data file it was loaded
// from or saved as. NeedsSaveAs when it has none, and when its file is a configuration file
// but it now holds a measurement, which settings alone would lose.
SaveOutcome SaveDocument(CVelor32Doc& document, DataFile& file, UserPrompt& prompt);

// File > Save As once the dialog has been answered, for the data and configuration kinds:
// the chosen name takes the kind's extension, and the saved file goes to the recent files. A
// data file becomes the document's own file; a configuration file leaves that as it was.
SaveOutcome SaveDocumentAs(CVelor32Doc& document, DataFile& file, UserPrompt& prompt,
                           FrameWindow& frame, const QString& chosenName, SaveAsKind kind);

}  // namespace velor
