// The time statistics section without its window, read exactly as the viewer reads it: the
// points of each series in blocks of 1024 floats and back bit for bit, and records holding
// what no dialog can set refused like damage.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "tests/support/FileLayout.h"
#include "tests/support/TestStation.h"
#include "views/timestats/TimeStatRecord.h"
#include "views/timestats/TimeStatSection.h"
#include "views/timestats/TimeStatVariables.h"

namespace velor::test {
namespace {

class TimeStatFile : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterHeadlessTimeStatSection(station.viewTypes);
        doc = station.NewDocument();
        section = static_cast<TimeStatSection*>(doc->AdoptView(std::make_unique<TimeStatSection>()));
    }

    // `count` points per series, each value different and exact in a float.
    void Fill(int count, int capacity = 30000) {
        section->m_nCapacity = static_cast<uint16_t>(capacity);
        section->Model().Recreate(capacity, 2);
        for (int i = 0; i < count; ++i) {
            const std::vector<std::optional<double>> point{10.0 + i * 0.125, i == 7 ? std::optional<double>() : -i * 0.5};
            section->Model().AddPoint(point);
        }
    }

    // The lengths of the blocks after the section's marker, placement and record.
    std::vector<int> PointBlocks(const QByteArray& file) {
        int at = FileLayout(station.Document()->m_nScans3D).documentEnd();
        EXPECT_EQ(static_cast<uint8_t>(file[at]), kTimeStatViewTag);
        at += FileLayout::kBlockHeader + FileLayout::kBlockHeader + 60 + FileLayout::kBlockHeader + 688;
        std::vector<int> lengths;
        while (at + FileLayout::kBlockHeader <= file.size()) {
            uint16_t header[3];
            std::memcpy(header, file.constData() + at, sizeof header);
            EXPECT_EQ(header[0], kDataBlockTag);
            lengths.push_back(header[1]);
            at += FileLayout::kBlockHeader + header[1];
        }
        return lengths;
    }

    TestStation station;
    CVelor32Doc* doc = nullptr;
    TimeStatSection* section = nullptr;
};

TEST_F(TimeStatFile, PointsTravelInBlocksOf1024AndComeBackExactly) {
    const struct {
        int count;
        std::vector<int> blocks;  // one series' blocks, in bytes
    } cases[] = {
        {0, {}},
        {2500, {4096, 4096, 1808}},
        {2050, {4096, 4096, 8}},
        {1024, {4096}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        Fill(c.count);
        section->m_nStatLines = kMeanLine | kSigmaLines;
        ASSERT_TRUE(station.file.SaveDataFile(station.Path("t.vnq")));
        std::vector<int> both = c.blocks;
        both.insert(both.end(), c.blocks.begin(), c.blocks.end());
        EXPECT_EQ(PointBlocks(ReadAll(station.Path("t.vnq"))), both);

        const TimeStatModel sent = section->Model();  // the saving document goes with the load
        CVelor32Doc* loaded = station.file.LoadDataFile(station.Path("t.vnq"));
        ASSERT_NE(loaded, nullptr);
        auto* back = dynamic_cast<TimeStatSection*>(loaded->Views().at(0));
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->m_nCount, c.count);
        EXPECT_EQ(back->m_nStatLines, kMeanLine | kSigmaLines);
        const TimeStatModel& m = back->Model();
        ASSERT_EQ(m.Count(), c.count);
        for (int s = 0; s < 2; ++s) {
            for (int i = 0; i < c.count; ++i) {
                const double value = sent.Value(s, i);
                if (std::isnan(value)) {
                    EXPECT_TRUE(std::isnan(m.Value(s, i))) << "a hole stays a hole";
                } else {
                    ASSERT_EQ(m.Value(s, i), value) << s << ", " << i;
                }
            }
            // The statistics are recomputed from the loaded values.
            EXPECT_EQ(m.Stats(s).n, sent.Stats(s).n);
            EXPECT_DOUBLE_EQ(m.Stats(s).Mean(), sent.Stats(s).Mean());
            EXPECT_DOUBLE_EQ(m.Stats(s).Sigma(), sent.Stats(s).Sigma());
        }
        section = static_cast<TimeStatSection*>(station.Document()->Views().at(0));
    }
}

TEST_F(TimeStatFile, ImpossibleRecordsAndPointsAreRefused) {
    const struct {
        const char* what;
        void (*spoil)(TimeStatSection&);
    } cases[] = {
        {"capacity beyond 30000", [](TimeStatSection& s) { s.m_nCapacity = 30001; }},
        {"more points than room", [](TimeStatSection& s) { s.m_nCapacity = 5; }},
        {"rate 0", [](TimeStatSection& s) { s.m_nRate = 0; }},
        {"duration unit 4", [](TimeStatSection& s) { s.m_nDurationUnit = 4; }},
        {"unknown variable", [](TimeStatSection& s) { s.m_nVariable = 21; }},
        {"a beam metric where older readers look", [](TimeStatSection& s) { s.m_nVariable = kFitWidth; }},
        {"a classic variable among the metrics", [](TimeStatSection& s) { s.m_nMetricVariable = kAmplitude; }},
        {"unknown metric variable", [](TimeStatSection& s) { s.m_nMetricVariable = 34; }},
        {"three series", [](TimeStatSection& s) { s.m_nSeriesCount = 3; }},
        {"name without its end", [](TimeStatSection& s) { std::memset(s.m_szName[1], 'x', 256); }},
        {"Y range upside down", [](TimeStatSection& s) { s.m_fYMin = 2.0f; }},
        {"X maximum infinite", [](TimeStatSection& s) { s.m_fXMax = INFINITY; }},
        {"font of size 0", [](TimeStatSection& s) { s.m_nFontSize = 0; }},
        {"user angle beyond 90°", [](TimeStatSection& s) { s.m_nUserAngle = 901; }},
        {"an infinite point", [](TimeStatSection& s) {
             const std::vector<float> values{1.0f, INFINITY};
             s.Model().LoadSeries(1, values);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto* open = static_cast<TimeStatSection*>(station.Document()->Views().at(0));
        open->Settings() = CTimeStatData{};
        open->m_nCapacity = 100;
        open->Model().Recreate(100, 2);
        const std::vector<std::optional<double>> point{1.0, 2.0};
        for (int i = 0; i < 6; ++i) open->Model().AddPoint(point);
        c.spoil(*open);
        ASSERT_TRUE(station.file.SaveDataFile(station.Path("bad.vnq")));
        station.prompt.Clear();
        EXPECT_EQ(station.file.LoadDataFile(station.Path("bad.vnq")), nullptr);
        EXPECT_EQ(station.prompt.Texts(), QStringList{"Could not read file"});
    }
    EXPECT_TRUE(IsValidTimeStatRecord(CTimeStatData{}));
}

}  // namespace
}  // namespace velor::test
