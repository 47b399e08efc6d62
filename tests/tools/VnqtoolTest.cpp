// vnqtool driven as a user drives it: as a separate process, reading its output and status.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QLocale>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tools/vnqtool/FreeCores.h"

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "ProgramIdentity.h"

#include "document/SettingsFields.h"
#include "instrument/simulation/StepIndexFiber.h"
#include "tests/support/TestStation.h"
#include "views/beamstats/BeamSection.h"
#include "views/chart/ChartSection.h"
#include "views/nearfield/NearFieldSection.h"
#include "views/timestats/TimeStatSection.h"
#include "views/topo/TopoSection.h"
#include "views/view3d/View3dSection.h"

namespace {

struct ToolRun {
    int status;
    QString out;
    QString err;
};

ToolRun RunTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(VNQTOOL_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

class VnqtoolCli : public ::testing::Test {
protected:
    QString Path(const char* name) { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(VnqtoolCli, NewThenInfoShowsHeaderEverySettingAndTheSections) {
    ASSERT_EQ(RunTool({"new", Path("x.vnq")}).status, 0);
    const ToolRun info = RunTool({"info", Path("x.vnq")});
    ASSERT_EQ(info.status, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains("Type:     VNQ (data file)"));
    EXPECT_TRUE(info.out.contains("Version:  4.0.4"));
    EXPECT_TRUE(info.out.contains("Views:    1"));
    for (const velor::FieldDescriptor& field : velor::SettingsRecordFields()) {
        EXPECT_TRUE(info.out.contains(QString::fromLatin1(field.name))) << field.name;
    }
    EXPECT_TRUE(info.out.contains(QRegularExpression("m_nScans3D\\s+10\\n")));
    EXPECT_TRUE(info.out.contains(QRegularExpression("m_szRefUnits\\s+\"mW\"")));
    EXPECT_TRUE(info.out.contains(QRegularExpression("10\\s+main frame\\s+48\\n")));
    EXPECT_TRUE(info.out.contains(QRegularExpression("11\\s+document\\s+144, 12964 x13, 44\\n")));
    EXPECT_TRUE(info.out.contains(QRegularExpression("5\\s+notes view\\s+60, \\d+\\n")));
}

TEST_F(VnqtoolCli, ConfigurationFileIsShortAndLoads) {
    ASSERT_EQ(RunTool({"new", "--config", Path("s.cfg")}).status, 0);
    const ToolRun info = RunTool({"info", Path("s.cfg")});
    ASSERT_EQ(info.status, 0);
    EXPECT_TRUE(info.out.contains("CFG (configuration file)"));
    EXPECT_TRUE(info.out.contains(QRegularExpression("11\\s+document\\s+144\\n")));
}

TEST_F(VnqtoolCli, FlippedByteIsReportedAsTheViewerWouldAndFails) {
    ASSERT_EQ(RunTool({"new", Path("x.vnq")}).status, 0);
    QFile file(Path("x.vnq"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const int inFirstProfile = 40 + 6 + 6 + 48 + 6 + 6 + 144 + 6 + 100;
    bytes[inFirstProfile] = static_cast<char>(bytes[inFirstProfile] ^ 0x40);
    file.seek(0);
    file.write(bytes);
    file.close();
    const ToolRun info = RunTool({"info", Path("x.vnq")});
    EXPECT_NE(info.status, 0);
    EXPECT_TRUE(info.err.contains("Could not read file"));
}

TEST_F(VnqtoolCli, ForeignFileGetsTheViewersMessage) {
    QFile file(Path("foreign.vnq"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(200, 'z'));
    file.close();
    const ToolRun info = RunTool({"info", Path("foreign.vnq")});
    EXPECT_EQ(info.status, 1);
    EXPECT_TRUE(info.err.contains("not a Lumora file"));
    EXPECT_EQ(RunTool({"info", Path("missing.vnq")}).status, 1);
}

TEST_F(VnqtoolCli, InfoReadsTheBeamStatisticsSectionAsTheViewerDoes) {
    velor::test::TestStation station;
    velor::CVelor32Doc* doc = station.NewDocument();
    auto* beam = static_cast<velor::BeamSection*>(doc->AdoptView(std::make_unique<velor::BeamSection>()));
    ASSERT_TRUE(station.file.SaveDataFile(Path("beam.vnq")));
    const ToolRun info = RunTool({"info", Path("beam.vnq")});
    ASSERT_EQ(info.status, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains(QRegularExpression("21\\s+beam statistics view\\s+60, 592, 400 x7, 200 x2\\n")))
        << info.out.toStdString();

    beam->m_nStatMode = 9;  // no such statistics
    ASSERT_TRUE(station.file.SaveDataFile(Path("beam.vnq")));
    const ToolRun refused = RunTool({"info", Path("beam.vnq")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains("Could not read file")) << refused.err.toStdString();
}

// vnqtool params starts a thread per free core: the cores less the other tasks runnable now.
TEST(FreeCores, AreTheCoresLessTheOtherRunnableTasks) {
    const struct {
        const char* loadavg;
        int cores;
        int free;
    } cases[] = {
        {"0.02 0.10 0.30 1/123 4567\n", 2, 2},  // this process alone
        {"1.00 0.80 0.50 2/123 4567\n", 2, 1},  // one other task running
        {"5.00 4.00 3.00 9/300 4567\n", 2, 1},  // more than the cores: still one
        {"0.50 0.50 0.50 3/200 1\n", 8, 6},
        {"", 4, 4},                             // unreadable: every core
        {"0.1 0.1 0.1 x/12 1", 4, 4},
    };
    for (const auto& c : cases) EXPECT_EQ(vnqtool::FreeCoresFrom(c.loadavg, c.cores), c.free) << c.loadavg;
}

TEST_F(VnqtoolCli, HelpAndUsageErrors) {
    for (const QStringList& args : {QStringList{"--help"}, QStringList{"info", "--help"},
                                    QStringList{"new", "--help"}}) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.contains("Usage")) << run.out.toStdString();
    }
    EXPECT_EQ(RunTool({}).status, 2);
    EXPECT_EQ(RunTool({"frobnicate"}).status, 2);
    EXPECT_EQ(RunTool({"info"}).status, 2);
    EXPECT_EQ(RunTool({"new", "--config", Path("x.vnq")}).status, 2);
    EXPECT_EQ(RunTool({"new", Path("x.cfg")}).status, 2);
    ASSERT_EQ(RunTool({"new", Path("x.vnq")}).status, 0);
    EXPECT_EQ(RunTool({"new", Path("x.vnq")}).status, 2) << "no silent overwrite";
    EXPECT_EQ(RunTool({"new", "--force", Path("x.vnq")}).status, 0);
}

}  // namespace

namespace {

// A perpendicular-axes measurement of a Gaussian beam (waist 4.6 µm at 1310 nm on axis 0,
// 2.3 µm on axis 1), written by the document's own file code.
QString WriteGaussianMeasurement(const QString& path) {
    velor::test::TestStation station;
    velor::CVelor32Doc* doc = station.NewDocument();
    doc->SetApertureSourceDistance(2.0f);
    doc->OnPerpendicularAxes();
    const float* grid = doc->GetAngleGrid();
    std::vector<float> axes[2] = {std::vector<float>(3241), std::vector<float>(3241)};
    const double waists[2] = {4.6, 2.3};
    for (int a = 0; a < 2; ++a) {
        for (int i = 0; i < 3241; ++i) {
            const double u = M_PI * waists[a] * std::sin(grid[i]) / 1.31;
            axes[a][i] = static_cast<float>(60000.0 * std::exp(-2.0 * u * u));
        }
    }
    doc->StoreProfiles(axes[0], axes[1]);
    station.AddNote("gaussian");
    EXPECT_TRUE(station.file.SaveDataFile(path));
    return path;
}

TEST_F(VnqtoolCli, InfoReadsEverySectionAndReportsSaturationAsTheViewerDoes) {
    // A polar view whose record holds a zoom range of 0: the viewer refuses the file.
    velor::test::TestStation station;
    velor::CVelor32Doc* doc = station.NewDocument();
    auto polar = std::make_unique<velor::PolarSection>();
    polar->m_fZoomRange = 0.0f;
    doc->AdoptView(std::move(polar));
    ASSERT_TRUE(station.file.SaveDataFile(Path("polar.vnq")));
    const ToolRun refused = RunTool({"info", Path("polar.vnq")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains("Could not read file")) << refused.err.toStdString();

    // Dark level and peak together at full scale: the viewer's warning.
    velor::test::TestStation bright;
    doc = bright.NewDocument();
    doc->m_fOffset[0] = 65000.0f;
    std::vector<float> profile(3241, 0.0f);
    profile[1620] = 600.0f;
    doc->StoreProfiles(profile, {});
    bright.AddNote("");
    ASSERT_TRUE(bright.file.SaveDataFile(Path("bright.vnq")));
    const ToolRun saturated = RunTool({"info", Path("bright.vnq")});
    EXPECT_EQ(saturated.status, 0);
    EXPECT_TRUE(saturated.err.contains("Beam Information!: Signal is saturated!")) << saturated.err.toStdString();
}

TEST_F(VnqtoolCli, ParamsOfManyFilesInOneTableAtFullPrecision) {
    const QString gaussian = WriteGaussianMeasurement(Path("g.vnq"));
    {
        QFile copy(gaussian);
        ASSERT_TRUE(copy.copy(Path("h.vnq")));
    }
    velor::test::WriteAll(Path("broken.vnq"), "not a measurement");
    const QStringList files{gaussian, Path("broken.vnq"), Path("h.vnq")};

    // The values the document computes, which the machine formats must carry exactly.
    velor::test::TestStation station;
    velor::CVelor32Doc* doc = station.file.LoadDataFile(gaussian);
    ASSERT_NE(doc, nullptr);

    const ToolRun json = RunTool(QStringList{"params", "--json"} + files);
    EXPECT_EQ(json.status, 1) << "one file could not be read";
    EXPECT_TRUE(json.err.contains(Path("broken.vnq") + ": File Error: The selected file is either not a Lumora file"))
        << json.err.toStdString();
    const QJsonArray table = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(table.size(), 2) << "the others are still processed";
    EXPECT_EQ(table[1].toObject()["file"].toString(), Path("h.vnq"));
    const QJsonObject root = table[0].toObject();
    const QJsonArray axes = root["axes"].toArray();
    ASSERT_EQ(axes.size(), 2);
    const QJsonObject axis0 = axes[0].toObject();
    EXPECT_EQ(axis0["width_13.5"].toDouble(), double{doc->GetAngularWidth(0, 135)});
    EXPECT_EQ(axis0["na_5"].toDouble(), double{doc->GetNumericalAperture(0, 50)});
    EXPECT_EQ(axis0["mfd"].toDouble(), double{doc->GetModeFieldDiameter(0)});
    EXPECT_EQ(axes[1].toObject()["centroid"].toDouble(), double{doc->GetCentroidAngle(1)});
    EXPECT_EQ(root["ratios"].toObject()["ratio_50"].toDouble(), double{doc->GetWidthRatio(500)});
    // Against the analytic beam: 1/e² full angle 2·asin(λ / π w0), and the diameter 2 w0.
    EXPECT_NEAR(axis0["width_13.5"].toDouble(), 2 * std::asin(1.31 / (M_PI * 4.6)) * 180 / M_PI, 0.1);
    EXPECT_NEAR(axis0["mfd"].toDouble(), 9.2, 9.2 * 0.002);
    EXPECT_NEAR(axes[1].toObject()["mfd"].toDouble(), 4.6, 4.6 * 0.002);
    // What the diameter rests on: a 60000-count peak over the 16-count floor, and the angles
    // where exp(−2 (π w0 sin θ / λ)²) falls to 16 / 60000.
    EXPECT_NEAR(axis0["mfd_dynamic_range_db"].toDouble(), 10 * std::log10(60000.0 / 16), 1e-4);
    const double edge = std::asin(std::sqrt(std::log(60000.0 / 16) / 2) * 1.31 / (M_PI * 4.6)) * 180 / M_PI;
    EXPECT_NEAR(axis0["mfd_to"].toDouble(), edge, 0.06) << "within a sample";
    EXPECT_NEAR(axis0["mfd_from"].toDouble(), -edge, 0.06);
    // The effective area of the Gaussian mode, π w0², with the note on the dynamic range.
    EXPECT_EQ(axis0["aeff"].toDouble(), double{doc->GetEffectiveArea(0)});
    EXPECT_NEAR(axis0["aeff"].toDouble(), M_PI * 4.6 * 4.6, M_PI * 4.6 * 4.6 * 1e-3);
    EXPECT_NEAR(axes[1].toObject()["aeff"].toDouble(), M_PI * 2.3 * 2.3, M_PI * 2.3 * 2.3 * 1e-3);
    EXPECT_TRUE(axis0["aeff_note"].toString().contains("dynamic range 35.7 dB")) << axis0["aeff_note"].toString().toStdString();

    const ToolRun csv = RunTool(QStringList{"params", "--csv"} + files);
    EXPECT_EQ(csv.status, 1);
    const QStringList lines = csv.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << "a header and a row per file and axis";
    const QStringList header = lines[0].split(',');
    EXPECT_EQ(header.mid(0, 3), QStringList({"file", "axis", "phi"}));
    const QStringList row = lines[2].split(',');
    EXPECT_EQ(row[0], gaussian);
    EXPECT_EQ(row[1], "1");
    EXPECT_EQ(row[header.indexOf("mfd")].toDouble(), double{doc->GetModeFieldDiameter(1)});
    EXPECT_EQ(row[header.indexOf("ratio_13.5")].toDouble(), double{doc->GetWidthRatio(135)});
    EXPECT_EQ(row[header.indexOf("aeff")].toDouble(), double{doc->GetEffectiveArea(1)});

    const ToolRun text = RunTool({"params", gaussian});
    ASSERT_EQ(text.status, 0);
    EXPECT_TRUE(text.out.contains(QRegularExpression("13\\.5% Angular Width at 0\\.0° \\(deg\\)\\s+\\d+\\.\\d\\n")));
    EXPECT_TRUE(text.out.contains(QRegularExpression("Mode-Field Diameter at 90\\.0° \\(µm\\)\\s+4\\.6\\d\\n")));
    EXPECT_TRUE(text.out.contains(QRegularExpression("Effective Area at 0\\.0° \\(µm²\\)\\s+66\\.\\d\\d\\n    \\(no side lobe")))
        << text.out.toStdString();

    // The near field itself, both axes from the axis outwards; at 1 µm each has a sample.
    const ToolRun near = RunTool({"nearfield", gaussian});
    ASSERT_EQ(near.status, 0) << near.err.toStdString();
    const QStringList nearLines = near.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(nearLines.mid(0, 2), QStringList({"radius_um,intensity_axis0,intensity_axis1", "0,1,1"}));
    const auto sampleAt1um = [&](int axis) {
        const velor::NearField& field = doc->GetNearField(axis);
        return QString::number(field.intensity.at(std::lround(1.0 / field.stepUm)), 'g', QLocale::FloatingPointShortest);
    };
    EXPECT_TRUE(nearLines.contains(QStringLiteral("1,%1,%2").arg(sampleAt1um(0), sampleAt1um(1)))) << near.out.toStdString();
    ASSERT_EQ(RunTool({"new", Path("x.vnq")}).status, 0);
    const ToolRun none = RunTool({"nearfield", Path("x.vnq")});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.err.contains("axis 0: no sample at or above the noise floor")) << none.err.toStdString();

    // Names on standard input.
    QProcess fromList;
    fromList.start(QStringLiteral(VNQTOOL_PATH), {"params", "--csv", "-"});
    fromList.write((gaussian + "\n\n" + Path("h.vnq") + "\n").toUtf8());
    fromList.closeWriteChannel();
    ASSERT_TRUE(fromList.waitForFinished(30000));
    EXPECT_EQ(fromList.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(fromList.readAllStandardOutput()).count('\n'), 5);

    EXPECT_EQ(RunTool({"params", "--json", "--csv", gaussian}).status, 2);

    // A chosen few: the same values, only their columns, and no note without the area.
    const ToolRun few = RunTool({"params", "--csv", "--only", "width,na,centroid,peak", gaussian});
    ASSERT_EQ(few.status, 0) << few.err.toStdString();
    const QStringList fewLines = few.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(fewLines.size(), 3);
    EXPECT_EQ(fewLines[0], "file,axis,phi,width_5,width_13.5,width_50,na_5,na_13.5,na_50,centroid,peak,"
                           "peak_amplitude,amplitude_unit");
    EXPECT_EQ(fewLines[2].split(',').at(4).toDouble(), double{doc->GetAngularWidth(1, 135)});
    const ToolRun area = RunTool({"params", "--json", "--only", "aeff", gaussian});
    const QJsonObject areaAxis =
        QJsonDocument::fromJson(area.out.toUtf8()).array()[0].toObject()["axes"].toArray()[0].toObject();
    EXPECT_EQ(areaAxis.keys(), QStringList({"aeff", "aeff_note", "axis", "phi"}));
    for (const QString& wrong : {QStringLiteral("widths"), QStringLiteral("width,foo"), QStringLiteral(",")}) {
        const ToolRun refused = RunTool({"params", "--only", wrong, gaussian});
        EXPECT_EQ(refused.status, 2) << wrong.toStdString();
        EXPECT_TRUE(refused.err.contains("--only names no parameter")) << refused.err.toStdString();
    }
}

}  // namespace

namespace {

TEST_F(VnqtoolCli, SimulateWritesAMeasurementThatInfoParamsAndTheExportsRead) {
    const QString path = Path("sim.vnq");
    const ToolRun sim = RunTool({"simulate", "--scans3d", "10", "--mfd", "10.4", "--wavelength", "1550", path});
    ASSERT_EQ(sim.status, 0) << sim.err.toStdString();

    const ToolRun info = RunTool({"info", path});
    ASSERT_EQ(info.status, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains(QRegularExpression("m_b3DValid\\s+1\\n")));
    EXPECT_TRUE(info.out.contains(QRegularExpression("11\\s+document\\s+144, 12964 x13, 44\\n")));
    EXPECT_TRUE(info.out.contains(QRegularExpression("4\\s+rectangular profile view\\s+60, 52\\n")));

    const ToolRun params = RunTool({"params", "--json", path});
    ASSERT_EQ(params.status, 0);
    const QJsonObject axis0 =
        QJsonDocument::fromJson(params.out.toUtf8()).array()[0].toObject()["axes"].toArray()[0].toObject();
    EXPECT_NEAR(axis0["mfd"].toDouble(), 10.4, 10.4 * 0.005 + 0.005);

    ASSERT_EQ(RunTool({"export-prw", path, Path("sim.prw")}).status, 0);
    EXPECT_EQ(QFile(Path("sim.prw")).size(), 4 + 12964 * 11);

    ASSERT_EQ(RunTool({"export-asc", path, Path("sim.asc")}).status, 0);
    QFile asc(Path("sim.asc"));
    ASSERT_TRUE(asc.open(QIODevice::ReadOnly));
    const QByteArray text = asc.readAll();
    EXPECT_TRUE(text.startsWith("Gain =\t0\r\n\r\nTheta [rad]\tPhi = 0.000\xB0\r\n"));
    EXPECT_EQ(text.count("\r\n"), 3 + 3241 + 5);  // header lines, points, the note's lines
    EXPECT_TRUE(text.contains("\r\nNotes view data:\r\nSimulated measurement\r\nSingle-mode fiber"));

    EXPECT_EQ(RunTool({"simulate", path}).status, 2) << "no silent overwrite";
    EXPECT_EQ(RunTool({"simulate", "--force", "--scans3d", "7", path}).status, 2);
    EXPECT_EQ(RunTool({"simulate", "--force", "--source", "nonesuch", path}).status, 2);
    EXPECT_EQ(RunTool({"export-prw", path}).status, 2) << "OUT missing";
}

// Petermann II diameter of a step-index fiber's exact LP01 mode, from its near field
// E = J0(U rho)/J0(U) in the core and K0(W rho)/K0(W) outside (rho = r/a), by Simpson's rule:
// 2 a sqrt(2 int E^2 rho drho / int E'^2 rho drho).
double ExactPetermannII(double coreRadiusUm, double na, double wavelengthNm) {
    const velor::sim::StepIndexFiber fiber(coreRadiusUm, na, wavelengthNm);
    const double u = fiber.U(), w = fiber.W();
    const auto field = [&](double rho) {
        return rho < 1 ? std::cyl_bessel_j(0.0, u * rho) / std::cyl_bessel_j(0.0, u)
                       : std::cyl_bessel_k(0.0, w * rho) / std::cyl_bessel_k(0.0, w);
    };
    const auto slope = [&](double rho) {
        return rho < 1 ? -u * std::cyl_bessel_j(1.0, u * rho) / std::cyl_bessel_j(0.0, u)
                       : -w * std::cyl_bessel_k(1.0, w * rho) / std::cyl_bessel_k(0.0, w);
    };
    double power = 0.0, gradient = 0.0;
    for (const auto& [from, to] : {std::pair{0.0, 1.0}, std::pair{1.0, 60.0}}) {
        const int steps = 60000;
        const double h = (to - from) / steps;
        for (int i = 0; i <= steps; ++i) {
            // Inside each piece, so that the core and cladding formulas meet only at its ends.
            const double rho = std::clamp(from + i * h, from + 1e-12, to - 1e-12);
            const double weight = (i == 0 || i == steps ? 1.0 : i % 2 ? 4.0 : 2.0) * h / 3;
            power += weight * field(rho) * field(rho) * rho;
            gradient += weight * slope(rho) * slope(rho) * rho;
        }
    }
    return 2 * coreRadiusUm * std::sqrt(2 * power / gradient);
}

// Effective area 2π (∫E² r dr)² / ∫E⁴ r dr of the same exact mode, by Simpson's rule.
double ExactLp01Area(double coreRadiusUm, double na, double wavelengthNm) {
    const velor::sim::StepIndexFiber fiber(coreRadiusUm, na, wavelengthNm);
    const double u = fiber.U(), w = fiber.W();
    double second = 0.0, fourth = 0.0;
    for (const auto& [from, to] : {std::pair{0.0, 1.0}, std::pair{1.0, 60.0}}) {
        const int steps = 60000;
        const double h = (to - from) / steps;
        for (int i = 0; i <= steps; ++i) {
            const double rho = std::clamp(from + i * h, from + 1e-12, to - 1e-12);
            const double e = rho < 1 ? std::cyl_bessel_j(0.0, u * rho) / std::cyl_bessel_j(0.0, u)
                                     : std::cyl_bessel_k(0.0, w * rho) / std::cyl_bessel_k(0.0, w);
            const double weight = (i == 0 || i == steps ? 1.0 : i % 2 ? 4.0 : 2.0) * h / 3;
            second += weight * e * e * rho;
            fourth += weight * e * e * e * e * rho;
        }
    }
    return 2 * M_PI * coreRadiusUm * coreRadiusUm * second * second / fourth;
}

// The effective area rests on the same far field: with one range the first side lobe stays
// below the floor and the area reads low, with the note saying so; with four it stands clear
// and the area holds to the exact mode's.
TEST_F(VnqtoolCli, GainRangesBringTheModeFieldDiameterOfStepIndexFibersToItsExactValue) {
    for (const double v : {2.0, 2.4}) {
        const double na = v * 1.31 / (2 * M_PI * 4.1);
        const double exact = ExactPetermannII(4.1, na, 1310);
        const velor::sim::StepIndexFiber fiber(4.1, na, 1310);
        // The closed form of the same integral: 2 sqrt(2) a K1(W) / (U K0(W)).
        EXPECT_NEAR(exact, 2 * M_SQRT2 * 4.1 * std::cyl_bessel_k(1.0, fiber.W()) /
                               (fiber.U() * std::cyl_bessel_k(0.0, fiber.W())), exact * 1e-7);
        const struct {
            int ranges;
            double within;  // of the exact diameter, relative
            double atLeastDb;
        } cases[] = {{1, 0.009, 35.0}, {3, 0.002, 55.0}, {4, 0.001, 65.0}};
        for (const auto& c : cases) {
            SCOPED_TRACE(QStringLiteral("V %1, %2 ranges").arg(v).arg(c.ranges).toStdString());
            const QString path = Path("lp01.vnq");
            const QStringList common{"simulate", "--force", "--source", "lp01", "--core-radius", "4.1", "--na",
                                     QString::number(na, 'g', 17), "--peak", "60000", "--scans3d", "10"};
            const ToolRun sim = RunTool(common + QStringList{"--ranges", QString::number(c.ranges), path});
            ASSERT_EQ(sim.status, 0) << sim.err.toStdString();
            const ToolRun params = RunTool({"params", "--json", path});
            ASSERT_EQ(params.status, 0);
            const QJsonObject axis0 =
                QJsonDocument::fromJson(params.out.toUtf8()).array()[0].toObject()["axes"].toArray()[0].toObject();
            const double mfd = axis0["mfd"].toDouble();
            std::printf("V %.1f, %d range(s): MFD %.4f um, exact %.4f um (%+.3f %%), dynamic range %.1f dB\n", v,
                        c.ranges, mfd, exact, 100 * (mfd / exact - 1), axis0["mfd_dynamic_range_db"].toDouble());
            EXPECT_NEAR(mfd, exact, exact * c.within);
            EXPECT_GE(axis0["mfd_dynamic_range_db"].toDouble(), c.atLeastDb);
            EXPECT_EQ(axis0["ranges"].toDouble(), c.ranges);
            const double area = ExactLp01Area(4.1, na, 1310);
            const double aeff = axis0["aeff"].toDouble();
            std::printf("  Aeff %.3f um2, exact %.3f um2 (%+.3f %%)\n", aeff, area, 100 * (aeff / area - 1));
            // Where the note is silent the area holds; where it speaks the area reads low, as it says.
            const QString note = axis0["aeff_note"].toString();
            if (note.isEmpty()) {
                EXPECT_NEAR(aeff, area, area * 0.003);
            } else {
                EXPECT_LT(aeff, area * 0.999);
                EXPECT_GT(aeff, area * 0.97);
            }
            if (c.ranges == 1) {
                EXPECT_TRUE(note.startsWith("no side lobe above the floor (dynamic range 35.7 dB)"));
            }
            if (c.ranges == 4) {
                EXPECT_EQ(note, QString()) << "the first side lobe stands clear of the floor";
            }
            if (c.ranges == 1) {
                // One range is the measurement as it always was: the same file to the byte.
                const QByteArray one = velor::test::ReadAll(path);
                ASSERT_EQ(RunTool(common + QStringList{path}).status, 0);
                EXPECT_EQ(velor::test::ReadAll(path), one);
                EXPECT_GT(mfd, exact * 1.005) << "the wings lost below one range's floor";
            }
        }
    }
    const ToolRun info = RunTool({"info", Path("lp01.vnq")});
    EXPECT_TRUE(info.out.contains("Ranges:   4 (data: axis 0 4, axis 1 1, 3D 4; base gain 0 dB)\n"))
        << info.out.toStdString();
    EXPECT_TRUE(info.out.contains(QRegularExpression("20\\s+gain ranges\\s+10\\n")));
    for (const char* bad : {"0", "5", "2.5", "two"}) {
        EXPECT_EQ(RunTool({"simulate", "--force", "--ranges", bad, Path("bad.vnq")}).status, 2) << bad;
    }
}

TEST_F(VnqtoolCli, ParamsShowsTheBeamMetricsOfASimulatedLaserDiodeAndSaysWhenThereIsNoFit) {
    const QString diode = Path("ld.vnq");
    const ToolRun sim = RunTool({"simulate", "--source", "laser", "--major", "30", "--minor", "10", "--orientation",
                                 "20", "--perpendicular", "--phi", "20", "--scans3d", "20", diode});
    ASSERT_EQ(sim.status, 0) << sim.err.toStdString();
    // A measurement whose axis 0 is flat: no fit there.
    const QString flat = Path("flat.vnq");
    {
        velor::test::TestStation station;
        velor::CVelor32Doc* doc = station.NewDocument();
        doc->StoreProfiles(std::vector<float>(3241, 500.0f), {});
        station.AddNote("");
        ASSERT_TRUE(station.file.SaveDataFile(flat));
    }

    const ToolRun json = RunTool({"params", "--json", diode, flat});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonArray table = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(table.size(), 2);
    const QJsonObject shape = table[0].toObject()["beam3d"].toObject();
    EXPECT_NEAR(shape["ellipticity"].toDouble(), 1.0 / 3.0, 0.01);
    EXPECT_NEAR(shape["orientation"].toDouble(), 20.0, 0.5);
    // FWHM to 1/e² full angle: × √(2 / ln 2) = 1.6986; the map takes 2 % off a beam this wide.
    EXPECT_NEAR(shape["major_divergence"].toDouble(), 30 * 1.6986, 30 * 1.6986 * 0.025);
    const QJsonObject major = table[0].toObject()["axes"].toArray()[0].toObject();
    EXPECT_NEAR(major["fit_width"].toDouble(), 30 * 1.6986, 0.3);
    EXPECT_NEAR(major["second_moment_width"].toDouble(), 30 * 1.6986, 0.3);
    EXPECT_GT(major["fit_r2"].toDouble(), 0.999);
    const QJsonObject none = table[1].toObject()["axes"].toArray()[0].toObject();
    EXPECT_TRUE(none["fit_width"].isNull());
    EXPECT_EQ(none["second_moment_width"].toDouble(), 0.0);
    EXPECT_FALSE(table[1].toObject().contains("beam3d")) << "no 3D data";

    const ToolRun csv = RunTool({"params", "--csv", diode, flat});
    const QStringList lines = csv.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    const QStringList header = lines[0].split(',');
    EXPECT_EQ(lines[2].split(',')[header.indexOf("ellipticity")].toDouble(), shape["ellipticity"].toDouble());
    EXPECT_EQ(lines[3].split(',')[header.indexOf("fit_r2")], "") << "no fit: an empty field";

    const ToolRun text = RunTool({"params", diode, flat});
    EXPECT_TRUE(text.out.contains("\n3D data set:\n  Major-Axis Divergence (deg)"));
    EXPECT_TRUE(text.out.contains(QRegularExpression("Gaussian Fit Width at 0\\.0° \\(deg\\)\\s+no fit\\n")));
}

TEST_F(VnqtoolCli, InfoReadsTheTimeStatisticsSectionWithItsPointsAsTheViewerDoes) {
    for (const bool sound : {true, false}) {
        velor::test::TestStation station;
        velor::CVelor32Doc* doc = station.NewDocument();
        auto section = std::make_unique<velor::TimeStatSection>();
        section->m_nCapacity = 3000;
        section->Model().Recreate(3000, 2);
        for (int i = 0; i < 2050; ++i) section->Model().AddPoint({1.0 * i, 2.0 * i});
        if (!sound) section->m_nRate = 0;  // no dialog lets a rate of 0 through
        doc->AdoptView(std::move(section));
        ASSERT_TRUE(station.file.SaveDataFile(Path("t.vnq")));
        const ToolRun info = RunTool({"info", Path("t.vnq")});
        if (sound) {
            EXPECT_EQ(info.status, 0) << info.err.toStdString();
            EXPECT_TRUE(QRegularExpression("\\n +1 +time statistics view +60, 688, 4096 x2, 8, 4096 x2, 8\\n")
                            .match(info.out)
                            .hasMatch())
                << info.out.toStdString();
        } else {
            EXPECT_EQ(info.status, 1);
            EXPECT_TRUE(info.err.contains("Could not read file")) << info.err.toStdString();
        }
    }
}

TEST_F(VnqtoolCli, InfoReadsThe3dTopographicAndNearFieldSectionsAsTheViewerDoes) {
    velor::test::TestStation station;
    auto section = std::make_unique<velor::View3dSection>();
    section->SetInitialKind(velor::k3dRectangular);
    velor::CVelor32Doc* doc = station.NewDocument();
    doc->AdoptView(std::move(section));
    doc->AdoptView(std::make_unique<velor::TopoSection>());
    doc->AdoptView(std::make_unique<velor::NearFieldSection>());
    ASSERT_TRUE(station.file.SaveDataFile(Path("v.vnq")));
    const ToolRun info = RunTool({"info", Path("v.vnq")});
    EXPECT_EQ(info.status, 0) << info.err.toStdString();
    EXPECT_TRUE(QRegularExpression("\\n +22 +3D view +60, 452\\n").match(info.out).hasMatch()) << info.out.toStdString();
    EXPECT_TRUE(QRegularExpression("\\n +24 +topographic view +60, 424\\n").match(info.out).hasMatch())
        << info.out.toStdString();
    EXPECT_TRUE(QRegularExpression("\\n +25 +near field view +60, 32\\n").match(info.out).hasMatch())
        << info.out.toStdString();
}

}  // namespace

namespace {

QByteArray ToolOutput(const QStringList& arguments, int* status) {
    QProcess process;
    process.start(QStringLiteral(VNQTOOL_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    *status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAllStandardOutput();
}

// vnqtool with its standard output on `out` and SIGPIPE ignored, as a shell with trap '' PIPE
// or a Python program starts it: a write to a closed pipe then fails instead of killing it.
ToolRun RunWithOutputOn(const QStringList& arguments, int out, const QString& errorFile) {
    std::vector<std::string> words{VNQTOOL_PATH};
    for (const QString& argument : arguments) words.push_back(argument.toStdString());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    const QByteArray errorPath = errorFile.toLocal8Bit();
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorPath.constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const auto previous = std::signal(SIGPIPE, SIG_IGN);  // inherited across exec
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    std::signal(SIGPIPE, previous);
    posix_spawn_file_actions_destroy(&actions);
    int wait = 0;
    if (spawned != 0 || waitpid(pid, &wait, 0) != pid) return {-1, {}, QStringLiteral("not started")};
    QFile errors(errorFile);
    EXPECT_TRUE(errors.open(QIODevice::ReadOnly));
    return {WIFEXITED(wait) ? WEXITSTATUS(wait) : -1, {}, QString::fromLocal8Bit(errors.readAll())};
}

TEST_F(VnqtoolCli, VersionAndUsageLinesNameTheCommandAsTyped) {
    EXPECT_EQ(RunTool({"--version"}).out, QStringLiteral("vnqtool " VELOR_VERSION "\n"));
    for (const char* command : {"info", "new", "params", "simulate", "export-asc", "export-prw"}) {
        const QString usage = RunTool({command, "--help"}).out.section('\n', 0, 0);
        EXPECT_TRUE(usage.startsWith(QStringLiteral("Usage: vnqtool %1 [options] ").arg(command)))
            << usage.toStdString();
    }
    EXPECT_EQ(RunTool({"params", "--help"}).out.section('\n', 0, 0),
              QStringLiteral("Usage: vnqtool params [options] FILE..."));
}

TEST_F(VnqtoolCli, ExportsWriteToStandardOutputWhatTheyWriteToAFile) {
    const QString measurement = Path("sim.vnq");
    ASSERT_EQ(RunTool({"simulate", "--scans3d", "10", measurement}).status, 0);
    for (const char* command : {"export-asc", "export-prw"}) {
        ASSERT_EQ(RunTool({command, measurement, Path("out.x")}).status, 0) << command;
        QFile file(Path("out.x"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        int status = -1;
        EXPECT_EQ(ToolOutput({command, measurement, "-"}, &status), file.readAll()) << command;
        EXPECT_EQ(status, 0);
    }
    EXPECT_FALSE(QFile::exists(Path("-")));
}

TEST_F(VnqtoolCli, AFailedWriteToStandardOutputFailsEveryCommand) {
    const QString measurement = Path("sim.vnq");
    ASSERT_EQ(RunTool({"simulate", "--scans3d", "10", measurement}).status, 0);
    const QList<QStringList> commands = {
        {"--help"},
        {"--version"},
        {"info", "--help"},
        {"info", measurement},
        {"params", measurement},
        {"params", "--json", measurement},
        {"new", "--force", Path("new.vnq")},
        {"simulate", "--force", "--scans3d", "10", Path("again.vnq")},
        {"export-asc", measurement, "-"},
        {"export-prw", measurement, "-"},
    };
    const int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    int closedPipe[2];
    ASSERT_EQ(::pipe(closedPipe), 0);
    ::close(closedPipe[0]);
    const std::pair<int, const char*> outputs[] = {{full, "No space left on device"},
                                                   {closedPipe[1], "Broken pipe"}};
    for (const auto& [out, cause] : outputs) {
        for (const QStringList& command : commands) {
            const ToolRun run = RunWithOutputOn(command, out, Path("errors"));
            EXPECT_EQ(run.status, 1) << command.join(' ').toStdString() << ", " << cause;
            EXPECT_TRUE(run.err.contains(QStringLiteral("vnqtool: error writing standard output: %1\n")
                                             .arg(QLatin1String(cause))))
                << command.join(' ').toStdString() << ": " << run.err.toStdString();
        }
    }
    ::close(full);
    ::close(closedPipe[1]);
}

// The tool under a real file-size limit, set by the shell as a user sets it; the test itself
// sets up no signal handling. The tool must report the failed write and exit with status 1,
// not be killed by the limit's signal, and leave the earlier file (or no file) behind.
TEST_F(VnqtoolCli, AFileSizeLimitFailsTheWriteWithAMessageAndKeepsTheEarlierFile) {
    ASSERT_EQ(RunTool({"new", Path("source.vnq")}).status, 0);
    const QByteArray earlier = "the earlier file";
    const struct {
        const char* what;
        QStringList arguments;  // OUT last
        bool earlierFile;       // OUT exists before the run
    } runs[] = {
        {"new", {"new", "--force", Path("out.vnq")}, true},
        {"simulate", {"simulate", "--force", "--scans3d", "10", Path("sim.vnq")}, true},
        {"export-asc", {"export-asc", Path("source.vnq"), Path("fresh.asc")}, false},
        {"export-prw", {"export-prw", Path("source.vnq"), Path("fresh.prw")}, false},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.what);
        const QString out = run.arguments.last();
        if (run.earlierFile) velor::test::WriteAll(out, earlier);
        QProcess process;
        // 4 KiB: less than any of these files, so each write is cut short.
        process.start(QStringLiteral("bash"),
                      QStringList{"-c", "ulimit -f 4 && exec \"$0\" \"$@\"", QStringLiteral(VNQTOOL_PATH)} +
                          run.arguments);
        ASSERT_TRUE(process.waitForFinished(30000));
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        ASSERT_EQ(process.exitStatus(), QProcess::NormalExit) << "killed by the limit's signal";
        EXPECT_EQ(process.exitCode(), 1) << err.toStdString();
        EXPECT_TRUE(err.contains("Could not save file\n" + out + ": File too large")) << err.toStdString();
        if (run.earlierFile) {
            EXPECT_EQ(velor::test::ReadAll(out), earlier);
        } else {
            EXPECT_FALSE(QFile::exists(out));
        }
        const QString name = QFileInfo(out).fileName();
        EXPECT_EQ(QDir(dir.path()).entryList({name + "*"}, QDir::Files),
                  run.earlierFile ? QStringList{name} : QStringList{})
            << "nothing partial left";
    }
}

}  // namespace
