// The topographic view's record without its window: it travels through the data file byte
// for byte, and a record holding what no command, dialog or camera can set makes the load
// fail.

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

#include "tests/support/TestStation.h"
#include "views/topo/TopoRecord.h"
#include "views/topo/TopoSection.h"

namespace velor::test {
namespace {

TEST(TopoSectionFile, RecordTravelsWholeAndImpossibleValuesAreRefused) {
    TestStation station;
    RegisterHeadlessTopoSection(station.viewTypes);
    CVelor32Doc* doc = station.NewDocument();
    auto* section = static_cast<TopoSection*>(doc->AdoptView(std::make_unique<TopoSection>()));
    section->m_nClipCount = 3;
    section->m_nClipLevel[2] = 10;
    section->m_crClipColor[1] = 0x00123456;
    section->m_fCameraPosition[0] = -12.5f;
    section->m_fCameraPosition[2] = 80.0f;
    section->m_fFocalDistance = 80.0f;
    section->m_bLegend = 0;
    section->m_bMeshLines = 1;
    section->m_nResolution = kTopoHigh;
    section->m_bLogarithmic = 1;
    const C2dData saved = *section;
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("t.vnq")));
    CVelor32Doc* loaded = station.file.LoadDataFile(station.Path("t.vnq"));
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->Views().size(), 1u);
    const auto* back = dynamic_cast<const TopoSection*>(loaded->Views()[0]);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(std::memcmp(static_cast<const C2dData*>(back), &saved, sizeof saved), 0);

    const struct {
        const char* what;
        void (*spoil)(C2dData&);
    } cases[] = {
        {"no level", [](C2dData& r) { r.m_nClipCount = 0; }},
        {"65 levels", [](C2dData& r) { r.m_nClipCount = 65; }},
        {"level below 1 %", [](C2dData& r) { r.m_nClipLevel[3] = 9; }},
        {"colour with a high byte", [](C2dData& r) { r.m_crClipColor[8] = 0x01000000; }},
        {"legend flag 2", [](C2dData& r) { r.m_bLegend = 2; }},
        {"mesh flag 5", [](C2dData& r) { r.m_bMeshLines = 5; }},
        {"logarithmic flag 2", [](C2dData& r) { r.m_bLogarithmic = 2; }},
        {"resolution 3", [](C2dData& r) { r.m_nResolution = 3; }},
        {"position not a number", [](C2dData& r) { r.m_fCameraPosition[1] = std::nanf(""); }},
        {"camera far away", [](C2dData& r) { r.m_fCameraPosition[0] = 2.0e6f; }},
        {"camera below the disc", [](C2dData& r) { r.m_fCameraPosition[2] = -255.0f; }},
        {"focal distance 0", [](C2dData& r) { r.m_fFocalDistance = 0.0f; }},
        {"focal distance beyond the zoom", [](C2dData& r) { r.m_fFocalDistance = 1.0e5f; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        C2dData spoilt;
        c.spoil(spoilt);
        EXPECT_FALSE(IsValid2dRecord(spoilt));
        // The loaded document is the open one now.
        auto* open = dynamic_cast<TopoSection*>(station.Document()->Views().at(0));
        ASSERT_NE(open, nullptr);
        open->Settings() = spoilt;
        ASSERT_TRUE(station.file.SaveDataFile(station.Path("bad.vnq")));
        station.prompt.Clear();
        EXPECT_EQ(station.file.LoadDataFile(station.Path("bad.vnq")), nullptr);
        EXPECT_EQ(station.prompt.Texts(), QStringList{"Could not read file"});
    }
    EXPECT_TRUE(IsValid2dRecord(C2dData())) << "a new window's record";
}

}  // namespace
}  // namespace velor::test
