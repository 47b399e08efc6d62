// Loading damaged, foreign, older and newer files: every refusal with its exact message, and
// the reader's tolerance of short files, stray blocks and section tags it does not know.

#include <QBuffer>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

#include "document/SettingsFields.h"
#include "document/file/FileMessages.h"
#include "document/file/KeptSection.h"
#include "tests/support/FileLayout.h"
#include "tests/support/TestStation.h"
#include "views/chart/ChartSection.h"

namespace velor::test {
namespace {

class DataFileLoad : public ::testing::Test {
protected:
    // A data file (N = 10) with a note and a probe view, and its bytes.
    void SetUp() override {
        CVelor32Doc* doc = open = station.NewDocument();
        doc->m_nSignalGain = 17;
        doc->m_fNoise[0] = 42.5f;
        doc->m_n3DGain = 3;
        for (int k = 0; k <= 10; ++k) doc->GetScanNoise()[k] = 1.0f + k;
        doc->GetProfileData(0)[1600] = 100.0f;
        station.AddNote("hello");
        station.AddProbe()->payload = 99;
        path = station.Path("m.vnq");
        ASSERT_TRUE(station.file.SaveDataFile(path));
        bytes = ReadAll(path);
        station.prompt.Clear();
    }

    CVelor32Doc* Load(const QByteArray& content) {
        WriteAll(path, content);
        return station.file.LoadDataFile(path);
    }

    void SetU16(QByteArray& b, int at, uint16_t v) { qToLittleEndian(v, b.data() + at); }
    void SetU32(QByteArray& b, int at, uint32_t v) { qToLittleEndian(v, b.data() + at); }

    // Offsets of the view sections after the document section.
    int NoteMarker() const { return layout.documentEnd(); }
    int NoteBlock() const { return NoteMarker() + 6 + 66; }
    int ProbeMarker() const { return NoteBlock() + 6 + 5; }

    void ExpectFileError(const QString& text) {
        ASSERT_FALSE(station.prompt.Messages().empty());
        EXPECT_EQ(station.prompt.Last().text, text);
        EXPECT_EQ(station.prompt.Last().caption, "File Error");
        EXPECT_EQ(station.prompt.Last().icon, PromptIcon::Exclamation);
    }

