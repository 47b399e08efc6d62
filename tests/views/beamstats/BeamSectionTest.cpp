// The beam statistics section without its window: record and per-row arrays through a save and
// a load byte for byte, the blocks of data and configuration files, older files without limit
// arrays, and values no dialog could have set refused like damage.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "document/file/FileHeader.h"
#include "tests/support/TestStation.h"
#include "views/beamstats/BeamSection.h"

namespace velor::test {
namespace {

// The blocks of the last section with the tag: their lengths and record bytes.
std::vector<QByteArray> SectionBlocks(const QByteArray& file, uint16_t tag) {
    const QByteArray marker = QByteArray(reinterpret_cast<const char*>(&tag), 2) + QByteArray(4, '\xFF');
    qsizetype at = file.lastIndexOf(marker);
    std::vector<QByteArray> blocks;
    if (at < 0) return blocks;
    at += marker.size();
    while (at + 6 <= file.size()) {
        BlockHeader header;
        std::memcpy(&header, file.constData() + at, sizeof header);
        if (header.tag != kDataBlockTag) break;
        blocks.push_back(file.mid(at + 6, header.length));
        at += 6 + header.length;
    }
    return blocks;
}

std::vector<int> Lengths(const std::vector<QByteArray>& blocks) {
    std::vector<int> lengths;
    for (const QByteArray& b : blocks) lengths.push_back(static_cast<int>(b.size()));
    return lengths;
}

class BeamSectionFile : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterHeadlessBeamSection(station.viewTypes);
        doc = station.NewDocument();
        beam = static_cast<BeamSection*>(doc->AdoptView(std::make_unique<BeamSection>()));
        CBeamDataData& r = beam->Settings();
        r.m_nSamples = 7;
        r.m_nWidthFlags = 0x41;
        r.m_nStatMode = kStatRolling;
        r.m_nRollingSize = 5;
        r.m_nDisplayFlags = 0x7F;
        r.m_nLogOutput = kLogFile;
        std::strcpy(r.m_szLogFile, "/tmp/run.plg");
        std::strcpy(r.m_szSerial, "SN-42");
        r.m_nUserAngle2 = -453;
        r.m_nColumnWidth2[1] = 77;
        r.m_lfList.lfHeight = -17;
        r.m_reserved588 = 0xA5A5A5A5;  // reserved words travel as they are
        BeamRowArrays& a = beam->Rows();
        for (int i = 0; i < kBeamRows; ++i) {
            a.value[i] = i * 1.5;
            a.sum[i] = i * 10.25;
            a.minimum[i] = -i;
            a.maximum[i] = i * 2.0;
            a.sumSquares[i] = i * i * 3.0;
        }
        a.minLimitSet[2] = 1;
        a.minLimit[2] = 11.5;
        a.maxLimitSet[3] = 1;
        a.maxLimit[3] = 9.25;
    }
    BeamSection* Load(const QString& path) {
        CVelor32Doc* loaded = station.file.LoadDataFile(path);
        if (!loaded || loaded->Views().size() != 1) return nullptr;
        return dynamic_cast<BeamSection*>(loaded->Views()[0]);
    }

    TestStation station;
    CVelor32Doc* doc = nullptr;
    BeamSection* beam = nullptr;
};

TEST_F(BeamSectionFile, RecordAndArraysSurviveASaveAndALoadByteForByte) {
    const CBeamDataData record = beam->Settings();
    const BeamRowArrays arrays = beam->Rows();
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("a.vnq")));
    const QByteArray first = ReadAll(station.Path("a.vnq"));
    EXPECT_EQ(Lengths(SectionBlocks(first, kBeamDataViewTag)),
              (std::vector<int>{60, 592, 400, 400, 400, 400, 400, 400, 400, 200, 200}));

    BeamSection* back = Load(station.Path("a.vnq"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(std::memcmp(&back->Settings(), &record, sizeof record), 0);
    EXPECT_EQ(std::memcmp(&back->Rows(), &arrays, sizeof arrays), 0);
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("b.vnq")));
    EXPECT_EQ(ReadAll(station.Path("b.vnq")), first);
    EXPECT_TRUE(station.prompt.Messages().empty());
}

