#include "images/ImageExport.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <optional>

#include "images/GifWriter.h"
#include "common/WholeFileWrite.h"

namespace velor {

namespace {

// Qt's writer plugin for each type; GIF has none and goes through giflib.
const char* QtFormatName(ImageType type) {
    switch (type) {
        case ImageType::Bmp: return "bmp";
        case ImageType::Jpeg: return "jpeg";
        case ImageType::Tiff: return "tiff";
        case ImageType::Png: return "png";
        case ImageType::Gif: break;
    }
    return nullptr;
}

std::optional<QByteArray> EncodeWithQt(const QImage& image, ImageType type, int quality) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, QtFormatName(type));
    if (type == ImageType::Jpeg) {
        writer.setQuality(std::clamp(quality, kMinImageQuality, kMaxImageQuality));
    }
    if (!writer.write(image)) return std::nullopt;
    return encoded;
}

}  // namespace

bool SaveImage(const QImage& image, const QString& path, ImageType type, int quality) {
    if (image.isNull() || !ImageTypeFromNumber(static_cast<int>(type))) return false;
    // Encoded in memory first, then written whole: some of Qt's encoders report success
    // although the file took only part of their output.
    const std::optional<QByteArray> encoded =
        type == ImageType::Gif ? EncodeGif(image) : EncodeWithQt(image, type, quality);
    return encoded && WriteWholeFile(path, *encoded).Ok();
}

}  // namespace velor
