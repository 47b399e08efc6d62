// What a saved file holds, byte for byte: the configuration file built from the format alone,
// the exact length of data files for every scan count, and a round trip that restores every
// setting (reserved fields included) and every array.

#include <QBuffer>
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>

#include "tests/support/FileLayout.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

// Little-endian packing, independent of the record structs.
class Packer {
public:
    Packer& U16(uint16_t v) { return Raw(&v, 2); }
    Packer& U32(uint32_t v) { return Raw(&v, 4); }
    Packer& I32(int32_t v) { return Raw(&v, 4); }
    Packer& F32(float v) { return Raw(&v, 4); }
    Packer& F64(double v) { return Raw(&v, 8); }
    Packer& Text(const char* s, int width) {
        QByteArray field(s);
        bytes += field + QByteArray(width - field.size(), '\0');
        return *this;
    }
    Packer& Zeros(int count) {
        bytes += QByteArray(count, '\0');
        return *this;
    }
    QByteArray bytes;

private:
    Packer& Raw(const void* p, int size) {
        bytes.append(static_cast<const char*>(p), size);
        return *this;
    }
};

QByteArray Block(const QByteArray& record) {
    return Packer().U16(12).U16(static_cast<uint16_t>(record.size())).U16(BitwiseKermit(record)).bytes + record;
}

QByteArray Marker(uint16_t tag) { return Packer().U16(tag).U16(0xFFFF).U16(0xFFFF).bytes; }

QByteArray DefaultSettingsRecord() {
    return Packer()
        .U16(0).U16(0).U32(0)     // reserved, gain, reserved
        .I32(0).I32(1)            // scan mode, filter
        .F32(1.65f).F32(0.0f)     // distance, phi
        .I32(1).U16(10).U16(0)    // averaging, 3D scans, padding
        .F32(0).F32(0).F32(0).F32(0)  // noise, offset
        .I32(1).I32(0)            // blind spot, 3D valid
        .F32(1.0f).Text("mW", 10).U16(0)
        .F32(0.0f).U16(0).U16(0)  // cal counts, units, cal gain
        .I32(-1).U16(0).U16(0)    // head type, reserved, padding
        .I32(-1).U32(0).F64(0.0)  // head variant, reserved, reserved
        .F32(40.0f).F32(1310.0f).F64(0.0)
        .I32(0).F32(1.0f).F64(0.0)
        .U16(0).Zeros(6)
        .bytes;
}

TEST(DataFileFormat, ConfigurationFileHoldsExactlyTheFormatsBytes) {
    TestStation station;
    station.NewDocument();
    station.AddNote("line one\r\nline two");
    const QString path = station.Path("setup.cfg");
    ASSERT_TRUE(station.file.SaveDataFile(path));

    const QByteArray header = Packer().Text("CFG", 32).U32(0x00040004).U16(1).U16(0).bytes;
    const QByteArray frame = Packer()
                                 .U32(0).I32(10).I32(20).I32(810).I32(620)  // window rectangle
                                 .U32(0).U16(10).U16(0)                     // backup off, 10 min
                                 .U32(0).U32(0).U32(0).U32(0).U32(100)      // image BMP, 100
                                 .bytes;
    const QByteArray placement = Packer()
                                     .U32(0).U32(0).U32(0)
                                     .U32(44).U32(0).U32(1).I32(0).I32(0).I32(0).I32(0)
                                     .I32(0).I32(0).I32(300).I32(300)
                                     .U16(0).U16(0)
                                     .bytes;
    const QByteArray expected = header + Marker(10) + Block(frame) + Marker(11) +
                                Block(DefaultSettingsRecord()) + Marker(5) + Block(placement) +
                                Block("line one\r\nline two");
    EXPECT_EQ(ReadAll(path).toHex().toStdString(), expected.toHex().toStdString());
}