    TestStation station;
    CVelor32Doc* open = nullptr;  // the measurement open while the damaged copies are tried
    FileLayout layout{10};
    QString path;
    QByteArray bytes;
};

TEST_F(DataFileLoad, RejectsHeadersThatAreNotOurs) {
    const QString notOurs = QStringLiteral(
        "The selected file is either not a Lumora file\nor it is not asscoiated with this program.");
    QByteArray b = bytes;
    SetU16(b, 36, 0);
    EXPECT_EQ(Load(b), nullptr);
    ExpectFileError(notOurs);

    SetU16(b, 36, 51);
    EXPECT_EQ(Load(b), nullptr);
    ExpectFileError(notOurs);

    b = bytes;
    b[0] = 'X';
    EXPECT_EQ(Load(b), nullptr);
    ExpectFileError(notOurs);

    EXPECT_EQ(Load(bytes.left(39)), nullptr);
    ExpectFileError(notOurs);

    // 50 views is still a file of ours (it ends early, which is allowed).
    b = bytes;
    SetU16(b, 36, 50);
    EXPECT_NE(Load(b), nullptr);
}

TEST_F(DataFileLoad, MissingOrWrongSectionMarkersMeanCorruption) {
    QByteArray b = bytes;
    SetU16(b, layout.frameMarker(), 11);
    EXPECT_EQ(Load(b), nullptr);
    ExpectFileError("Data file has become corrupted");

    // A wrong document marker also puts the frame's record and window back.
    station.frame.windowRect[0] = 77;
    station.file.FrameData().m_nImageQuality = 55;
    b = bytes;
    SetU16(b, layout.documentMarker(), 10);
    EXPECT_EQ(Load(b), nullptr);
    ExpectFileError("Data file has become corrupted");
    EXPECT_EQ(station.file.FrameData().m_nImageQuality, 55u);
    EXPECT_EQ(station.frame.windowRect[0], 77);
    EXPECT_EQ(station.Document(), open) << "a failed load leaves the open document as it was";

    EXPECT_EQ(Load(bytes.left(layout.frameMarker() + 3)), nullptr);
    ExpectFileError("Data file has become corrupted");
}

TEST_F(DataFileLoad, OneFlippedByteInAnyBlockFailsWithCouldNotReadFile) {
    struct Case {
        const char* block;
        int offset;
    };
    const Case cases[] = {
        {"frame record", FileLayout::Data(layout.frameBlock()) + 3},
        {"settings", FileLayout::Data(layout.settingsBlock()) + 100},
        {"profile 0", FileLayout::Data(layout.profileBlock(0)) + 4000},
        {"profile 1", FileLayout::Data(layout.profileBlock(1)) + 12963},
        {"first scan", FileLayout::Data(layout.scanBlock(0))},
        {"last scan", FileLayout::Data(layout.scanBlock(10)) + 77},
        {"scan noise", FileLayout::Data(layout.noiseBlock()) + 43},
        {"view placement", NoteMarker() + 6 + 6 + 20},
        {"note text", FileLayout::Data(NoteBlock()) + 1},
        {"probe view block", ProbeMarker() + 6 + 66 + 6 + 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        station.prompt.Clear();
        QByteArray b = bytes;
        FlipByte(b, c.offset, 0x10);
        EXPECT_EQ(Load(b), nullptr);
        ASSERT_EQ(station.prompt.Messages().size(), 1u) << "one message, never two";
        EXPECT_EQ(station.prompt.Last().text, "Could not read file");
        EXPECT_EQ(station.prompt.Last().caption, "File Error");
        EXPECT_EQ(station.Document(), open);
    }
}

TEST_F(DataFileLoad, UnreadableProfileIsReportedByTheDocumentWithAQuestionIcon) {
    QByteArray b = bytes;
    FlipByte(b, FileLayout::Data(layout.profileBlock(0)) + 8);
    EXPECT_EQ(Load(b), nullptr);
    ASSERT_EQ(station.prompt.Messages().size(), 1u);
    EXPECT_EQ(station.prompt.Last().icon, PromptIcon::Question);
    EXPECT_TRUE(station.prompt.Last().taskModal);
}

TEST_F(DataFileLoad, NewerVersionsAskAndNoEndsQuietly) {
    for (const uint32_t version : {0x00000104u, 0x00000005u, 0x01040004u}) {  // 4.1.0, 5.0.0, 4.0.4 + top byte
        SCOPED_TRACE(version);
        QByteArray b = bytes;
        SetU32(b, 32, version);

        station.prompt.Clear();
        CVelor32Doc* before = station.Document();
        EXPECT_EQ(Load(b), nullptr);
        ASSERT_EQ(station.prompt.Messages().size(), 1u) << "the question only";
        const PromptMessage& q = station.prompt.Last();
        EXPECT_EQ(q.text, "File version is different than expected.\nWould you like to attempt to load it anyway?");
        EXPECT_EQ(q.caption, "File Error");
        EXPECT_EQ(q.buttons, PromptButtons::YesNo);
        EXPECT_EQ(q.icon, PromptIcon::Stop);
        EXPECT_EQ(station.Document(), before) << "No keeps the open document";

        station.prompt.Answer(PromptAnswer::Yes);
        EXPECT_NE(Load(b), nullptr);
    }
}

TEST_F(DataFileLoad, OlderAndEqualFilesLoadWithoutAQuestion) {
    for (const uint32_t version : {0x00040004u, 0x00030004u, 0x00020004u}) {  // 4.0.4, 4.0.3, 4.0.2
        SCOPED_TRACE(version);
        station.prompt.Clear();
        QByteArray b = bytes;
        SetU32(b, 32, version);
        CVelor32Doc* doc = Load(b);
        ASSERT_NE(doc, nullptr);
        EXPECT_TRUE(station.prompt.Messages().empty());
        EXPECT_EQ(doc->GetScanNoise()[10], 11.0f) << "from 4.0.2 on the noise array is read";
    }
}

TEST_F(DataFileLoad, Version401HasNoNoiseArrayAndTakesAxisZeroNoiseAndTheGain) {
    QByteArray b = bytes;
    SetU32(b, 32, 0x00010004);  // 4.0.1
    b.remove(layout.noiseBlock(), 6 + 11 * 4);
    CVelor32Doc* doc = Load(b);
    ASSERT_NE(doc, nullptr) << station.prompt.Texts().join("|").toStdString();
    EXPECT_TRUE(station.prompt.Messages().empty());
    for (int k = 0; k <= 10; ++k) EXPECT_EQ(doc->GetScanNoise()[k], 42.5f);
    EXPECT_EQ(doc->Get3DNoiseMaximum(), 42.5f);
    EXPECT_EQ(doc->m_n3DGain, 17);
    EXPECT_EQ(doc->Views().size(), 2u);
}

TEST_F(DataFileLoad, NoiseArrayOfAnOlderFileIsSkippedAsAStrayBlock) {
    QByteArray b = bytes;
    SetU32(b, 32, 0x00000003);  // 3.0.0: read as carrying no array
    CVelor32Doc* doc = Load(b);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetScanNoise()[3], 42.5f);
    EXPECT_EQ(doc->Views().size(), 2u);
}

TEST_F(DataFileLoad, FileEndingEarlyInItsViewSectionsLoadsWhatIsThere) {
    CVelor32Doc* doc = Load(bytes.left(ProbeMarker() + 4));
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->Views().size(), 1u);
    EXPECT_EQ(doc->Views()[0]->Tag(), kNoteViewTag);
    EXPECT_TRUE(station.prompt.Messages().empty());

