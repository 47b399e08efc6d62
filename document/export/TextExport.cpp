// The document's part of the ASCII export: the gain, then the profiles in counts, one line
// per point, CR LF line ends and the degree sign as the single byte 0xB0. A value that rounds
// to zero is written without a sign.

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "common/FixedText.h"
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
            Append(text, "\r\nTheta [rad]\tPhi = %.3f\xB0\tPhi = %.3f\xB0\r\n",
                   WithoutNegativeZero(GetPhi(0, 0), 3), WithoutNegativeZero(GetPhi(1, 0), 3));
        } else {
            Append(text, "\r\nTheta [rad]\tPhi = %.3f\xB0\r\n", WithoutNegativeZero(GetPhi(0, 0), 3));
        }
        for (int j = 0; j < m_nNumPoints[0]; ++j) {
            Append(text, "%+09.06f\t", WithoutNegativeZero(m_arrays.angleGrid[j], 6));
            Append(text, "%10.2f\t", WithoutNegativeZero(m_arrays.profile[0][j], 2));
            if (both) Append(text, "%10.2f", WithoutNegativeZero(m_arrays.profile[1][j], 2));
            text.append("\r\n");
        }
    } else {
        for (int axis = 0; axis < 2; ++axis) {
            Append(text, "\r\nPhi' = \t%.2f\xB0\r\n", WithoutNegativeZero(GetPhi(axis, 0), 2));
            text.append("Theta [rad]\tData\r\n");
            for (int j = 0; j < m_nNumPoints[axis]; ++j) {
                Append(text, "%+09.06f\t", WithoutNegativeZero(m_arrays.profileAngles[axis][j], 6));
                Append(text, "%10.2f\r\n", WithoutNegativeZero(m_arrays.profile[axis][j], 2));
            }
        }
    }
    return text;
}

}  // namespace velor