TEST(DataFileFormat, DataFileLengthFollowsTheLayoutForEveryScanCount) {
    for (const int n : {10, 20, 50, 100, 200}) {
        TestStation station;
        CVelor32Doc* doc = station.NewDocument();
        doc->m_nScans3D = static_cast<uint16_t>(n);
        doc->ReallocateArrays();
        station.AddNote("");
        const QString path = station.Path("n.vnq");
        ASSERT_TRUE(station.file.SaveDataFile(path));

        const FileLayout layout(n);
        const QByteArray bytes = ReadAll(path);
        // Document section, then one notes section: marker, placement block, empty note block.
        EXPECT_EQ(bytes.size(), layout.documentEnd() + 6 + (6 + 60) + 6) << "N = " << n;
        // The noise array's block header carries (N + 1) × 4 bytes.
        EXPECT_EQ(qFromLittleEndian<uint16_t>(bytes.constData() + layout.noiseBlock() + 2), (n + 1) * 4);
        // The last scan record is a data block of one profile.
        EXPECT_EQ(qFromLittleEndian<uint16_t>(bytes.constData() + layout.scanBlock(n)), 12);
        EXPECT_EQ(qFromLittleEndian<uint16_t>(bytes.constData() + layout.scanBlock(n) + 2), 12964);
        EXPECT_EQ(qFromLittleEndian<uint16_t>(bytes.constData() + layout.noiseBlock() + (n + 1) * 4 + 6), 5)
            << "the view marker follows the noise array";
    }
}

// Fills every byte of the settings record, reserved and padding bytes included, with values
// no default has, keeping the fields the reader checks within what the program can produce.
void ScrambleSettings(CVelor32DocLSData& s) {
    auto* bytes = reinterpret_cast<uint8_t*>(&s);
    for (size_t i = 0; i < sizeof s; ++i) bytes[i] = static_cast<uint8_t>(0x5A ^ (i * 37));
    s.m_nSignalGain = 37;
    s.m_nScanMode = 2;
    s.m_nFilter = 7;
    s.m_nAveraging = 12;
    s.m_nScans3D = 20;
    s.m_fDistance = 4.2f;
    s.m_fPhi = 123.75f;
    s.m_fNoise[0] = 3.5f;
    s.m_fNoise[1] = 4.5f;
    s.m_fOffset[0] = 10.0f;  // far from full scale: no saturation on load
    s.m_fOffset[1] = 12.0f;
    s.m_fRefPower = 2.5f;
    s.m_szRefUnits[3] = '\0';  // the bytes after the terminator stay scrambled
    s.m_fCalCounts = 12345.0f;
    s.m_nUnits = 1;
    s.m_nCalGain = 11;
    s.m_fAngularLimit = 33.0f;
    s.m_fWavelength = 1550.0f;
    s.m_fSourceFreq = 7.5f;
    s.m_n3DGain = 13;
}