    // Ending inside the document section is a damaged file.
    EXPECT_EQ(Load(bytes.left(layout.scanBlock(4) + 100)), nullptr);
    ExpectFileError("Could not read file");
}

QByteArray Marker(uint16_t tag) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Archive archive(buffer);
    CDataCrc16::WriteSectionMarker(archive, tag);
    return buffer.data();
}

QByteArray Block(const QByteArray& record) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Archive archive(buffer);
    CDataCrc16::WriteBlock(archive, record.constData(), static_cast<uint16_t>(record.size()));
    return buffer.data();
}

QByteArray RawHeader(uint16_t tag, uint16_t length) {
    QByteArray h(6, '\0');
    qToLittleEndian(tag, h.data());
    qToLittleEndian(length, h.data() + 2);
    return h;
}

TEST_F(DataFileLoad, StrayBlocksAndUnknownSectionsAreHandledAsTheReaderPromises) {
    // Document section, then: a stray data block (skipped, not counted); tag 0 and tag 30
    // headers with 3 bytes each (skipped, not counted); an unregistered view type (tag 4,
    // counted, its placement and record kept as they stand); tag 2 (counted, one inner block
    // skipped); tag 16 (counted); then the note — the fifth counted section.
    QByteArray b = bytes.left(layout.documentEnd());
    b += Block("stray");
    b += RawHeader(0, 3) + "abc";
    b += RawHeader(30, 3) + "xyz";
    b += Marker(4) + Block(QByteArray(60, '\0')) + Block(QByteArray(52, '\1'));
    b += Marker(2) + Block("inner");
    b += Marker(16);
    b += bytes.mid(NoteMarker(), ProbeMarker() - NoteMarker());
    SetU16(b, 36, 4);
    CVelor32Doc* doc = Load(b);
    ASSERT_NE(doc, nullptr) << station.prompt.Texts().join("|").toStdString();
    ASSERT_EQ(doc->Views().size(), 2u);
    const auto* kept = dynamic_cast<KeptSection*>(doc->Views()[0]);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->Tag(), 4);
    EXPECT_EQ(kept->Bytes(), Block(QByteArray(60, '\0')) + Block(QByteArray(52, '\1')));
    EXPECT_EQ(static_cast<NoteSection*>(doc->Views()[1])->Text(), "hello");

    // One counted section fewer in the header: the note is never reached.
    SetU16(b, 36, 3);
    doc = Load(b);
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->Views().size(), 1u);
    EXPECT_EQ(doc->Views()[0]->Tag(), 4);
}

TEST_F(DataFileLoad, DocumentAndForeignKindsOfSectionsAmongTheViewsFail) {
    for (const uint16_t tag : {11, 15, 19}) {
        SCOPED_TRACE(tag);
        station.prompt.Clear();
        QByteArray b = bytes.left(layout.documentEnd()) + Marker(tag);
        EXPECT_EQ(Load(b), nullptr);
        ExpectFileError("Could not read file");
    }
}

