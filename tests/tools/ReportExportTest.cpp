// vnqtool report and export-h5 as a user runs them: the PDF read back as text by pdftotext
// (its figures, limits and verdicts, headers and page numbers), its images listed by pdfimages,
// and the HDF5 file read back through the library's C API, array by array to the bit.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <hdf5.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "common/FixedText.h"
#include "document/Velor32Doc.h"
#include "document/export/Hdf5Export.h"
#include "document/parameters/StandardParameters.h"
#include "tests/support/TestStation.h"
#include "views/HeadlessSections.h"
#include "views/beamstats/BeamSection.h"

namespace {

using velor::CVelor32Doc;
using velor::FixedText;

struct ProcessRun {
    int status;
    QString out;
    QString err;
};

// The program under an environment of its own; through sh when a shell limit is to be set.
ProcessRun Start(const QString& program, const QStringList& arguments, const QStringList& environment = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& pair : environment) env.insert(pair.section('=', 0, 0), pair.section('=', 1));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(120000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

ProcessRun Tool(const QStringList& arguments) { return Start(QStringLiteral(VNQTOOL_PATH), arguments); }

QString PdfText(const QString& pdf, int page = 0) {
    QStringList arguments{"-layout"};
    if (page > 0) arguments << "-f" << QString::number(page) << "-l" << QString::number(page);
    return Start(QStringLiteral("pdftotext"), arguments << pdf << "-").out;
}

int PdfPages(const QString& pdf) {
    const QRegularExpressionMatch m =
        QRegularExpression("Pages:\\s+(\\d+)").match(Start(QStringLiteral("pdfinfo"), {pdf}).out);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// A table row as pdftotext lays it out: the name, then its cells in order.
bool HasRow(const QString& text, const QString& name, const QStringList& cells) {
    QString pattern = QRegularExpression::escape(name);
    for (const QString& cell : cells) pattern += "\\s+" + QRegularExpression::escape(cell);
    return QRegularExpression(pattern).match(text).hasMatch();
}

class ReportExport : public ::testing::Test {
protected:
    void SetUp() override { velor::RegisterHeadlessViewSections(station.viewTypes); }

    QString Path(const QString& name) const { return dir.filePath(name); }

    // A simulated perpendicular measurement with 3D data, loaded into the station.
    CVelor32Doc* Simulated(const QString& name) {
        EXPECT_EQ(Tool({"simulate", "--source", "laser", "--perpendicular", "--scans3d", "10", Path(name)}).status, 0);
        return station.file.LoadDataFile(Path(name));
    }

    QTemporaryDir dir;
    velor::test::TestStation station;
};

TEST_F(ReportExport, ReportShowsTheFiguresWithTheViewersDecimalsAndJudgesTheBeamStatisticsLimits) {
    CVelor32Doc* doc = Simulated("limits.vnq");
    ASSERT_NE(doc, nullptr);
    // The table's rows: the 13.5 % width of both axes, the MFD of both, and the fit's R².
    auto* beam = static_cast<velor::BeamSection*>(doc->AdoptView(std::make_unique<velor::BeamSection>()));
    beam->m_nWidthFlags = 0x01;
    beam->Metrics().m_nKinds = 0x010;
    const double width0 = doc->GetAngularWidth(0, 135);
    const double width1 = doc->GetAngularWidth(1, 135);
    // A minimum below axis 0's width holds; a maximum below axis 1's fails.
    beam->Rows().minLimitSet[0] = 1;
    beam->Rows().minLimit[0] = width0 - 1.0;
    beam->Rows().maxLimitSet[1] = 1;
    beam->Rows().maxLimit[1] = width1 - 1.0;
    beam->Metrics().m_nRowCount = 1;
    beam->Metrics().m_nKey[0] = 46;  // R² of axis 0, at least 0.5
    beam->Metrics().m_nMinLimitSet[0] = 1;
    beam->Metrics().m_fMinLimit[0] = 0.5;
    ASSERT_TRUE(station.file.SaveDataFile(Path("limits.vnq")));

    const ProcessRun run = Tool({"report", Path("limits.vnq"), "-o", Path("one.pdf")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString text = PdfText(Path("one.pdf"));
    EXPECT_TRUE(HasRow(text, "13.5% Angular Width at 0.0° (deg)", {FixedText(width0, 1), FixedText(width0 - 1.0, 1), "—", "PASS"}))
        << text.toStdString();
    EXPECT_TRUE(HasRow(text, "13.5% Angular Width at 90.0° (deg)", {FixedText(width1, 1), "—", FixedText(width1 - 1.0, 1), "FAIL"}));
    EXPECT_TRUE(HasRow(text, "Mode-Field Diameter at 90.0° (µm)", {FixedText(doc->GetModeFieldDiameter(1), 2), "—", "—", "—"}));
    EXPECT_TRUE(HasRow(text, "Gaussian Fit R² at 0.0°",
                       {FixedText(doc->GetProfileMetrics(0).fitQuality, 4), "0.5000", "—", "PASS"}));
    EXPECT_TRUE(text.contains("Wavelength") && text.contains("1310.0 nm") && text.contains("N = 10 (11 azimuth scans"));
    EXPECT_TRUE(text.contains("Simulated measurement"));  // the note

    // Every page has its header and number; the profiles are vectors, the map an image.
    const int pages = PdfPages(Path("one.pdf"));
    ASSERT_GE(pages, 2);
    for (int page = 1; page <= pages; ++page) {
        const QString one = PdfText(Path("one.pdf"), page);
        EXPECT_TRUE(one.contains("Orbiscan measurement report — limits.vnq")) << page;
        EXPECT_TRUE(one.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages))) << page;
    }
    EXPECT_TRUE(text.contains("Phi = 90.000°") && text.contains("Power in cones around optical axis (mW)"));
    const QString images = Start(QStringLiteral("pdfimages"), {"-list", Path("one.pdf")}).out;
    EXPECT_EQ(images.count(QRegularExpression("\\n\\s+\\d+\\s+\\d+\\s+image\\s+360\\s+360")), 1) << images.toStdString();
}

TEST_F(ReportExport, BatchLeavesADamagedFileOutNamesItAndEndsWithASummary) {
    CVelor32Doc* doc = Simulated("a.vnq");
    ASSERT_NE(doc, nullptr);
    // Axis 1 of a.vnq fails its width's maximum.
    auto* beam = static_cast<velor::BeamSection*>(doc->AdoptView(std::make_unique<velor::BeamSection>()));
    beam->m_nWidthFlags = 0x01;
    beam->Rows().maxLimitSet[1] = 1;
    beam->Rows().maxLimit[1] = doc->GetAngularWidth(1, 135) - 1.0;
    ASSERT_TRUE(station.file.SaveDataFile(Path("a.vnq")));
    ASSERT_EQ(Tool({"simulate", "--scans3d", "10", Path("b.vnq")}).status, 0);
    QByteArray damaged = velor::test::ReadAll(Path("a.vnq"));
    velor::test::FlipByte(damaged, 300);
    velor::test::WriteAll(Path("damaged.vnq"), damaged);

    const ProcessRun single = Tool({"report", Path("b.vnq"), "-o", Path("b.pdf")});
    ASSERT_EQ(single.status, 0);
    const ProcessRun run = Tool({"report", Path("a.vnq"), Path("damaged.vnq"), Path("b.vnq"), "-o", Path("batch.pdf")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(Path("damaged.vnq") + " left out")) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(Path("a.vnq") + " left out"));

    const QString text = PdfText(Path("batch.pdf"));
    const int pages = PdfPages(Path("batch.pdf"));
    const QString summary = PdfText(Path("batch.pdf"), pages);
    EXPECT_TRUE(summary.contains("2 measurements, 3 axes; 1 with a failed limit")) << summary.toStdString();
    EXPECT_TRUE(QRegularExpression("a\\.vnq\\s+0 \\(0\\.0°\\)[^\\n]*—").match(summary).hasMatch());
    EXPECT_TRUE(QRegularExpression("a\\.vnq\\s+1 \\(90\\.0°\\)[^\\n]*FAIL\\s+13\\.5% Angular Width at 90\\.0°")
                    .match(summary)
                    .hasMatch());
    EXPECT_TRUE(QRegularExpression("b\\.vnq\\s+0 \\(0\\.0°\\)[^\\n]*—").match(summary).hasMatch());
    EXPECT_TRUE(QRegularExpression("Not reported .*: damaged\\.vnq").match(summary).hasMatch());
    EXPECT_EQ(text.count("Orbiscan measurement report — damaged.vnq"), 0);
    // The pages of each measurement, then the summary's one.
    EXPECT_EQ(pages, PdfPages(Path("b.pdf")) + text.count(QRegularExpression("— a\\.vnq\\s+\\S+ \\S+\\n")) + 1);
}

TEST_F(ReportExport, OutputThatCannotBeWrittenFailsWithTheSystemsReasonAndKeepsTheEarlierFile) {
    ASSERT_EQ(Tool({"simulate", "--scans3d", "10", Path("m.vnq")}).status, 0);
    const ProcessRun missing = Tool({"report", Path("m.vnq"), "-o", Path("no/such/folder/r.pdf")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("No such file or directory")) << missing.err.toStdString();

    // Past a file-size limit set by the shell, each product fails and the earlier file stays.
    const QString sh = QStringLiteral("ulimit -f 40 && exec \"$0\" \"$@\"");
    const QList<QStringList> commands = {{"export-h5", Path("m.vnq"), Path("out")},
                                         {"report", Path("m.vnq"), "-o", Path("out")}};
    for (const QStringList& command : commands) {
        velor::test::WriteAll(Path("out"), "earlier");
        const ProcessRun run = Start(QStringLiteral("sh"), QStringList{"-c", sh, VNQTOOL_PATH} + command);
        EXPECT_EQ(run.status, 1) << command.first().toStdString();
        EXPECT_TRUE(run.err.contains(Path("out"))) << run.err.toStdString();
        EXPECT_EQ(velor::test::ReadAll(Path("out")), QByteArray("earlier"));
    }
}

TEST_F(ReportExport, PaperComesFromTheLocale) {
    ASSERT_EQ(Tool({"simulate", "--scans3d", "10", Path("m.vnq")}).status, 0);
    const auto size = [&](const QStringList& environment, const QStringList& options) {
        const ProcessRun run = Start(QStringLiteral(VNQTOOL_PATH),
                              QStringList{"report", Path("m.vnq"), "-o", Path("p.pdf")} + options, environment);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return Start(QStringLiteral("pdfinfo"), {Path("p.pdf")}).out;
    };
    EXPECT_TRUE(size({"LC_PAPER=C"}, {}).contains("(A4)"));
    EXPECT_TRUE(size({"LC_PAPER=C"}, {"--paper", "letter"}).contains("(letter)"));
    // A locale of Letter paper, compiled here when the system carries its source.
    const QString localedef = QStandardPaths::findExecutable(QStringLiteral("localedef"));
    if (localedef.isEmpty() || Start(localedef, {"-i", "en_US", "-f", "UTF-8", Path("en_US.UTF-8")}).status > 1) {
        GTEST_SKIP() << "no en_US locale source to compile";
    }
    EXPECT_TRUE(size({"LOCPATH=" + dir.path(), "LC_ALL=", "LC_PAPER=en_US.UTF-8"}, {}).contains("(letter)"));
}

// --- HDF5 ------------------------------------------------------------------------------------------

template <typename T>
std::vector<T> ReadArray(hid_t file, const char* name, hid_t type) {
    const hid_t dataset = H5Dopen2(file, name, H5P_DEFAULT);
    EXPECT_GE(dataset, 0) << name;
    if (dataset < 0) return {};
    const hid_t space = H5Dget_space(dataset);
    std::vector<T> values(static_cast<size_t>(H5Sget_simple_extent_npoints(space)));
    EXPECT_GE(H5Dread(dataset, type, H5S_ALL, H5S_ALL, H5P_DEFAULT, values.data()), 0) << name;
    H5Sclose(space);
    H5Dclose(dataset);
    return values;
}

QString ReadText(hid_t object, const char* attribute) {
    const hid_t a = H5Aopen(object, attribute, H5P_DEFAULT);
    EXPECT_GE(a, 0) << attribute;
    if (a < 0) return {};
    const hid_t type = H5Aget_type(a);
    char* text = nullptr;
    EXPECT_GE(H5Aread(a, type, &text), 0);
    const QString value = QString::fromUtf8(text);
    H5free_memory(text);
    H5Tclose(type);
    H5Aclose(a);
    return value;
}

// The note dataset's text, and the character set the file declares for it.
QString ReadNote(hid_t file, H5T_cset_t* cset = nullptr) {
    const hid_t note = H5Dopen2(file, "note", H5P_DEFAULT);
    const hid_t type = H5Dget_type(note);
    if (cset) *cset = H5Tget_cset(type);
    char* text = nullptr;
    EXPECT_GE(H5Dread(note, type, H5S_ALL, H5S_ALL, H5P_DEFAULT, &text), 0);
    const QString value = QString::fromUtf8(text);
    H5free_memory(text);
    H5Tclose(type);
    H5Dclose(note);
    return value;
}

double ReadNumber(hid_t object, const char* attribute) {
    const hid_t a = H5Aopen(object, attribute, H5P_DEFAULT);
    double value = std::nan("");
    EXPECT_GE(H5Aread(a, H5T_NATIVE_DOUBLE, &value), 0) << attribute;
    H5Aclose(a);
    return value;
}

template <typename T>
bool SameBits(const std::vector<T>& read, const T* expected, size_t count) {
    return read.size() == count && std::memcmp(read.data(), expected, count * sizeof(T)) == 0;
}

TEST_F(ReportExport, Hdf5HoldsEveryArrayToTheBitTheSettingsWithUnitsAndTheNoteInUtf8) {
    CVelor32Doc* doc = Simulated("m.vnq");
    ASSERT_NE(doc, nullptr);
    for (velor::DocumentView* view : doc->Views()) {
        if (auto* note = dynamic_cast<velor::NoteSection*>(view)) note->SetText("Faser \x80 12 \xE9t\xE9\r\n\x93ok\x94");
    }
    ASSERT_TRUE(station.file.SaveDataFile(Path("m.vnq")));
    const ProcessRun run = Tool({"export-h5", Path("m.vnq"), Path("m.h5")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();

    const hid_t file = H5Fopen(Path("m.h5").toLocal8Bit().constData(), H5F_ACC_RDONLY, H5P_DEFAULT);
    ASSERT_GE(file, 0);
    EXPECT_EQ(ReadNumber(file, "format_version"), 1.0);
    EXPECT_TRUE(SameBits(ReadArray<float>(file, "angle_grid", H5T_NATIVE_FLOAT), doc->GetAngleGrid(), 3241));
    const std::vector<double> degrees = ReadArray<double>(file, "angle_grid_degrees", H5T_NATIVE_DOUBLE);
    ASSERT_EQ(degrees.size(), 3241u);
    EXPECT_NEAR(degrees[0], doc->GetGridAngle(0, 0), 1e-4);
    for (const char* axis : {"axis0/profile", "axis1/profile"}) {
        EXPECT_TRUE(SameBits(ReadArray<float>(file, axis, H5T_NATIVE_FLOAT), doc->GetProfileData(axis[4] - '0'), 3241))
            << axis;
    }
    EXPECT_TRUE(SameBits(ReadArray<float>(file, "data3d/scans", H5T_NATIVE_FLOAT), doc->Get3DData(), 11 * 3241));
    EXPECT_TRUE(SameBits(ReadArray<float>(file, "data3d/scan_noise", H5T_NATIVE_FLOAT), doc->GetScanNoise(), 11));
    const std::vector<double> azimuths = ReadArray<double>(file, "data3d/azimuths_degrees", H5T_NATIVE_DOUBLE);
    ASSERT_EQ(azimuths.size(), 11u);
    EXPECT_EQ(azimuths[5], 90.0);

    const hid_t settings = H5Gopen2(file, "settings", H5P_DEFAULT);
    EXPECT_EQ(ReadNumber(settings, "wavelength"), 1310.0);
    EXPECT_EQ(ReadText(settings, "wavelength_units"), "nm");
    EXPECT_EQ(ReadText(settings, "aperture_source_distance_units"), "cm");
    EXPECT_EQ(ReadText(settings, "reference_power_units"), "mW");
    EXPECT_EQ(ReadNumber(settings, "scans_3d"), 10.0);
    H5Gclose(settings);

    // Every standard parameter the measurement has, with its units.
    for (const velor::ParameterEntry& entry : velor::StandardParameters()) {
        const int axes = entry.scope == velor::ParameterScope::Axis ? 2 : 1;
        for (int axis = 0; axis < axes; ++axis) {
            const QByteArray group = entry.scope == velor::ParameterScope::Axis ? "parameters/axis" + QByteArray::number(axis)
                                     : entry.scope == velor::ParameterScope::BothAxes ? QByteArray("parameters/both_axes")
                                                                                      : QByteArray("parameters/data_set_3d");
            const QByteArray name = group + '/' + entry.key;
            const std::vector<double> value = ReadArray<double>(file, name.constData(), H5T_NATIVE_DOUBLE);
            const double expected = entry.value(*doc, axis);
            ASSERT_EQ(value.size(), 1u) << name.constData();
            EXPECT_TRUE(SameBits(value, &expected, 1)) << name.constData();
            const hid_t dataset = H5Dopen2(file, name.constData(), H5P_DEFAULT);
            EXPECT_EQ(ReadText(dataset, "units"), QString::fromLatin1(entry.unit));
            H5Dclose(dataset);
        }
    }

    H5T_cset_t cset = H5T_CSET_ERROR;
    EXPECT_EQ(ReadNote(file, &cset), QStringLiteral("Faser \u20AC 12 \u00E9t\u00E9\r\n\u201Cok\u201D"));
    EXPECT_EQ(cset, H5T_CSET_UTF8);
    H5Fclose(file);

    // Standard output carries the same bytes; h5dump, where installed, reads the layout.
    QProcess process;
    process.start(QStringLiteral(VNQTOOL_PATH), {"export-h5", Path("m.vnq"), "-"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.readAllStandardOutput(), velor::test::ReadAll(Path("m.h5")));
    const QString h5dump = QStandardPaths::findExecutable(QStringLiteral("h5dump"));
    if (h5dump.isEmpty()) GTEST_SKIP() << "h5dump is not installed";
    const ProcessRun dump = Start(h5dump, {"-A", Path("m.h5")});
    EXPECT_EQ(dump.status, 0);
    EXPECT_TRUE(dump.out.contains(QRegularExpression("ATTRIBUTE \"wavelength_units\"[^}]*\\}[^}]*\"nm\"")));
    EXPECT_TRUE(dump.out.contains("GROUP \"data3d\"") && dump.out.contains("DATASET \"scans\""));
}

// A note far longer than the arrays makes the file outgrow the room first set aside for it, more
// than once: the file still holds it whole, and the same measurement still gives the same bytes.
TEST_F(ReportExport, Hdf5FileThatOutgrowsItsFirstBufferKeepsEveryByte) {
    CVelor32Doc* doc = Simulated("m.vnq");
    ASSERT_NE(doc, nullptr);
    QString note;
    for (int i = 0; note.size() < 3000000; ++i) note += QStringLiteral("Zeile %1 \u00E9t\u00E9\r\n").arg(i);
    const QByteArray bytes = velor::Hdf5ExportBytes(*doc, {note, QStringLiteral("m.vnq")});
    ASSERT_GT(bytes.size(), 3000000);
    EXPECT_EQ(velor::Hdf5ExportBytes(*doc, {note, QStringLiteral("m.vnq")}), bytes);

    QFile out(Path("long.h5"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    out.close();
    const hid_t file = H5Fopen(Path("long.h5").toLocal8Bit().constData(), H5F_ACC_RDONLY, H5P_DEFAULT);
    ASSERT_GE(file, 0);
    EXPECT_TRUE(ReadNote(file) == note);
    EXPECT_TRUE(SameBits(ReadArray<float>(file, "data3d/scans", H5T_NATIVE_FLOAT), doc->Get3DData(), 11 * 3241));
    H5Fclose(file);
}

}  // namespace
