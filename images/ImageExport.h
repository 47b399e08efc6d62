#pragma once
// Saving a captured view as an image file in one of the five types the frame settings offer.
// The stored settings keep the type as its number, so the enumerators keep their values.

#include <QString>
#include <array>
#include <optional>

class QImage;

namespace velor {

enum class ImageType { Bmp = 0, Jpeg = 1, Gif = 2, Tiff = 3, Png = 4 };

inline constexpr int kImageTypeCount = 5;
inline constexpr int kMinImageQuality = 1;
inline constexpr int kMaxImageQuality = 100;
inline constexpr int kDefaultImageQuality = 100;

struct ImageTypeInfo {
    ImageType type;
    const char* filter;     // the save dialog's single filter
    const char* pattern;    // "*." and the extension
    const char* extension;  // the default extension, without the dot
    const char* mimeType;
};

// Indexed by the type's number.
inline constexpr std::array<ImageTypeInfo, kImageTypeCount> kImageTypes{{
    {ImageType::Bmp, "Windows Bitmap (*.bmp)", "*.bmp", "bmp", "image/bmp"},
    {ImageType::Jpeg, "JPEG File Interchange Format (*.jpg)", "*.jpg", "jpg", "image/jpeg"},
    {ImageType::Gif, "Graphics Interchange Format (*.gif)", "*.gif", "gif", "image/gif"},
    {ImageType::Tiff, "Tagged Image File Format (*.tif)", "*.tif", "tif", "image/tiff"},
    {ImageType::Png, "Portable Network Graphics (*.png)", "*.png", "png", "image/png"},
}};

// The one message the user sees for every failure of an image save.
inline const QString kImageSaveFailedMessage =
    QStringLiteral("Could not save the image in the specified format.");

constexpr const ImageTypeInfo& GetImageTypeInfo(ImageType type) {
    return kImageTypes[static_cast<std::size_t>(type)];
}

// The type a stored number stands for; nothing for numbers outside 0..4.
constexpr std::optional<ImageType> ImageTypeFromNumber(int number) {
    if (number < 0 || number >= kImageTypeCount) return std::nullopt;
    return static_cast<ImageType>(number);
}

// Writes the image to path as the given type, whatever the path's extension. The quality
// (1..100, clamped) only affects JPEG. The file is written beside the target under a temporary
// name and renamed when complete, so a failure leaves no partial file and keeps an earlier
// file of that name. New files get the usual permissions (0666 less the umask). Returns false
// on any failure: null image, missing folder, unwritable file, encoder error.
bool SaveImage(const QImage& image, const QString& path, ImageType type, int quality);

}  // namespace velor