TEST_F(DataFileLoad, OverlongProfileAndScanBlocksAreCutToOneProfile) {
    // Rebuild the file with 4096-sample profile blocks and an over-long first scan record.
    QByteArray b = bytes.left(layout.profileBlock(0));
    QByteArray big(4096 * 4, '\0');
    reinterpret_cast<float*>(big.data())[1600] = 100.0f;
    reinterpret_cast<float*>(big.data())[4000] = 1e6f;  // beyond the profile: must be dropped
    b += Block(big) + Block(big) + Block(big);
    b += bytes.mid(layout.scanBlock(1));
    CVelor32Doc* doc = Load(b);
    ASSERT_NE(doc, nullptr) << station.prompt.Texts().join("|").toStdString();
    EXPECT_EQ(doc->GetNumPoints(0), 3241);
    EXPECT_EQ(doc->GetPeakValue(0), 100.0f);
    EXPECT_EQ(doc->Get3DData()[1600], 100.0f);
    EXPECT_EQ(doc->Get3DData()[3241], 0.0f) << "scan 1 is not overwritten by scan 0's excess";
}

TEST_F(DataFileLoad, ShortProfileBlocksKeepTheirCount) {
    QByteArray b = bytes.left(layout.profileBlock(0));
    QByteArray shortProfile(1000 * 4, '\0');
    reinterpret_cast<float*>(shortProfile.data())[500] = 9.0f;
    b += Block(shortProfile) + Block(shortProfile);
    b += bytes.mid(layout.scanBlock(0));
    CVelor32Doc* doc = Load(b);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetNumPoints(0), 1000);
    EXPECT_EQ(doc->GetPeakValue(1), 9.0f);
}

TEST_F(DataFileLoad, ScanCountsNoAcquisitionCanProduceAreRefused) {
    // Settings record with N = 0, re-checksummed so only the value is wrong.
    QByteArray b = bytes;
    const int settings = FileLayout::Data(layout.settingsBlock());
    SetU16(b, settings + 28, 0);
    SetU16(b, layout.settingsBlock() + 4,
           CDataCrc16::ComputeCrc(b.constData() + settings, 144));
    EXPECT_EQ(Load(b), nullptr);
    ExpectFileError("Could not read file");
}

TEST_F(DataFileLoad, SuccessfulLoadTellsTheFrame) {
    station.file.FrameData().m_bTimedBackup = 0;
    QByteArray b = bytes;
    // Timed backup on in the stored frame record (re-checksummed).
    const int frame = FileLayout::Data(layout.frameBlock());
    SetU32(b, frame + 20, 1);
    SetU16(b, layout.frameBlock() + 4, CDataCrc16::ComputeCrc(b.constData() + frame, 48));
    CVelor32Doc* doc = Load(b);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(station.frame.backupsStarted, 1);
    EXPECT_EQ(station.frame.recent.back(), path);
    EXPECT_EQ(station.frame.caption, "Orbiscan Viewer - " + path);
    EXPECT_EQ(doc->GetPathName(), path);
    EXPECT_EQ(station.prompt.waitCursorDepth, 0);
    EXPECT_GT(station.prompt.waitCursorUses, 0);
}

TEST_F(DataFileLoad, MissingFileIsReportedAndChangesNothing) {
    CVelor32Doc* before = station.Document();
    EXPECT_EQ(station.file.LoadDataFile(station.Path("absent.vnq")), nullptr);
    ASSERT_EQ(station.prompt.Messages().size(), 1u);
    EXPECT_TRUE(station.prompt.Last().text.startsWith("Failed to open document."));
    EXPECT_EQ(station.Document(), before);
}

// Puts value at offset within the record of the block that starts at block, with the block's
// CRC made good again: the bytes arrive intact but say something impossible.
template <typename T>
void PatchRecord(QByteArray& b, int block, int offset, const T& value) {
    std::memcpy(b.data() + block + 6 + offset, &value, sizeof value);
    const uint16_t length = qFromLittleEndian<uint16_t>(b.constData() + block + 2);
    qToLittleEndian(BitwiseKermit(b.mid(block + 6, length)), b.data() + block + 4);
}

TEST_F(DataFileLoad, SectionsOfViewsThisProgramCannotShowAreWrittenBackByteForByte) {
    // A beam statistics section (a view this program does not register) and a newer
    // program's view (tag 40) among the known ones.
    QByteArray b = bytes.left(NoteMarker());
    b += Marker(21) + Block(QByteArray(60, '\x02')) + Block(QByteArray(592, '\x15')) +
         Block(QByteArray(400, '\x07'));
    b += bytes.mid(NoteMarker());
    b += Marker(40) + Block("a newer view's own record");
    SetU16(b, 36, 4);
    CVelor32Doc* doc = Load(b);
    ASSERT_NE(doc, nullptr) << station.prompt.Texts().join("|").toStdString();
    ASSERT_EQ(doc->Views().size(), 4u);

    const QString again = station.Path("again.vnq");
    ASSERT_TRUE(station.file.SaveDataFile(again));
    EXPECT_EQ(ReadAll(again).toHex().toStdString(), b.toHex().toStdString());
}

