#pragma once
// GIF output through giflib, since Qt has no GIF writer.

#include <QByteArray>
#include <optional>

class QImage;

namespace velor {

// The image as a single-frame GIF. Images of at most 256 colours keep their colours exactly;
// others are reduced to a 256-colour palette whose entries are the means of the pixels they
// stand for. Nothing for an image a GIF cannot hold.
std::optional<QByteArray> EncodeGif(const QImage& image);

}  // namespace velor
