// The document's part of the ASCII export: the gain, then the profiles in counts, one line
// per point, CR LF line ends and the degree sign as the single byte 0xB0.

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "document/Velor32Doc.h"

namespace velor {
namespace {

// printf-style formatting into the 8-bit text the export files have always been.
void Append(QByteArray& out, const char* format, ...) {
    char line[256];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (n > 0) out.append(line, std::min<int>(n, sizeof line - 1));
}

}  // namespace

QByteArray CVelor32Doc::TextExport() const {
    QByteArray text;
    Append(text, "Gain =\t%d\r\n", m_nSignalGain);
    if (!IsCrossSectionMode()) {
        const bool both = m_nScanMode == 2;
        if (both) {
            Append(text, "\r\nTheta [rad]\tPhi = %.3f\xB0\tPhi = %.3f\xB0\r\n", GetPhi(0, 0),
                   GetPhi(1, 0));
        } else {
            Append(text, "\r\nTheta [rad]\tPhi = %.3f\xB0\r\n", GetPhi(0, 0));
        }
        for (int j = 0; j < m_nNumPoints[0]; ++j) {
            Append(text, "%+09.06f\t", m_arrays.angleGrid[j]);
            Append(text, "%10.2f\t", m_arrays.profile[0][j]);
            if (both) Append(text, "%10.2f", m_arrays.profile[1][j]);
            text.append("\r\n");
        }
    } else {
        for (int axis = 0; axis < 2; ++axis) {
            Append(text, "\r\nPhi' = \t%.2f\xB0\r\n", GetPhi(axis, 0));
            text.append("Theta [rad]\tData\r\n");
            for (int j = 0; j < m_nNumPoints[axis]; ++j) {
                Append(text, "%+09.06f\t", m_arrays.profileAngles[axis][j]);
                Append(text, "%10.2f\r\n", m_arrays.profile[axis][j]);
            }
        }
    }
    return text;
}

}  // namespace velor
