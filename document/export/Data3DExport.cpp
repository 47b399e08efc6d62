// The 3D data file: N, 3241, the angle grid and the scans from 0° up to (not including) 180°,
// as raw little-endian values.

#include "common/WholeFileWrite.h"
#include "document/Velor32Doc.h"

namespace velor {

QByteArray CVelor32Doc::Data3dExport() const {
    const uint16_t header[2] = {m_nScans3D, static_cast<uint16_t>(kSamplesPerProfile)};
    const qsizetype gridBytes = kSamplesPerProfile * static_cast<qsizetype>(sizeof(float));
    const qsizetype scanBytes = gridBytes * m_nScans3D;
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(sizeof header) + gridBytes + scanBytes);
    bytes.append(reinterpret_cast<const char*>(header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(m_arrays.angleGrid.data()), gridBytes);
    bytes.append(reinterpret_cast<const char*>(m_arrays.data3D.data()), scanBytes);
    return bytes;
}

WriteResult CVelor32Doc::Export3dData(const QString& path) const {
    return WriteWholeFile(path, Data3dExport());
}

}  // namespace velor
