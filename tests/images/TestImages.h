#pragma once
// Source pictures for the export tests, drawn without fonts so no platform font is needed.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <cstdint>

namespace velor::test {

// A smooth colour field: far more than 256 colours, no sharp edges.
inline QImage Gradient(int width = 256, int height = 192) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x * 255 / (width - 1), y * 255 / (height - 1),
                                      (x + y) * 255 / (width + height - 2)));
        }
    }
    return image;
}

// A gradient with shapes and fine noise, which JPEG can only shrink by losing detail.
inline QImage Detailed(int width = 240, int height = 160) {
    QImage image = Gradient(width, height);
    std::uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            const int noise = static_cast<int>(state >> 28) - 8;
            const QColor c = image.pixelColor(x, y);
            image.setPixelColor(x, y, QColor(qBound(0, c.red() + noise, 255),
                                             qBound(0, c.green() - noise, 255), c.blue()));
        }
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(QColor(200, 30, 40));
    painter.drawEllipse(QPointF(width / 3.0, height / 2.0), width / 6.0, height / 4.0);
    painter.drawLine(0, height - 1, width - 1, 0);
    return image;
}

// Exactly the given number of colours, neighbours in the low bits (which a 5-bit reduction
// could not tell apart), laid out in bands.
inline QImage FewColours(int colours, int width = 128, int height = 64) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int k = (y * width + x) % colours;
            image.setPixel(x, y, qRgb(k % 8 + 100, (k / 8) % 8 + 7 * (k / 64), 255 - k));
        }
    }
    return image;
}

}  // namespace velor::test