TEST_F(DataFileLoad, ImpossibleSettingsAreRefusedLikeDamage) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        int offset;
        std::function<void(QByteArray&, int block, int offset)> patch;
    };
    const auto f32 = [](float v) { return [v](QByteArray& b, int block, int at) { PatchRecord(b, block, at, v); }; };
    const auto i32 = [](int32_t v) { return [v](QByteArray& b, int block, int at) { PatchRecord(b, block, at, v); }; };
    const auto u16 = [](uint16_t v) { return [v](QByteArray& b, int block, int at) { PatchRecord(b, block, at, v); }; };
    const Case cases[] = {
        {"distance NaN", 16, f32(nan)},
        {"negative distance", 16, f32(0.65f)},
        {"distance beyond the dialog's", 16, f32(250.0f)},
        {"negative wavelength", 108, f32(-1.0f)},
        {"infinite wavelength", 108, f32(inf)},
        {"angular limit NaN", 104, f32(nan)},
        {"negative angular limit", 104, f32(-5.0f)},
        {"source frequency 0", 124, f32(0.0f)},
        {"phi 720", 20, f32(720.0f)},
        {"scan mode of a 3D run", 8, i32(3)},
        {"filter 0", 12, i32(0)},
        {"averaging 0", 24, i32(0)},
        {"gain 300", 2, u16(300)},
        {"units 5", 76, u16(5)},
        {"negative calibration", 72, f32(-1.0f)},
        {"reference power 0", 56, f32(0.0f)},
        {"noise NaN", 32, f32(nan)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        station.prompt.Clear();
        QByteArray b = bytes;
        c.patch(b, layout.settingsBlock(), c.offset);
        EXPECT_EQ(Load(b), nullptr);
        ExpectFileError("Could not read file");
        EXPECT_EQ(station.Document(), open);
    }

    // A units text without its terminator ends within its field.
    QByteArray b = bytes;
    b.replace(layout.settingsBlock() + 6 + 60, 10, "ABCDEFGHIJ");
    PatchRecord(b, layout.settingsBlock(), 0, uint16_t{0});
    CVelor32Doc* doc = Load(b);
    ASSERT_NE(doc, nullptr);
    EXPECT_STREQ(doc->GetRefUnits(), "ABCDEFGHI");
}

TEST_F(DataFileLoad, ChartRecordsThatWouldDrawMillionsOfLinesOrNothingAreRefused) {
    PolarSection::Register(station.viewTypes);
    const auto withPolar = [&](const CPolarData& record) {
        QByteArray b = bytes.left(NoteMarker()) + Marker(kPolarViewTag) + Block(QByteArray(60, '\0'));
        b += Block(QByteArray(reinterpret_cast<const char*>(&record), sizeof record)) + bytes.mid(NoteMarker());
        SetU16(b, 36, 3);
        return b;
    };
    struct Case {
        const char* what;
        float range, offset;
        int32_t grid;
    };
    const Case cases[] = {
        {"two million degrees", 2e6f, 0.0f, 10}, {"range 0", 0.0f, 0.0f, 10},
        {"negative range", -5.0f, 0.0f, 10},     {"range NaN", std::nanf(""), 0.0f, 10},
        {"offset beyond 90", 20.0f, 100.0f, 10}, {"grid 0", 180.0f, 0.0f, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        station.prompt.Clear();
        CPolarData record;
        record.m_fZoomRange = c.range;
        record.m_fZoomOffset = c.offset;
        record.m_nZoomGrid = c.grid;
        EXPECT_EQ(Load(withPolar(record)), nullptr);
        ExpectFileError("Could not read file");
    }
    CPolarData sound;
    sound.m_fZoomRange = 20.0f;
    CVelor32Doc* doc = Load(withPolar(sound));
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->Views().size(), 3u);
    EXPECT_EQ(static_cast<PolarSection*>(doc->Views()[0])->m_fZoomRange, 20.0f);
}

}  // namespace
}  // namespace velor::test

