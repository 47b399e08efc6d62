#pragma once
// The measurement in HDF5 for analysis scripts: settings as attributes with their units, the
// angle grid in radians and degrees, each measured axis's profile with its angles, the 3D data
// set with its azimuths and per-scan noise, the standard parameters (StandardParameters.h) and
// the note in UTF-8, in a layout that keeps its names from version to version (README, "HDF5
// export"). The library builds the file in memory; the bytes then go through the checked
// writer, so a failed export leaves any earlier file as it was.

#include <QByteArray>
#include <QString>

#include "common/WholeFileWrite.h"

namespace velor {

class CVelor32Doc;
class UserPrompt;

// The layout's version, in the root's "format_version" attribute: raised only when a name or a
// meaning changes, never for an addition.
inline constexpr int kHdf5FormatVersion = 1;

struct Hdf5Source {
    QString note;        // the measurement's note as text
    QString sourceFile;  // the data file's name, when there is one
};

// The file's bytes; empty, with the library's reason in *error, when it cannot be built.
QByteArray Hdf5ExportBytes(CVelor32Doc& document, const Hdf5Source& source, QString* error = nullptr);

// The file written whole at path.
WriteResult ExportHdf5(CVelor32Doc& document, const Hdf5Source& source, const QString& path);

}  // namespace velor
