// The view placement block, including files of the older layout that kept a bare rectangle.

#include <QBuffer>
#include <cstring>
#include <gtest/gtest.h>

#include "document/file/DormViewData.h"

namespace velor {
namespace {

QByteArray Block(const void* record, uint16_t length) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Archive archive(buffer);
    CDataCrc16::WriteBlock(archive, record, length);
    return buffer.data();
}

bool ReadInto(CDormViewData& data, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Archive archive(buffer);
    return data.ReadViewData(archive);
}

CDormViewData Current() {
    CDormViewData data;
    data.m_placement.normalPosition[0] = 5;
    data.m_placement.normalPosition[2] = 405;
    data.m_placement.showCmd = 1;
    data.m_bDataCollection = 1;
    return data;
}

// A record of the older layout: offsets 12..27 hold left, top, right, bottom.
CDormViewData OldLayout(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    CDormViewData stored;
    std::memset(static_cast<void*>(&stored), 0, sizeof stored);
    const int32_t rect[4] = {left, top, right, bottom};
    std::memcpy(reinterpret_cast<char*>(&stored) + 12, rect, sizeof rect);
    stored.m_nUpdateRate = 3;
    return stored;
}

TEST(DormViewData, CurrentLayoutIsTakenWholeAndCollectionCleared) {
    CDormViewData stored;
    stored.m_placement.normalPosition[0] = 11;
    stored.m_placement.showCmd = 3;
    stored.m_bDataCollection = 1;
    stored.m_nUpdateRateUnit = 2;
    CDormViewData data = Current();
    ASSERT_TRUE(ReadInto(data, Block(&stored, 60)));
    EXPECT_EQ(data.m_placement.normalPosition[0], 11);
    EXPECT_EQ(data.m_placement.showCmd, 3u);
    EXPECT_EQ(data.m_nUpdateRateUnit, 2);
    EXPECT_EQ(data.m_bDataCollection, 0u);
}

TEST(DormViewData, OlderLayoutRectangleBecomesTheNormalPosition) {
    const CDormViewData stored = OldLayout(10, 20, 310, 220);
    CDormViewData data = Current();
    data.m_placement.showCmd = 2;
    ASSERT_TRUE(ReadInto(data, Block(&stored, 60)));
    EXPECT_EQ(data.m_placement.length, 44u);
    EXPECT_EQ(data.m_placement.showCmd, 1u);
    EXPECT_EQ(data.m_placement.normalPosition[0], 10);
    EXPECT_EQ(data.m_placement.normalPosition[1], 20);
    EXPECT_EQ(data.m_placement.normalPosition[2], 310);
    EXPECT_EQ(data.m_placement.normalPosition[3], 220);
    EXPECT_EQ(data.m_nUpdateRate, 3) << "the rest of the record is taken";
}

TEST(DormViewData, OlderLayoutEmptyRectangleEncodesMinimisedOrMaximised) {
    CDormViewData data = Current();
    CDormViewData stored = OldLayout(-1, 0, -1, 0);
    ASSERT_TRUE(ReadInto(data, Block(&stored, 60)));
    EXPECT_EQ(data.m_placement.showCmd, 2u);
    EXPECT_EQ(data.m_placement.normalPosition[0], 5) << "the current placement remains";

    stored = OldLayout(-2, 0, -2, 0);
    ASSERT_TRUE(ReadInto(data, Block(&stored, 60)));
    EXPECT_EQ(data.m_placement.showCmd, 3u);

    data = Current();
    stored = OldLayout(7, 7, 7, 7);  // empty, neither code: nothing changes
    ASSERT_TRUE(ReadInto(data, Block(&stored, 60)));
    EXPECT_EQ(data.m_placement.showCmd, 1u);
}

TEST(DormViewData, ShortBlockIsTheOlderLayoutEvenWithLength44) {
    CDormViewData stored;
    const int32_t rect[4] = {44, 1, 144, 101};  // left doubles as the placement length field
    std::memcpy(reinterpret_cast<char*>(&stored) + 12, rect, sizeof rect);
    CDormViewData data = Current();
    ASSERT_TRUE(ReadInto(data, Block(&stored, 40)));
    EXPECT_EQ(data.m_placement.normalPosition[0], 44);
    EXPECT_EQ(data.m_placement.normalPosition[3], 101);
}

TEST(DormViewData, DamagedBlockChangesNothing) {
    CDormViewData stored;
    stored.m_placement.normalPosition[0] = 99;
    QByteArray bytes = Block(&stored, 60);
    bytes[6 + 30] = static_cast<char>(bytes[6 + 30] ^ 1);
    CDormViewData data = Current();
    EXPECT_FALSE(ReadInto(data, bytes));
    EXPECT_EQ(data.m_placement.normalPosition[0], 5);
    EXPECT_EQ(data.m_bDataCollection, 1u);
}

}  // namespace
}  // namespace velor
