#pragma once
// GIF output through giflib, since Qt has no GIF writer.

class QImage;
class QSaveFile;

namespace velor {

// Writes the image as a single-frame GIF into the open save file (which the caller commits or
// cancels). Images of at most 256 colours keep their colours exactly; others are reduced to a
// 256-colour palette whose entries are the means of the pixels they stand for.
bool WriteGif(const QImage& image, QSaveFile& file);

}  // namespace velor
