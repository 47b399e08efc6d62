#include <gtest/gtest.h>

#include <QImageReader>
#include <QTemporaryDir>
#include <cmath>

#include "images/ImageExport.h"
#include "tests/images/TestImages.h"

namespace velor {
namespace {

struct ColourError {
    double meanAbs = 0;     // mean over pixels and channels of |saved - source|
    double meanSigned = 0;  // the same without the bars: a palette biased one way shows here
    int maxAbs = 0;
};

ColourError Compare(const QImage& saved, const QImage& source) {
    ColourError error;
    double absSum = 0;
    double signedSum = 0;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb p = saved.pixel(x, y);
            const QRgb q = source.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) {
                absSum += std::abs(d);
                signedSum += d;
                error.maxAbs = std::max(error.maxAbs, std::abs(d));
            }
        }
    }
    const double count = 3.0 * source.width() * source.height();
    error.meanAbs = absSum / count;
    error.meanSigned = signedSum / count;
    return error;
}

class GifExportTest : public ::testing::Test {
protected:
    // Saves as GIF and reads the file back with Qt's own GIF reader.
    QImage RoundTrip(const QImage& source) {
        const QString path = m_dir.filePath(QString("image%1.gif").arg(m_count++));
        EXPECT_TRUE(SaveImage(source, path, ImageType::Gif, 100));
        QImageReader reader(path, "gif");
        const QImage back = reader.read();
        EXPECT_FALSE(back.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(back.size(), source.size());
        return back.convertToFormat(QImage::Format_RGB32);
    }

    QTemporaryDir m_dir;
    int m_count = 0;
};

TEST_F(GifExportTest, SmoothGradientKeepsItsColoursWithoutBias) {
    const QImage source = test::Gradient();
    const QImage back = RoundTrip(source);
    ASSERT_EQ(back.size(), source.size());
    const ColourError error = Compare(back, source);
    // The quantizer's own boxes give about 7 levels; a wrong index would give far more.
    EXPECT_LT(error.meanAbs, 8.0);
    EXPECT_LE(error.maxAbs, 64);
    // Uncorrected 5-bit palette entries sit about 3.6 levels below their pixels.
    EXPECT_LT(std::abs(error.meanSigned), 0.5);
}

TEST_F(GifExportTest, UpTo256ColoursAreExact) {
    for (const int colours : {1, 2, 3, 17, 255, 256}) {
        const QImage source = test::FewColours(colours);
        const QImage back = RoundTrip(source);
        EXPECT_EQ(back, source) << colours << " colours";
    }
}

}  // namespace
}  // namespace velor