namespace velor::test {
namespace {

// Every field of the settings record tried with values no dialog, setter or sweep produces:
// each is refused like damage, except where the field means something for every value.
TEST_F(DataFileLoad, EveryImpossibleValueOfEverySettingsFieldIsRefused) {
    // Kept as read (reserved), "on" when nonzero (flags), or "unknown" (head type, variant).
    const QStringList takesAnything = {"m_reserved0",  "m_reserved4",   "m_reserved30",  "m_bBlindSpot",
                                       "m_b3DValid",   "m_reserved70",  "m_nHeadType",   "m_reserved84",
                                       "m_reserved86", "m_nHeadVariant", "m_reserved92", "m_reserved96",
                                       "m_reserved112", "m_bPulsed",    "m_reserved128"};
    // Gains and units start at 0.
    const QStringList takesZero = {"m_nSignalGain", "m_nCalGain", "m_n3DGain", "m_nUnits"};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double floats[] = {nan, inf, -inf, -1.0, 1e30, -1e30};
    const double s32[] = {-1.0, INT32_MIN, INT32_MAX};
    const double u16[] = {0.0, 65535.0};
    const double u32[] = {0.0, 4294967295.0};

    int tried = 0;
    for (const FieldDescriptor& field : SettingsRecordFields()) {
        std::span<const double> values;
        switch (field.kind) {
            case FieldKind::F32:
            case FieldKind::F64: values = floats; break;
            case FieldKind::S32: values = s32; break;
            case FieldKind::U16: values = u16; break;
            case FieldKind::U32: values = u32; break;
            case FieldKind::Text:
            case FieldKind::Bytes: continue;
        }
        const QString name = QString::fromLatin1(field.name);
        for (const double value : values) {
            SCOPED_TRACE(name.toStdString() + " = " + std::to_string(value));
            QByteArray b = bytes;
            const int at = static_cast<int>(field.offset);
            switch (field.kind) {
                case FieldKind::F32: PatchRecord(b, layout.settingsBlock(), at, static_cast<float>(value)); break;
                case FieldKind::F64: PatchRecord(b, layout.settingsBlock(), at, value); break;
                case FieldKind::S32: PatchRecord(b, layout.settingsBlock(), at, static_cast<int32_t>(value)); break;
                case FieldKind::U16: PatchRecord(b, layout.settingsBlock(), at, static_cast<uint16_t>(value)); break;
                default: PatchRecord(b, layout.settingsBlock(), at, static_cast<uint32_t>(value)); break;
            }
            const bool accepted = takesAnything.contains(name) || (value == 0.0 && takesZero.contains(name));
            station.prompt.Clear();
            EXPECT_EQ(Load(b) != nullptr, accepted) << station.prompt.Texts().join("|").toStdString();
            if (!accepted) ExpectFileError("Could not read file");
            ++tried;
        }
    }
    EXPECT_GE(tried, 100);
}

// The edges of what the dialogs and the acquisition can produce all load.
TEST_F(DataFileLoad, TheEdgesOfWhatTheProgramWritesLoad) {
    const struct {
        const char* what;
        int offset;
        float value;
    } edges[] = {
        {"distance 100 cm", 16, 100.0f + 1.65f}, {"phi just below 360", 20, 359.775f},
        {"noise at full scale", 36, 65535.0f},   {"offset at full scale", 40, 65535.0f},
        {"offset 0", 44, 0.0f},                  {"reference power 1", 56, 1.0f},
        {"reference power 1000", 56, 1000.0f},   {"calibration of a full-scale field", 72, 1.8e7f},
        {"angular limit 90", 104, 90.0f},        {"wavelength 100 nm", 108, 100.0f},
        {"wavelength 3000 nm", 108, 3000.0f},    {"frequency 0.1 kHz", 124, 0.1f},
        {"frequency 20 kHz", 124, 20.0f},
    };
    for (const auto& edge : edges) {
        SCOPED_TRACE(edge.what);
        QByteArray b = bytes;
        PatchRecord(b, layout.settingsBlock(), edge.offset, edge.value);
        EXPECT_NE(Load(b), nullptr) << station.prompt.Texts().join("|").toStdString();
    }
}

// A scan's noise level becomes axis 0's in replay, and so the settings': it is checked too.
TEST_F(DataFileLoad, AScanNoiseLevelNoSweepGivesIsRefused) {
    for (const float noise : {std::numeric_limits<float>::quiet_NaN(), -1.0f, 1e30f}) {
        QByteArray b = bytes;
        PatchRecord(b, layout.noiseBlock(), 4 * 3, noise);
        station.prompt.Clear();
        EXPECT_EQ(Load(b), nullptr);
        ExpectFileError("Could not read file");
    }
}

}  // namespace
}  // namespace velor::test
