#pragma once
// The ASCII export of a measurement: the document's profiles, then each view's own text, in
// view order. The text is made whole and then written in one go: a failed export leaves any
// earlier file of that name as it was and no partial file behind, and is reported.

#include <QString>

#include "common/WholeFileWrite.h"

namespace velor {

class CVelor32Doc;
class UserPrompt;

bool ExportAscii(CVelor32Doc& document, const QString& path, UserPrompt& prompt);
// The text ExportAscii writes.
QByteArray AsciiExportText(CVelor32Doc& document);

// Tells the user of a failed 3D data export ("Could not save file", with the system's reason);
// true when the export was written.
bool Report3dExport(const WriteResult& result, const QString& path, UserPrompt& prompt);

}  // namespace velor
