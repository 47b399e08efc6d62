#pragma once
// The power view's part of the ASCII export: the 3D centroid, the calibration, the results
// and the whole curve, appended to the file the document's part began.

#include <QByteArray>
#include <QString>

#include "views/power/PowerMath.h"
#include "views/power/PowerModel.h"

namespace velor {

class CVelor32Doc;
struct CPowerData;

// The section's bytes: 8-bit text, CR LF line ends, the degree sign as byte 0xB0.
QByteArray PowerExportText(const CPowerData& record, const PowerSnapshot& snapshot, const PowerResults& results);

// Computes the results from the document as a redraw does (zero without a calibration) and
// appends the section to the export's text.
void AppendPowerExport(QByteArray& text, CPowerData& record, CVelor32Doc& document);

}  // namespace velor
