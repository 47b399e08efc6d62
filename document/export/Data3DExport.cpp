// The 3D data file: N, 3241, the angle grid and the scans from 0° up to (not including) 180°,
// as raw little-endian values.

#include <QSaveFile>

#include "document/Velor32Doc.h"

namespace velor {

bool CVelor32Doc::Export3dData(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const uint16_t header[2] = {m_nScans3D, static_cast<uint16_t>(kSamplesPerProfile)};
    const qint64 gridBytes = kSamplesPerProfile * static_cast<qint64>(sizeof(float));
    const qint64 scanBytes = gridBytes * m_nScans3D;
    const bool written =
        file.write(reinterpret_cast<const char*>(header), sizeof header) == sizeof header &&
        file.write(reinterpret_cast<const char*>(m_arrays.angleGrid.data()), gridBytes) == gridBytes &&
        file.write(reinterpret_cast<const char*>(m_arrays.data3D.data()), scanBytes) == scanBytes;
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace velor
