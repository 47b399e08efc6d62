// The near field view's record without its window: it travels through the data file byte for
// byte, a reader without the view keeps its section and writes it back unchanged, files without
// it are written as they always were, and impossible values make the load fail.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "document/file/KeptSection.h"
#include "tests/support/TestStation.h"
#include "views/nearfield/NearFieldSection.h"

namespace velor::test {
namespace {

std::vector<float> Peak() {
    std::vector<float> p(3241, 0.0f);
    for (int i = 1500; i < 1741; ++i) p[i] = 60000.0f * static_cast<float>(std::exp(-std::pow((i - 1620) / 40.0, 2)));
    return p;
}

TEST(NearFieldSectionFile, RecordTravelsWholeAndReadersWithoutTheViewKeepIt) {
    TestStation station;
    RegisterHeadlessNearFieldSection(station.viewTypes);
    CVelor32Doc* doc = station.NewDocument();
    doc->StoreProfiles(Peak(), {});
    auto* section = static_cast<NearFieldSection*>(doc->AdoptView(std::make_unique<NearFieldSection>()));
    section->m_nUpdateRate = 2;
    section->m_nUpdateRateUnit = 1;
    section->m_bLogarithmic = 1;
    section->m_crGrid = 0x00123456;
    section->m_reserved24[1] = 7;  // kept as found
    const CNearFieldData saved = *section;
    const QString path = station.Path(QStringLiteral("n.vnq"));
    ASSERT_TRUE(station.file.SaveDataFile(path));
    CVelor32Doc* loaded = station.file.LoadDataFile(path);
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->Views().size(), 1u);
    const auto* back = dynamic_cast<const NearFieldSection*>(loaded->Views()[0]);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(std::memcmp(static_cast<const CNearFieldData*>(back), &saved, sizeof saved), 0);

    // This program before the view: the section is kept as it stands and written back.
    TestStation older;
    CVelor32Doc* kept = older.file.LoadDataFile(path);
    ASSERT_NE(kept, nullptr);
    ASSERT_NE(dynamic_cast<const KeptSection*>(kept->Views().at(0)), nullptr);
    ASSERT_TRUE(older.file.SaveDataFile(older.Path(QStringLiteral("again.vnq"))));
    EXPECT_EQ(ReadAll(older.Path(QStringLiteral("again.vnq"))), ReadAll(path));
}

TEST(NearFieldSectionFile, FilesWithoutTheViewAreWrittenAsBefore) {
    TestStation before;
    CVelor32Doc* doc = before.NewDocument();
    doc->StoreProfiles(Peak(), Peak());
    before.AddNote("no near field here");
    const QString path = before.Path(QStringLiteral("plain.vnq"));
    ASSERT_TRUE(before.file.SaveDataFile(path));

    // Read by this program, its near field computed and shown, and saved again.
    TestStation now;
    RegisterHeadlessNearFieldSection(now.viewTypes);
    CVelor32Doc* loaded = now.file.LoadDataFile(path);
    ASSERT_NE(loaded, nullptr);
    EXPECT_GT(loaded->GetEffectiveArea(0), 0.0f);
    ASSERT_TRUE(now.file.SaveDataFile(now.Path(QStringLiteral("again.vnq"))));
    EXPECT_EQ(ReadAll(now.Path(QStringLiteral("again.vnq"))), ReadAll(path));
}

TEST(NearFieldSectionFile, ImpossibleValuesAreRefused) {
    // A rate unit beyond per hour, a scale flag of 2.
    for (const auto spoil : {+[](CNearFieldData& r) { r.m_nUpdateRateUnit = 3; },
                             +[](CNearFieldData& r) { r.m_bLogarithmic = 2; }}) {
        TestStation station;
        RegisterHeadlessNearFieldSection(station.viewTypes);
        spoil(static_cast<NearFieldSection*>(station.NewDocument()->AdoptView(std::make_unique<NearFieldSection>()))
                  ->Settings());
        ASSERT_TRUE(station.file.SaveDataFile(station.Path(QStringLiteral("bad.vnq"))));
        EXPECT_EQ(station.file.LoadDataFile(station.Path(QStringLiteral("bad.vnq"))), nullptr);
        EXPECT_EQ(station.prompt.Texts(), QStringList{"Could not read file"});
    }
}

}  // namespace
}  // namespace velor::test
