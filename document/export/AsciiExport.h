#pragma once
// The ASCII export of a measurement: the document's profiles, then each view's own text, in
// view order. A failed export leaves no file behind.

#include <QString>

namespace velor {

class CVelor32Doc;
class UserPrompt;

bool ExportAscii(CVelor32Doc& document, const QString& path, UserPrompt& prompt);

}  // namespace velor
