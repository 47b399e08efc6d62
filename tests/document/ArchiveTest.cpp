// A file read through its descriptor (records straight into place, the next bytes in a
// lookahead) gives exactly what reading it through Qt's device gives, read for read, to the
// end of the file and past it.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "document/file/Archive.h"

namespace velor {
namespace {

enum class Op { Read, Peek, Skip };

struct Step {
    Op op;
    qint64 size;
};

// What one step gave: the count (or whether a skip held), the bytes, and what is left.
struct Outcome {
    qint64 result;
    QByteArray bytes;
    qint64 available;
    bool operator==(const Outcome&) const = default;
};

Outcome Apply(Archive& archive, const Step& step) {
    QByteArray bytes(static_cast<int>(step.size), '\0');
    qint64 result = 0;
    switch (step.op) {
        case Op::Read: result = archive.Read(bytes.data(), step.size); break;
        case Op::Peek: result = archive.Peek(bytes.data(), step.size); break;
        case Op::Skip: result = archive.Skip(step.size) ? 1 : 0; break;
    }
    bytes.truncate(static_cast<int>(std::max<qint64>(0, step.op == Op::Skip ? 0 : result)));
    return {result, bytes, archive.BytesAvailable()};
}

TEST(Archive, ReadingThroughTheDescriptorMatchesTheDevice) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f"));
    QByteArray content;
    for (int i = 0; i < 40000; ++i) content.append(static_cast<char>(i * 7 + i / 256));
    QFile writer(path);
    ASSERT_TRUE(writer.open(QIODevice::WriteOnly));
    writer.write(content);
    writer.close();

    // A header, block headers and records as the loader reads them, peeks within and across
    // the lookahead, skips within it and beyond it, and the end of the file.
    const Step steps[] = {{Op::Read, 40},    {Op::Peek, 6},     {Op::Read, 6},   {Op::Read, 12964},
                          {Op::Peek, 64},    {Op::Read, 3},     {Op::Skip, 10},  {Op::Read, 6},
                          {Op::Skip, 20000}, {Op::Read, 1},     {Op::Peek, 30},  {Op::Read, 12964},
                          {Op::Read, 6},     {Op::Skip, 10000}, {Op::Read, 6},   {Op::Peek, 6},
                          {Op::Skip, 1}};
    QFile device(path), descriptor(path);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    ASSERT_TRUE(descriptor.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    Archive throughDevice(device);
    Archive throughDescriptor(descriptor.handle());
    for (size_t i = 0; i < std::size(steps); ++i) {
        const Outcome expected = Apply(throughDevice, steps[i]);
        const Outcome got = Apply(throughDescriptor, steps[i]);
        EXPECT_EQ(got.result, expected.result) << "step " << i;
        EXPECT_EQ(got.bytes, expected.bytes) << "step " << i;
        EXPECT_EQ(got.available, expected.available) << "step " << i;
    }
}

}  // namespace
}  // namespace velor
