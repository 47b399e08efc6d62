#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <cmath>

#include "images/ImageExport.h"
#include "tests/images/TestImages.h"

namespace velor {
namespace {

constexpr std::array<ImageType, kImageTypeCount> kAllTypes{
    ImageType::Bmp, ImageType::Jpeg, ImageType::Gif, ImageType::Tiff, ImageType::Png};

// The format Qt detects from a file's content, whatever its name says.
QByteArray ContentFormat(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.format();
}

QImage ReadBack(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

double MeanAbsError(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString PathFor(const QTemporaryDir& dir, ImageType type, const QString& stem = "view") {
    return dir.filePath(stem + '.' + GetImageTypeInfo(type).extension);
}

// --- The type table -------------------------------------------------------------------------

TEST(ImageTypesTest, NumbersFiltersExtensionsAndMimeTypes) {
    struct Expected {
        int number;
        const char *filter, *pattern, *extension, *mime;
    };
    const Expected expected[] = {
        {0, "Windows Bitmap (*.bmp)", "*.bmp", "bmp", "image/bmp"},
        {1, "JPEG File Interchange Format (*.jpg)", "*.jpg", "jpg", "image/jpeg"},
        {2, "Graphics Interchange Format (*.gif)", "*.gif", "gif", "image/gif"},
        {3, "Tagged Image File Format (*.tif)", "*.tif", "tif", "image/tiff"},
        {4, "Portable Network Graphics (*.png)", "*.png", "png", "image/png"},
    };
    for (const Expected& e : expected) {
        const auto type = ImageTypeFromNumber(e.number);
        ASSERT_TRUE(type.has_value()) << e.number;
        EXPECT_EQ(static_cast<int>(*type), e.number);
        const ImageTypeInfo& info = GetImageTypeInfo(*type);
        EXPECT_EQ(info.type, *type);
        EXPECT_STREQ(info.filter, e.filter);
        EXPECT_STREQ(info.pattern, e.pattern);
        EXPECT_STREQ(info.extension, e.extension);
        EXPECT_STREQ(info.mimeType, e.mime);
    }
    EXPECT_FALSE(ImageTypeFromNumber(-1).has_value());
    EXPECT_FALSE(ImageTypeFromNumber(5).has_value());
    EXPECT_EQ(kImageSaveFailedMessage, "Could not save the image in the specified format.");
}

// --- Writing each type ----------------------------------------------------------------------

class ImageTypeExportTest : public ::testing::TestWithParam<ImageType> {};

TEST_P(ImageTypeExportTest, TypeDecidesTheContentAndTheSizeReadsBack) {
    const ImageType type = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage source = test::Detailed();
    // A neutral name: the type alone must decide the content.
    const QString path = dir.filePath("view.dat");
    ASSERT_TRUE(SaveImage(source, path, type, 90));

    const QByteArray expectedFormat[] = {"bmp", "jpeg", "gif", "tiff", "png"};
    EXPECT_EQ(ContentFormat(path), expectedFormat[static_cast<int>(type)]);
    const QImage back = ReadBack(path);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), source.size());
    const bool lossless = type == ImageType::Bmp || type == ImageType::Tiff ||
                          type == ImageType::Png;
    if (lossless) {
        EXPECT_EQ(back, source.convertToFormat(QImage::Format_RGB32));
    } else {
        EXPECT_LT(MeanAbsError(back, source), 8.0);
    }
}

TEST_P(ImageTypeExportTest, NewFileFollowsTheUmask) {
    const ImageType type = GetParam();
    QTemporaryDir dir;
    for (const mode_t mask : {mode_t{022}, mode_t{002}}) {
        const mode_t previous = ::umask(mask);
        const QString path = PathFor(dir, type, QString("mask%1").arg(mask, 0, 8));
        const bool saved = SaveImage(test::Gradient(32, 16), path, type, 75);
        ::umask(previous);
        ASSERT_TRUE(saved);
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask) << "umask " << std::oct << mask;
    }
}

TEST_P(ImageTypeExportTest, ReplacesAnEarlierFileAndLeavesNoTemporaryFiles) {
    const ImageType type = GetParam();
    QTemporaryDir dir;
    const QString path = PathFor(dir, type);
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older file");
    }
    ASSERT_TRUE(SaveImage(test::Gradient(64, 48), path, type, 50));
    EXPECT_EQ(ReadBack(path).size(), QSize(64, 48));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QFileInfo(path).fileName()});
}

