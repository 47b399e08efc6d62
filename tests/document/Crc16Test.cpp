// The block codec: the checksum against its published check values and a bitwise reference,
// and the return conventions of the block reader and writers.

#include <QBuffer>
#include <QByteArray>
#include <cstring>
#include <gtest/gtest.h>

#include "document/file/DataCrc16.h"
#include "tests/support/TestStation.h"

namespace velor {
namespace {

using test::BitwiseKermit;

uint16_t Crc(const QByteArray& bytes) {
    return CDataCrc16::ComputeCrc(bytes.constData(), static_cast<uint16_t>(bytes.size()));
}

TEST(Crc16, MatchesCheckValues) {
    EXPECT_EQ(Crc("123456789"), 0x2189);
    EXPECT_EQ(Crc("abc"), 0x58E9);
    EXPECT_EQ(Crc(QByteArray()), 0x0000);
}

TEST(Crc16, MatchesBitwiseReferenceOnEveryByteValue) {
    QByteArray all;
    for (int i = 0; i < 256; ++i) all.append(static_cast<char>(i));
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(Crc(all.mid(i, 1)), BitwiseKermit(all.mid(i, 1))) << i;
    }
    EXPECT_EQ(Crc(all), BitwiseKermit(all));
}

// Sixteen bytes a step must agree with bit by bit at every length and alignment of the tail,
// and over buffers longer than a block.
TEST(Crc16, SixteenBytesAStepMatchTheBitwiseReferenceAtEveryLength) {
    uint32_t state = 12345;
    const auto next = [&state] { return static_cast<char>((state = state * 1103515245u + 12345u) >> 16); };
    // Past 64 bytes the records are folded: every count of 64-byte steps, 16-byte steps and
    // tail bytes, from addresses of every alignment.
    for (int length = 0; length <= 300; ++length) {
        QByteArray bytes;
        for (int i = 0; i < length + 15; ++i) bytes.append(next());
        const char* at = bytes.constData() + length % 16;
        ASSERT_EQ(CDataCrc16::ComputeCrc(at, static_cast<std::size_t>(length)), BitwiseKermit(QByteArray(at, length)))
            << length;
    }
    for (const int length : {65535, 1 << 20}) {
        QByteArray bytes;
        for (int i = 0; i < length; ++i) bytes.append(next());
        EXPECT_EQ(CDataCrc16::ComputeCrc(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                  BitwiseKermit(bytes)) << length;
    }
}

class BlockCodec : public ::testing::Test {
protected:
    void SetUp() override { buffer.open(QIODevice::ReadWrite); }
    void Rewind() { buffer.seek(0); }
    QByteArray& Bytes() { return buffer.buffer(); }

    QBuffer buffer;
    Archive archive{buffer};
};

TEST_F(BlockCodec, WritesHeaderThenBytes) {
    const char record[] = "abc";
    EXPECT_EQ(CDataCrc16::WriteBlock(archive, record, 3), 3);
    EXPECT_EQ(Bytes(), QByteArray::fromHex("0c000300e958") + "abc");
}

TEST_F(BlockCodec, SectionMarkerIsAHeaderAlone) {
    EXPECT_EQ(CDataCrc16::WriteSectionMarker(archive, 11), 1);
    EXPECT_EQ(Bytes(), QByteArray::fromHex("0b00ffffffff"));
}

TEST_F(BlockCodec, ReadsWhatWasWritten) {
    const uint32_t values[3] = {1, 2, 0xDEADBEEF};
    CDataCrc16::WriteBlock(archive, values, sizeof values);
    Rewind();
    uint32_t back[3] = {};
    EXPECT_EQ(CDataCrc16::ReadBlock(archive, back, sizeof back), sizeof values);
    EXPECT_EQ(std::memcmp(values, back, sizeof values), 0);
}

TEST_F(BlockCodec, ShorterBlockLeavesTheRestAndReportsStoredLength) {
    const uint16_t two[2] = {7, 8};
    CDataCrc16::WriteBlock(archive, two, sizeof two);
    Rewind();
    uint16_t four[4] = {1, 1, 1, 1};
    EXPECT_EQ(CDataCrc16::ReadBlock(archive, four, sizeof four), 4);
    EXPECT_EQ(four[0], 7);
    EXPECT_EQ(four[1], 8);
    EXPECT_EQ(four[2], 1);
    EXPECT_EQ(four[3], 1);
}

TEST_F(BlockCodec, LongerBlockIsCheckedWholeAndCut) {
    const uint8_t six[6] = {1, 2, 3, 4, 5, 6};
    CDataCrc16::WriteBlock(archive, six, sizeof six);
    CDataCrc16::WriteBlock(archive, six, 2);  // the next block must still be found
    Rewind();
    uint8_t three[3] = {};
    EXPECT_EQ(CDataCrc16::ReadBlock(archive, three, sizeof three), 6);
    EXPECT_EQ(three[2], 3);
    uint8_t next[2] = {};
    EXPECT_EQ(CDataCrc16::ReadBlock(archive, next, sizeof next), 2);

    // A flipped byte beyond the capacity still fails the read.
    Bytes()[6 + 5] = 9;
    Rewind();
    EXPECT_EQ(CDataCrc16::ReadBlock(archive, three, sizeof three), 0);
}

TEST_F(BlockCodec, FailuresReadAsZero) {
    const uint8_t data[4] = {1, 2, 3, 4};
    uint8_t out[4] = {};

    CDataCrc16::WriteSectionMarker(archive, 5);  // wrong tag
    Rewind();
    EXPECT_EQ(CDataCrc16::ReadBlock(archive, out, sizeof out), 0);

    Bytes().clear();
    Rewind();
    CDataCrc16::WriteBlock(archive, data, sizeof data);
    Bytes().chop(1);  // short data
    Rewind();
    EXPECT_EQ(CDataCrc16::ReadBlock(archive, out, sizeof out), 0);

    Bytes().clear();
    Rewind();
    CDataCrc16::WriteBlock(archive, data, sizeof data);
    Bytes()[7] = 'x';  // CRC mismatch: the bad bytes are left in the buffer
    Rewind();
    EXPECT_EQ(CDataCrc16::ReadBlock(archive, out, sizeof out), 0);
    EXPECT_EQ(out[1], 'x');

    Bytes() = QByteArray::fromHex("0c00");  // short header
    Rewind();
    EXPECT_EQ(CDataCrc16::ReadBlock(archive, out, sizeof out), 0);
}

TEST_F(BlockCodec, EmptyBlockWritesZeroWhichIsNotAFailure) {
    EXPECT_EQ(CDataCrc16::WriteBlock(archive, "", 0), 0);
    EXPECT_EQ(Bytes(), QByteArray::fromHex("0c0000000000"));
}

TEST(BlockCodecFailure, WriteToClosedDeviceReportsFailure) {
    QBuffer closed;
    Archive archive(closed);
    EXPECT_EQ(CDataCrc16::WriteBlock(archive, "abc", 3), 0);
    EXPECT_EQ(CDataCrc16::WriteSectionMarker(archive, 10), 0);
}

}  // namespace
}  // namespace velor
