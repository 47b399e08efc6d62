// The power view without its window: its part of the ASCII export byte for byte, its record
// in the data file (kept, or refused when it holds what no dialog can set), and its numbers
// through the document on a simulated Gaussian beam against the power it must enclose.

#include <QRegularExpression>
#include <cstring>
#include <cmath>
#include <gtest/gtest.h>

#include "document/export/AsciiExport.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "tests/support/TestStation.h"
#include "tests/views/power/PowerCurves.h"
#include "views/power/PowerExport.h"
#include "views/power/PowerRecord.h"
#include "views/power/PowerSection.h"

namespace velor::test {
namespace {

TEST(PowerExport, SectionIsWrittenExactlyAsQuoted) {
    const struct {
        const char* what;
        CurveCase curve;
        uint32_t axisMode, showNA, coneFlags, percentFlags;
        std::array<float, 3> cones;
        float refPower, integral;
        const char* unit;
        QByteArray expected;
    } cases[] = {
        {"centroid, degrees", CurveCase::Centroid({0.0f, 0.5f, 1.5f, 2.0f}), 0, 0, 5, 2, {0.1f, 10.0f, 0.26f}, 2.0f,
         2.0f, "mW",
         "\r\n3d-calculations view data:\r\n3D Centroid position\r\nTheta: -1.250\r\nPhi: 33.500\r\n"
         "\r\nReference power: 2.000000 mW\r\n"
         "\r\nPower computed about 3D Centroid axis\r\n"
         "\r\nTotal power: 2.000000 mW"
         "\r\nPower in 0.1\xB0 cone: 0.500000 mW"
         "\r\nPower in 0.3\xB0 cone: 1.800000 mW"
         "\r\nCone with 50.00 % total power: 0.150\xB0"
         "\r\n\r\nAngle[\xB0]\tPower[mW]"
         "\r\n 0.000000\t  0.00000\r\n 0.100000\t  0.50000\r\n 0.200000\t  1.50000\r\n 0.300000\t  2.00000"},
        {"optical axis, numerical aperture", CurveCase::Axis({0.0f, 1.0f, 3.0f, 4.0f}), 1, 1, 2, 4,
         {5.0f, 1.5f, 45.0f}, 1.0f, 4.0f, "\xB5W",
         "\r\n3d-calculations view data:\r\n3D Centroid position\r\nTheta: -1.250\r\nPhi: 33.500\r\n"
         "\r\nReference power: 1.000000 \xB5W\r\n"
         "\r\nPower computed about instrument optical axis\r\n"
         "\r\nTotal power: 1.000000 \xB5W"
         "\r\nPower in 0.026 NA cone: 0.500000 \xB5W"
         "\r\nCone with 75.00 % total power: 0.035 NA"
         "\r\n\r\nAngle[NA]\tPower[\xB5W]"
         "\r\n 0.000000\t  0.00000\r\n 0.017452\t  1.00000\r\n 0.034899\t  3.00000\r\n 0.052336\t  4.00000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CPowerData r;
        r.m_nAxisMode = c.axisMode;
        r.m_bShowNA = c.showNA;
        r.m_nConeFlags = c.coneFlags;
        r.m_nPercentFlags = c.percentFlags;
        std::copy(c.cones.begin(), c.cones.end(), r.m_fConeAngle);
        r.m_fRefPower = c.refPower;
        r.m_fCalCounts = c.integral;
        std::strcpy(r.m_szRefUnits, c.unit);
        const PowerSnapshot snapshot{c.curve.Curve(), -1.25f, 33.5f};
        const std::optional<PowerResults> results = ComputePowerResults(snapshot.curve, r);
        ASSERT_TRUE(results);
        EXPECT_EQ(PowerExportText(r, snapshot, *results), c.expected);
    }
}

class PowerSectionFile : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterHeadlessPowerSection(station.viewTypes);
        doc = station.NewDocument();
        power = static_cast<PowerSection*>(doc->AdoptView(std::make_unique<PowerSection>()));
    }
    TestStation station;
    CVelor32Doc* doc = nullptr;
    PowerSection* power = nullptr;
};

TEST_F(PowerSectionFile, AsciiExportCarriesTheSectionAfterTheProfiles) {
    doc->GetConePower()[1620] = 4.0f;
    doc->ApplyReferencePower(3.0f, QStringLiteral("W"));  // C := 4
    const QString path = station.Path("m.asc");
    ASSERT_TRUE(ExportAscii(*doc, path, station.prompt));
    const QByteArray text = ReadAll(path);
    const qsizetype section = text.indexOf("\r\n3d-calculations view data:\r\n");
    ASSERT_GT(section, 0);
    EXPECT_TRUE(text.startsWith("Gain =\t0\r\n"));
    const QByteArray own = text.mid(section);
    EXPECT_TRUE(own.contains("\r\nReference power: 3.000000 W\r\n\r\nPower computed about instrument optical axis"));
    EXPECT_TRUE(own.contains("\r\nTotal power: 3.000000 W\r\nPower in 5.0\xB0 cone: 0.000000 W"));
    EXPECT_EQ(own.count("\r\n") - own.left(own.indexOf("Power[W]")).count("\r\n"), 1621) << "one row a sample";
    // The last row: the grid's largest angle (about 76° at the nearest distance) and the total.
    EXPECT_TRUE(QString::fromLatin1(own).contains(QRegularExpression("\r\n76\\.\\d{6}\t  4\\.00000$")))
        << own.right(40).toStdString();

    // Without a calibration the results are zero, never those of an earlier one.
    doc->SetApertureSourceDistance(3.0f);
    ASSERT_TRUE(ExportAscii(*doc, path, station.prompt));
    EXPECT_TRUE(ReadAll(path).contains("\r\nTotal power: 0.000000 W\r\n"));
    EXPECT_TRUE(station.prompt.Messages().empty());
}

TEST_F(PowerSectionFile, RecordTravelsInTheDataFileAndImpossibleValuesAreRefused) {
    power->m_nAxisMode = 0;
    power->m_fConeAngle[1] = 12.5f;
    power->m_fPercent[2] = 90.0f;
    power->m_nPercentFlags = 3;
    power->m_bShowNA = 1;
    power->m_crData = 0x00123456;
    const CPowerData saved = *power;
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("p.vnq")));
    CVelor32Doc* loaded = station.file.LoadDataFile(station.Path("p.vnq"));
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->Views().size(), 1u);
    const auto* back = dynamic_cast<const PowerSection*>(loaded->Views()[0]);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(std::memcmp(static_cast<const CPowerData*>(back), &saved, sizeof saved), 0);

    const struct {
        const char* what;
        void (*spoil)(CPowerData&);
    } cases[] = {
        {"cone beyond 90°", [](CPowerData& r) { r.m_fConeAngle[0] = 90.5f; }},
        {"negative cone", [](CPowerData& r) { r.m_fConeAngle[2] = -1.0f; }},
        {"cone not a number", [](CPowerData& r) { r.m_fConeAngle[1] = std::nanf(""); }},
        {"share above 100 %", [](CPowerData& r) { r.m_fPercent[1] = 100.5f; }},
        {"share infinite", [](CPowerData& r) { r.m_fPercent[0] = INFINITY; }},
        {"a fourth cone flag", [](CPowerData& r) { r.m_nConeFlags = 8; }},
        {"a fourth share flag", [](CPowerData& r) { r.m_nPercentFlags = 15; }},
        {"axis mode 2", [](CPowerData& r) { r.m_nAxisMode = 2; }},
        {"NA switch 5", [](CPowerData& r) { r.m_bShowNA = 5; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CPowerData spoilt;
        c.spoil(spoilt);
        EXPECT_FALSE(IsValidPowerRecord(spoilt));
        auto* open = dynamic_cast<PowerSection*>(station.Document()->Views().at(0));
        ASSERT_NE(open, nullptr);
        open->Settings() = spoilt;
        ASSERT_TRUE(station.file.SaveDataFile(station.Path("bad.vnq")));
        station.prompt.Clear();
        EXPECT_EQ(station.file.LoadDataFile(station.Path("bad.vnq")), nullptr);
        EXPECT_EQ(station.prompt.Texts(), QStringList{"Could not read file"});
    }
}

// A single-mode fiber's far field is a Gaussian in sin θ: the power within a cone of
// half-angle α is the total times 1 − exp(−2 (sin α / sin θ0)²), θ0 the 1/e² half-angle;
// the view must give it within half a percent of the total, about either axis.
TEST_F(PowerSectionFile, ConesOfASimulatedGaussianBeamHoldTheirAnalyticShare) {
    const double wavelengthUm = 1.31, mfdUm = 10.4;
    const double s0 = wavelengthUm / (std::numbers::pi * mfdUm / 2.0);  // sin θ0, θ0 ≈ 4.6°
    SimulationOptions options;
    options.scans3D = 50;
    ASSERT_TRUE(SimulateMeasurement(*doc, *sim::MakeGaussianFiber(1310.0, mfdUm), options));
    ASSERT_NE(doc->GetCalCounts(), 0.0f);
    const float cones[] = {1.5f, 3.0f, 4.6f, 7.0f, 10.0f};
    for (uint32_t axisMode : {1u, 0u}) {
        for (float alpha : cones) {
            SCOPED_TRACE(testing::Message() << (axisMode ? "optical axis, " : "centroid, ") << alpha << "°");
            power->m_nAxisMode = axisMode;
            power->m_fConeAngle[0] = alpha;
            const PowerSnapshot snapshot = TakePowerSnapshot(*power, *doc);
            const std::optional<PowerResults> r = ComputePowerResults(snapshot.curve, *power);
            ASSERT_TRUE(r);
            const double s = std::sin(alpha * kRadian) / s0;
            EXPECT_NEAR(r->conePower[0] / r->total, 1.0 - std::exp(-2.0 * s * s), 0.005);
        }
    }
}

}  // namespace
}  // namespace velor::test