TEST(DataFileFormat, RoundTripRestoresEverySettingBitForBitAndEveryArray) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    ScrambleSettings(doc->Settings());
    doc->ReallocateArrays();
    for (int axis = 0; axis < 2; ++axis) {
        float* p = doc->GetProfileData(axis);
        for (int i = 0; i < 3241; ++i) p[i] = static_cast<float>((i * (axis + 3)) % 977) + 0.25f;
    }
    float* scans = doc->Get3DData();
    for (int i = 0; i < 21 * 3241; ++i) scans[i] = static_cast<float>(i % 4099) * 0.5f;
    for (int k = 0; k <= 20; ++k) doc->GetScanNoise()[k] = 3.0f + k;
    station.AddNote("note");
    ProbeView* probe = station.AddProbe();
    probe->payload = 0x0123456789ABCDEFull;
    probe->m_viewData.m_nUpdateRate = 7;

    const CVelor32DocLSData saved = doc->Settings();
    const std::vector<float> profile0(doc->GetProfileData(0), doc->GetProfileData(0) + 3241);
    const std::vector<float> profile1(doc->GetProfileData(1), doc->GetProfileData(1) + 3241);
    const std::vector<float> data3D(scans, scans + 21 * 3241);

    const QString path = station.Path("round.vnq");
    ASSERT_TRUE(station.file.SaveDataFile(path));
    CVelor32Doc* loaded = station.file.LoadDataFile(path);
    ASSERT_NE(loaded, nullptr) << station.prompt.Texts().join("|").toStdString();

    EXPECT_EQ(std::memcmp(&loaded->Settings(), &saved, sizeof saved), 0);
    EXPECT_EQ(std::vector<float>(loaded->GetProfileData(0), loaded->GetProfileData(0) + 3241), profile0);
    EXPECT_EQ(std::vector<float>(loaded->GetProfileData(1), loaded->GetProfileData(1) + 3241), profile1);
    EXPECT_EQ(std::vector<float>(loaded->Get3DData(), loaded->Get3DData() + 21 * 3241), data3D);
    for (int k = 0; k <= 20; ++k) EXPECT_EQ(loaded->GetScanNoise()[k], 3.0f + k);
    EXPECT_EQ(loaded->Get3DNoiseMaximum(), 23.0f);
    EXPECT_EQ(loaded->GetNumPoints(0), 3241);
    EXPECT_FALSE(loaded->IsModified());
    EXPECT_TRUE(loaded->NeedsInitialisation());

    ASSERT_EQ(loaded->Views().size(), 2u);
    EXPECT_EQ(loaded->Views()[0]->Tag(), kNoteViewTag);
    EXPECT_EQ(static_cast<NoteSection*>(loaded->Views()[0])->Text(), "note");
    auto* probeBack = static_cast<ProbeView*>(loaded->Views()[1]);
    EXPECT_EQ(probeBack->payload, 0x0123456789ABCDEFull);
    EXPECT_EQ(probeBack->m_viewData.m_nUpdateRate, 7);

    // Saved again, the file is the same file.
    const QString again = station.Path("again.vnq");
    ASSERT_TRUE(station.file.SaveDataFile(again));
    EXPECT_EQ(ReadAll(again), ReadAll(path));
}

TEST(DataFileFormat, LoadedProfilesFindTheirPeakAndSaturationIsReported) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    doc->m_fOffset[0] = 65000.0f;
    doc->GetProfileData(0)[1700] = 600.0f;  // offset + peak reaches full scale
    doc->GetProfileData(1)[3235] = 10.0f;   // within the last ten samples: no peak
    station.AddNote("");
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("sat.vnq")));
    CVelor32Doc* loaded = station.file.LoadDataFile(station.Path("sat.vnq"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetPeakValue(0), 600.0f);
    EXPECT_EQ(loaded->GetPeakIndex(0), 1700);
    EXPECT_EQ(loaded->GetPeakValue(1), 0.0f);
    EXPECT_EQ(loaded->GetPeakIndex(1), 3235);
    // Axis 1 was processed last and is not saturated, but the sweep as a whole was.
    EXPECT_EQ(station.prompt.saturationShown, 1);
    EXPECT_EQ(station.prompt.saturationText, "Signal is saturated!");
}

TEST(DataFileFormat, ConfigurationFileCarriesNoDataAndDropsIntensityUnits) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    doc->m_nUnits = 2;
    doc->m_b3DValid = 1;
    doc->m_nFilter = 7;
    doc->GetProfileData(0)[100] = 5.0f;
    station.AddNote("");
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("s.cfg")));
    EXPECT_EQ(ReadAll(station.Path("s.cfg")).size(), FileLayout(10).configEnd() + 6 + 66 + 6);

    CVelor32Doc* loaded = station.file.LoadDataFile(station.Path("s.cfg"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->m_nUnits, 0);
    EXPECT_EQ(loaded->m_b3DValid, 0);
    EXPECT_EQ(loaded->m_nFilter, 7);
    EXPECT_EQ(loaded->GetProfileData(0)[100], 0.0f);
    EXPECT_TRUE(loaded->NeedsInitialisation());
}

}  // namespace
}  // namespace velor::test
