// The beam statistics section without its window: record and per-row arrays through a save and
// a load byte for byte, the blocks of data and configuration files, older files without limit
// arrays, files of the writer before metric rows unchanged through a load and a save, the metric
// rows' additional block and a reader that knows nothing of it, and values no dialog could have
// set refused like damage.

#include <gtest/gtest.h>

#include <QFile>
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

// The file without the program version its header names, which a later writer may raise.
QByteArray WithoutVersion(QByteArray file) {
    file.replace(offsetof(DataFileHeader, version), sizeof(uint32_t), QByteArray(sizeof(uint32_t), '\0'));
    return file;
}

TEST_F(BeamSectionFile, FilesOfTheWriterBeforeMetricRowsReadAndWriteByteForByte) {
    // Written by the program as it stood before metric rows (data and configuration file, a beam
    // statistics section with statistics and limits), compressed with qCompress.
    for (const char* name : {"classic.vnq", "classic.cfg"}) {
        SCOPED_TRACE(name);
        QFile stored(QStringLiteral(BEAMSTATS_TEST_DATA "/%1.qz").arg(QLatin1String(name)));
        ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
        const QByteArray original = qUncompress(stored.readAll());
        ASSERT_FALSE(original.isEmpty());
        const QString path = station.Path(QLatin1String(name));
        WriteAll(path, original);
        BeamSection* back = Load(path);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->Metrics().m_nKinds, 0u);
        EXPECT_EQ(back->Rows().minLimit[1], 2.5);
        const QString again = station.Path(QStringLiteral("again-") + QLatin1String(name));
        ASSERT_TRUE(station.file.SaveDataFile(again));
        EXPECT_EQ(WithoutVersion(ReadAll(again)), WithoutVersion(original));
    }
}

// A reader of the time before metric rows: the placement, the record and the nine arrays.
class ClassicBeamReader : public DocumentView {
public:
    ClassicBeamReader() : DocumentView(kBeamDataViewTag) {}
    bool WriteSection(SerializeContext&) override { return false; }
    bool ReadSection(SerializeContext& context) override {
        if (!DocumentView::ReadSection(context)) return false;
        CBeamDataData record;
        double array[kBeamRows];
        if (CDataCrc16::ReadBlock(context.archive, &record, sizeof record) == 0) return false;
        for (int i = 0; i < 9; ++i) {
            if (CDataCrc16::ReadBlock(context.archive, array, sizeof array) == 0) return false;
        }
        return true;
    }
};

TEST_F(BeamSectionFile, MetricRowsTravelInABlockOfTheirOwnThatOlderReadersPassOver) {
    CBeamMetricData& m = beam->Metrics();
    m.m_nKinds = 0x004 | 0x080;
    m.m_nRowCount = 3;
    const uint32_t keys[] = {44, 44, 49};
    for (uint32_t k = 0; k < 3; ++k) {
        m.m_nKey[k] = keys[k];
        m.m_fValue[k] = 10.0 + k;
        m.m_fSum[k] = 40.0 + k;
        m.m_nCount[k] = 4 - k;
    }
    m.m_nMaxLimitSet[2] = 1;
    m.m_fMaxLimit[2] = 0.5;
    const CBeamMetricData written = m;
    station.AddNote("after the beam statistics");
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("m.vnq")));
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("m.cfg")));
    const std::vector<QByteArray> blocks = SectionBlocks(ReadAll(station.Path("m.vnq")), kBeamDataViewTag);
    EXPECT_EQ(Lengths(blocks), (std::vector<int>{60, 592, 400, 400, 400, 400, 400, 400, 400, 200, 200, 2320}));

    CVelor32Doc* loaded = station.file.LoadDataFile(station.Path("m.vnq"));
    ASSERT_NE(loaded, nullptr);
    auto* back = dynamic_cast<BeamSection*>(loaded->Views().at(0));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(std::memcmp(&back->Metrics(), &written, sizeof written), 0);
    // A configuration file keeps the selection and the limits, not the statistics.
    loaded = station.file.LoadDataFile(station.Path("m.cfg"));
    ASSERT_NE(loaded, nullptr);
    back = dynamic_cast<BeamSection*>(loaded->Views().at(0));
    EXPECT_EQ(back->Metrics().m_nKinds, written.m_nKinds);
    EXPECT_EQ(back->Metrics().m_nKey[2], 49u);
    EXPECT_EQ(back->Metrics().m_fMaxLimit[2], 0.5);
    EXPECT_EQ(back->Metrics().m_fSum[0], 0.0);
    EXPECT_EQ(back->Metrics().m_nCount[0], 0u);

    // Limits no dialog could set, or more rows than the block holds: refused like damage.
    const CBeamMetricData sound = back->Metrics();  // the open measurement's, from m.cfg
    for (const auto spoil : {+[](CBeamMetricData& d) { d.m_nMinLimitSet[1] = 2; },
                             +[](CBeamMetricData& d) { d.m_nRowCount = kBeamMetricRows + 1; }}) {
        spoil(back->Metrics());
        ASSERT_TRUE(station.file.SaveDataFile(station.Path("bad.vnq")));
        back->Metrics() = sound;
        station.prompt.Clear();
        EXPECT_EQ(station.file.LoadDataFile(station.Path("bad.vnq")), nullptr);
        EXPECT_EQ(station.prompt.Texts(), QStringList{"Could not read file"});
    }

    TestStation older;
    older.viewTypes.Register(kBeamDataViewTag, [](CDormDoc& document) {
        return document.AdoptView(std::make_unique<ClassicBeamReader>());
    });
    CVelor32Doc* old = older.file.LoadDataFile(station.Path("m.vnq"));
    ASSERT_NE(old, nullptr) << "the block is passed over as one no view claims";
    ASSERT_EQ(old->Views().size(), 2u);
    auto* note = dynamic_cast<NoteSection*>(old->Views()[1]);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->Text(), "after the beam statistics");
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
