#include "images/GifWriter.h"

#include <gif_lib.h>

#include <QImage>
#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace velor {

namespace {

constexpr int kMaxPaletteSize = 256;
constexpr int kMaxGifSide = 65535;  // the format stores sides in 16 bits

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<GifPixelType> indices;  // row after row
    std::vector<GifColorType> palette;
};

GifColorType ToGifColor(QRgb rgb) {
    return {static_cast<GifByteType>(qRed(rgb)), static_cast<GifByteType>(qGreen(rgb)),
            static_cast<GifByteType>(qBlue(rgb))};
}

const QRgb* Line(const QImage& rgb, int y) {
    return reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
}

// A palette of the image's own colours, or nothing when it has more than a GIF can hold.
// Quantizing would blur colours that differ only in their low bits, so this comes first.
std::optional<IndexedImage> IndexExactly(const QImage& rgb) {
    IndexedImage out{rgb.width(), rgb.height(), {}, {}};
    out.indices.reserve(static_cast<std::size_t>(out.width) * out.height);
    std::unordered_map<QRgb, GifPixelType> indexOf;
    for (int y = 0; y < out.height; ++y) {
        const QRgb* line = Line(rgb, y);
        for (int x = 0; x < out.width; ++x) {
            const QRgb colour = line[x] & RGB_MASK;
            auto found = indexOf.find(colour);
            if (found == indexOf.end()) {
                if (out.palette.size() == kMaxPaletteSize) return std::nullopt;
                const auto index = static_cast<GifPixelType>(out.palette.size());
                found = indexOf.emplace(colour, index).first;
                out.palette.push_back(ToGifColor(colour));
            }
            out.indices.push_back(found->second);
        }
    }
    return out;
}

std::optional<IndexedImage> Quantize(const QImage& rgb) {
    IndexedImage out{rgb.width(), rgb.height(), {}, {}};
    const std::size_t count = static_cast<std::size_t>(out.width) * out.height;
    std::vector<GifByteType> red(count), green(count), blue(count);
    std::size_t i = 0;
    for (int y = 0; y < out.height; ++y) {
        const QRgb* line = Line(rgb, y);
        for (int x = 0; x < out.width; ++x, ++i) {
            red[i] = static_cast<GifByteType>(qRed(line[x]));
            green[i] = static_cast<GifByteType>(qGreen(line[x]));
            blue[i] = static_cast<GifByteType>(qBlue(line[x]));
        }
    }
    out.indices.resize(count);
    out.palette.resize(kMaxPaletteSize);
    int paletteSize = kMaxPaletteSize;
    if (GifQuantizeBuffer(static_cast<unsigned>(out.width), static_cast<unsigned>(out.height),
                          &paletteSize, red.data(), green.data(), blue.data(),
                          out.indices.data(), out.palette.data()) == GIF_ERROR) {
        return std::nullopt;
    }

    // giflib derives its entries from colours cut to 5 bits, which leaves them darker than
    // the pixels they stand for; the mean of those pixels is the faithful entry.
    std::array<std::array<std::uint64_t, 3>, kMaxPaletteSize> sums{};
    std::array<std::uint64_t, kMaxPaletteSize> members{};
    for (i = 0; i < count; ++i) {
        auto& sum = sums[out.indices[i]];
        sum[0] += red[i];
        sum[1] += green[i];
        sum[2] += blue[i];
        ++members[out.indices[i]];
    }
    for (int entry = 0; entry < kMaxPaletteSize; ++entry) {
        const std::uint64_t n = members[entry];
        if (n == 0) continue;
        const auto mean = [n](std::uint64_t sum) {
            return static_cast<GifByteType>((sum + n / 2) / n);
        };
        out.palette[entry] = {mean(sums[entry][0]), mean(sums[entry][1]), mean(sums[entry][2])};
    }
    return out;
}

// giflib accepts only palettes of 2, 4, ... 256 entries.
void PadPalette(std::vector<GifColorType>& palette) {
    std::size_t size = 2;
    while (size < palette.size()) size *= 2;
    palette.resize(size, GifColorType{0, 0, 0});
}

// giflib's output function: appends to the QByteArray behind the file's user data.
int AppendToBuffer(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

std::optional<QByteArray> Encode(IndexedImage& picture) {
    QByteArray bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, AppendToBuffer, &error);
    if (gif == nullptr) return std::nullopt;
    ColorMapObject* map =
        GifMakeMapObject(static_cast<int>(picture.palette.size()), picture.palette.data());
    // The screen descriptor keeps its own copy of the map.
    bool ok = map != nullptr &&
              EGifPutScreenDesc(gif, picture.width, picture.height, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) ==
                  GIF_OK;
    GifFreeMapObject(map);
    for (int y = 0; ok && y < picture.height; ++y) {
        GifPixelType* row = picture.indices.data() + static_cast<std::size_t>(y) * picture.width;
        ok = EGifPutLine(gif, row, picture.width) == GIF_OK;
    }
    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    if (!ok || !closed) return std::nullopt;
    return bytes;
}

}  // namespace

std::optional<QByteArray> EncodeGif(const QImage& image) {
    if (image.isNull() || image.width() > kMaxGifSide || image.height() > kMaxGifSide) {
        return std::nullopt;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::optional<IndexedImage> picture = IndexExactly(rgb);
    if (!picture) picture = Quantize(rgb);
    if (!picture) return std::nullopt;
    PadPalette(picture->palette);
    return Encode(*picture);
}

}  // namespace velor