// Runs the save under a file size limit, which stands in for a full disk: writes beyond the
// limit fail with EFBIG (the signal that would end the process is ignored meanwhile).
bool SaveWithSizeLimit(const QImage& image, const QString& path, ImageType type,
                       rlim_t limit) {
    rlimit saved{};
    if (::getrlimit(RLIMIT_FSIZE, &saved) != 0) return true;
    rlimit small = saved;
    small.rlim_cur = limit;
    const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    const bool limited = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    const bool result = limited && SaveImage(image, path, type, 100);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previousHandler);
    return limited ? result : true;
}

// A write that fails part way must leave neither a truncated image nor a temporary file, and
// must keep the earlier file. A small image's bytes may all wait in the file's buffer until the
// end; a large one fails in the middle of its data.
TEST_P(ImageTypeExportTest, WriteFailureLeavesTheEarlierFileAlone) {
    const ImageType type = GetParam();
    struct Case {
        QImage image;
        rlim_t limit;
    };
    const Case cases[] = {{test::Detailed(64, 48), 1024}, {test::Detailed(1024, 768), 32 * 1024}};
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = PathFor(dir, type);
        const QString unlimited = PathFor(dir, type, "unlimited");
        ASSERT_TRUE(SaveImage(c.image, unlimited, type, 100));
        ASSERT_GT(QFileInfo(unlimited).size(), static_cast<qint64>(c.limit));
        ASSERT_TRUE(QFile::remove(unlimited));

        const QByteArray earlier = "the earlier good file";
        {
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write(earlier);
        }
        EXPECT_FALSE(SaveWithSizeLimit(c.image, path, type, c.limit)) << c.limit;
        EXPECT_EQ(Contents(path), earlier);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QFileInfo(path).fileName()});
    }
}

INSTANTIATE_TEST_SUITE_P(AllTypes, ImageTypeExportTest, ::testing::ValuesIn(kAllTypes),
                         [](const auto& info) {
                             return std::string(GetImageTypeInfo(info.param).extension);
                         });

// --- Quality --------------------------------------------------------------------------------

TEST(ImageQualityTest, LowJpegQualityGivesASmallerFile) {
    QTemporaryDir dir;
    const QImage source = test::Detailed();
    const QString low = dir.filePath("low.jpg");
    const QString high = dir.filePath("high.jpg");
    ASSERT_TRUE(SaveImage(source, low, ImageType::Jpeg, 10));
    ASSERT_TRUE(SaveImage(source, high, ImageType::Jpeg, 100));
    EXPECT_LT(QFileInfo(low).size(), QFileInfo(high).size());
    EXPECT_GT(MeanAbsError(ReadBack(low), source), MeanAbsError(ReadBack(high), source));
}

TEST(ImageQualityTest, OtherTypesIgnoreTheQuality) {
    QTemporaryDir dir;
    const QImage source = test::Detailed();
    for (const ImageType type : {ImageType::Bmp, ImageType::Gif, ImageType::Tiff,
                                 ImageType::Png}) {
        const QString low = PathFor(dir, type, "low");
        const QString high = PathFor(dir, type, "high");
        ASSERT_TRUE(SaveImage(source, low, type, 1));
        ASSERT_TRUE(SaveImage(source, high, type, 100));
        EXPECT_EQ(Contents(low), Contents(high)) << GetImageTypeInfo(type).extension;
    }
}

// --- Refused saves --------------------------------------------------------------------------

TEST(ImageSaveFailureTest, MissingFolderFailsAndCreatesNothing) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("missing");
    for (const ImageType type : kAllTypes) {
        EXPECT_FALSE(SaveImage(test::Gradient(), PathFor(dir, type, "missing/view"), type, 100))
            << GetImageTypeInfo(type).extension;
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                           QDir::Hidden).isEmpty());
}

TEST(ImageSaveFailureTest, NullImageFailsAndKeepsTheEarlierFile) {
    QTemporaryDir dir;
    for (const ImageType type : kAllTypes) {
        const QString path = PathFor(dir, type);
        {
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("kept");
        }
        EXPECT_FALSE(SaveImage(QImage(), path, type, 100)) << GetImageTypeInfo(type).extension;
        EXPECT_EQ(Contents(path), "kept");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), kImageTypeCount);
}

}  // namespace
}  // namespace velor