TEST_F(BeamSectionFile, ConfigurationFileCarriesSettingsAndLimitsWithoutStatistics) {
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("c.cfg")));
    EXPECT_EQ(beam->Settings().m_nSamples, 7u) << "the view keeps its count";
    const std::vector<QByteArray> blocks = SectionBlocks(ReadAll(station.Path("c.cfg")), kBeamDataViewTag);
    ASSERT_EQ(Lengths(blocks), (std::vector<int>{60, 592, 400, 400, 200, 200}));
    uint32_t n = 1;
    std::memcpy(&n, blocks[1].constData() + offsetof(CBeamDataData, m_nSamples), sizeof n);
    EXPECT_EQ(n, 0u);

    const BeamRowArrays limits = beam->Rows();
    BeamSection* back = Load(station.Path("c.cfg"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Settings().m_nSamples, 0u);
    EXPECT_EQ(back->Rows().sum[3], 0.0) << "no statistics";
    EXPECT_EQ(back->Rows().minLimit, limits.minLimit);
    EXPECT_EQ(back->Rows().maxLimitSet, limits.maxLimitSet);
}

TEST_F(BeamSectionFile, FilesBefore401CarryNoLimitArrays) {
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("old.vnq")));
    QByteArray bytes = ReadAll(station.Path("old.vnq"));
    // Version 4.0.0, its beam section ending after the statistics.
    const uint32_t version = MakeFileVersion(4, 0, 0);
    bytes.replace(offsetof(DataFileHeader, version), sizeof version,
                  QByteArray(reinterpret_cast<const char*>(&version), sizeof version));
    bytes.chop(2 * (6 + 400) + 2 * (6 + 200));
    WriteAll(station.Path("old.vnq"), bytes);
    BeamSection* back = Load(station.Path("old.vnq"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Rows().sumSquares[4], 48.0);
    EXPECT_EQ(back->Rows().minLimitSet[2], 0u);
    EXPECT_TRUE(station.prompt.Messages().empty());
}

TEST_F(BeamSectionFile, ValuesNoDialogCouldSetAreRefusedLikeDamage) {
    const struct {
        const char* what;
        void (*spoil)(CBeamDataData&, BeamRowArrays&);
    } cases[] = {
        {"statistics mode 4", [](CBeamDataData& r, BeamRowArrays&) { r.m_nStatMode = 4; }},
        {"log output 0", [](CBeamDataData& r, BeamRowArrays&) { r.m_nLogOutput = 0; }},
        {"delimiter 6", [](CBeamDataData& r, BeamRowArrays&) { r.m_nDelimiter = 6; }},
        {"rolling window of 101", [](CBeamDataData& r, BeamRowArrays&) { r.m_nRollingSize = 101; }},
        {"finite size 16384", [](CBeamDataData& r, BeamRowArrays&) { r.m_nFiniteSize = 16384; }},
        {"width bit with no row", [](CBeamDataData& r, BeamRowArrays&) { r.m_nWidthFlags = 0x02; }},
        {"an eighth column", [](CBeamDataData& r, BeamRowArrays&) { r.m_nDisplayFlags = 0x80; }},
        {"clip above 100 %", [](CBeamDataData& r, BeamRowArrays&) { r.m_nUserRatio2 = 1001; }},
        {"angle beyond 90°", [](CBeamDataData& r, BeamRowArrays&) { r.m_nUserAngle1 = -901; }},
        {"serial number without its end",
         [](CBeamDataData& r, BeamRowArrays&) { std::memset(r.m_szSerial, 'x', sizeof r.m_szSerial); }},
        {"font of 5000 points", [](CBeamDataData& r, BeamRowArrays&) { r.m_lfList.lfHeight = 5000; }},
        {"column a million wide", [](CBeamDataData& r, BeamRowArrays&) { r.m_nColumnWidth[2] = 1000000; }},
        {"limit flag 2", [](CBeamDataData&, BeamRowArrays& a) { a.maxLimitSet[0] = 2; }},
        {"limit not a number", [](CBeamDataData&, BeamRowArrays& a) { a.minLimit[9] = std::nan(""); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CBeamDataData record = beam->Settings();
        BeamRowArrays arrays = beam->Rows();
        c.spoil(record, arrays);
        auto* open = dynamic_cast<BeamSection*>(station.Document()->Views().at(0));
        ASSERT_NE(open, nullptr);
        const CBeamDataData good = open->Settings();
        const BeamRowArrays goodRows = open->Rows();
        open->Settings() = record;
        open->Rows() = arrays;
        ASSERT_TRUE(station.file.SaveDataFile(station.Path("bad.vnq")));
        open->Settings() = good;
        open->Rows() = goodRows;
        station.prompt.Clear();
        EXPECT_EQ(station.file.LoadDataFile(station.Path("bad.vnq")), nullptr);
        EXPECT_EQ(station.prompt.Texts(), QStringList{"Could not read file"});
    }
}

}  // namespace
}  // namespace velor::test
