#pragma once
// Colours as the settings records store them: 0x00BBGGRR (red in the low byte).

#include <QColor>
#include <cstdint>

namespace velor {

// The high byte is ignored; the colour is opaque.
inline QColor FromColorRef(uint32_t colorRef) {
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

// Alpha is dropped; the high byte is 0.
inline uint32_t ToColorRef(const QColor& color) {
    const QRgb rgb = color.rgb();
    return static_cast<uint32_t>(qRed(rgb)) | (static_cast<uint32_t>(qGreen(rgb)) << 8) |
           (static_cast<uint32_t>(qBlue(rgb)) << 16);
}

}  // namespace velor
