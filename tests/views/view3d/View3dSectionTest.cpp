// The 3D view's record without its window: it travels through the data file byte for byte,
// and a record holding what no command, dialog or camera can set makes the load fail.

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

#include "tests/support/TestStation.h"
#include "views/view3d/View3dRecord.h"
#include "views/view3d/View3dSection.h"

namespace velor::test {
namespace {

class View3dSectionFile : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterHeadless3dSection(station.viewTypes);
        doc = station.NewDocument();
        section = static_cast<View3dSection*>(doc->AdoptView(std::make_unique<View3dSection>()));
    }
    TestStation station;
    CVelor32Doc* doc = nullptr;
    View3dSection* section = nullptr;
};

TEST_F(View3dSectionFile, RecordTravelsWholeAndImpossibleValuesAreRefused) {
    section->SetInitialKind(k3dRectangular);
    section->m_nClipCount = 3;
    section->m_nClipLevel[2] = 10;
    section->m_crClipColor[1] = 0x00123456;
    section->m_bSolidSurface = 0;
    section->m_bMeshLines = 1;
    section->m_bLegend = 0;
    section->m_nResolution = k3dHigh;
    section->m_bLogarithmic = 1;
    section->m_fCameraAxis[0] = 0.3f;
    section->m_fCameraAngle = 2.5f;
    section->m_fCameraHeight = 80.0f;
    const C3dData saved = *section;
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("v.vnq")));
    CVelor32Doc* loaded = station.file.LoadDataFile(station.Path("v.vnq"));
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->Views().size(), 1u);
    const auto* back = dynamic_cast<const View3dSection*>(loaded->Views()[0]);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(std::memcmp(static_cast<const C3dData*>(back), &saved, sizeof saved), 0);

    const struct {
        const char* what;
        void (*spoil)(C3dData&);
    } cases[] = {
        {"no level", [](C3dData& r) { r.m_nClipCount = 0; }},
        {"65 levels", [](C3dData& r) { r.m_nClipCount = 65; }},
        {"level below 1 %", [](C3dData& r) { r.m_nClipLevel[3] = 9; }},
        {"level above 100 %", [](C3dData& r) { r.m_nClipLevel[0] = 1001; }},
        {"colour with a high byte", [](C3dData& r) { r.m_crClipColor[8] = 0x01000000; }},
        {"solid flag 2", [](C3dData& r) { r.m_bSolidSurface = 2; }},
        {"legend flag 7", [](C3dData& r) { r.m_bLegend = 7; }},
        {"mesh flag 2", [](C3dData& r) { r.m_bMeshLines = 2; }},
        {"logarithmic flag 2", [](C3dData& r) { r.m_bLogarithmic = 2; }},
        {"kind 2", [](C3dData& r) { r.m_nViewKind = 2; }},
        {"resolution 3", [](C3dData& r) { r.m_nResolution = 3; }},
        {"position not a number", [](C3dData& r) { r.m_fCameraPosition[1] = std::nanf(""); }},
        {"axis infinite", [](C3dData& r) { r.m_fCameraAxis[2] = INFINITY; }},
        {"camera far away", [](C3dData& r) { r.m_fCameraPosition[0] = 2.0e6f; }},
        {"focal distance 0", [](C3dData& r) { r.m_fFocalDistance = 0.0f; }},
        {"orthographic of height 0", [](C3dData& r) { r.m_fCameraHeight = 0.0f; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        C3dData spoilt;
        c.spoil(spoilt);
        EXPECT_FALSE(IsValid3dRecord(spoilt));
        // The loaded document is the open one now.
        auto* open = dynamic_cast<View3dSection*>(station.Document()->Views().at(0));
        ASSERT_NE(open, nullptr);
        open->Settings() = spoilt;
        ASSERT_TRUE(station.file.SaveDataFile(station.Path("bad.vnq")));
        station.prompt.Clear();
        EXPECT_EQ(station.file.LoadDataFile(station.Path("bad.vnq")), nullptr);
        EXPECT_EQ(station.prompt.Texts(), QStringList{"Could not read file"});
    }
    // A perspective camera keeps no height.
    C3dData perspective;
    perspective.m_bOrthographic = 0;
    perspective.m_fCameraHeight = 0.0f;
    EXPECT_TRUE(IsValid3dRecord(perspective));
}

}  // namespace
}  // namespace velor::test
