#include "app/images/ImageExport.h"

#include <unistd.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>

#include "app/images/GifWriter.h"

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

// Encoded in memory first: some of Qt's encoders report success although the file took only
// part of their output, and a short write of one known block cannot go unnoticed.
bool WriteWithQt(const QImage& image, QSaveFile& file, ImageType type, int quality) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, QtFormatName(type));
    if (type == ImageType::Jpeg) {
        writer.setQuality(std::clamp(quality, kMinImageQuality, kMaxImageQuality));
    }
    if (!writer.write(image)) return false;
    return file.write(encoded) == encoded.size() && file.flush();
}

}  // namespace

bool SaveImage(const QImage& image, const QString& path, ImageType type, int quality) {
    if (image.isNull() || !ImageTypeFromNumber(static_cast<int>(type))) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const bool written = type == ImageType::Gif ? WriteGif(image, file)
                                                : WriteWithQt(image, file, type, quality);
    // The commit ignores a failed sync, which may be the first sign of a full disk.
    if (!written || ::fsync(file.handle()) != 0) {
        // The temporary file is removed when the save file goes out of scope.
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace velor
