// The clip-level colour dialog with a recorder in place of the user: what Add refuses and
// with which message, the order it keeps, Delete with its question, and the colour chooser.

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

#include "tests/support/RecordingPrompt.h"
#include "views/common/ColorClipDlg.h"

namespace velor {
namespace {

using test::RecordingPrompt;

std::vector<ClipLevel> DefaultLevels() {
    std::vector<ClipLevel> levels;
    for (int i = 0; i < kDefaultClipLevelCount; ++i) levels.push_back({kDefaultClipLevels[i], kDefaultClipColors[i]});
    return levels;
}

class ClipDialog : public ::testing::Test {
protected:
    std::unique_ptr<CColorClipDlg> Open(const std::vector<ClipLevel>& levels = DefaultLevels()) {
        auto dialog = std::make_unique<CColorClipDlg>(levels, QStringLiteral("ClipLevels for 3D Plots"), prompt,
                                                      nullptr, kMinClipLevel, kMaxClipLevel,
                                                      [this](const QColor&, QWidget*) { return chosen; });
        return dialog;
    }
    static QListWidget* List(CColorClipDlg& d) { return d.findChild<QListWidget*>(CColorClipDlg::kListName); }
    static void Type(CColorClipDlg& d, const QString& text) {
        d.findChild<QLineEdit*>(CColorClipDlg::kEditName)->setText(text);
    }
    static void Click(CColorClipDlg& d, const char* name) { d.findChild<QPushButton*>(name)->click(); }
    static QStringList Rows(CColorClipDlg& d) {
        QStringList rows;
        for (int i = 0; i < List(d)->count(); ++i) rows << List(d)->item(i)->text();
        return rows;
    }

    RecordingPrompt prompt;
    std::optional<QColor> chosen;
};

TEST_F(ClipDialog, AddRefusesWithTheMessageOfEachFault) {
    const struct {
        const char* text;
        const char* message;
        const char* caption;
    } cases[] = {
        {"", "No Clip Level", "ERROR"},
        {"  ", "No Clip Level", "ERROR"},
        {"12.34", "Too Many Decimal Places", "ERROR"},
        {"50.00", "Too Many Decimal Places", "ERROR"},
        {"0.5", "Clip level must be greater than 1.0 %", "Procedure error"},
        {"-3", "Clip level must be greater than 1.0 %", "Procedure error"},
        {"100.1", "Clip level can not be greater than 100.0 %", "Procedure error"},
        {"123456789012", "Clip level can not be greater than 100.0 %", "Procedure error"},
        {"50", "Duplicate ClipLevel Not Allowed", "ERROR"},
        {"60.7%", "Duplicate ClipLevel Not Allowed", "ERROR"},
        {"abc", "Clip level must be a number", "ERROR"},
        {"1e2", "Clip level must be a number", "ERROR"},
    };
    auto dialog = Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        prompt.Clear();
        Type(*dialog, QString::fromLatin1(c.text));
        Click(*dialog, CColorClipDlg::kAddName);
        ASSERT_EQ(prompt.Messages().size(), 1u);
        EXPECT_EQ(prompt.Last().text, QString::fromLatin1(c.message));
        EXPECT_EQ(prompt.Last().caption, QString::fromLatin1(c.caption));
        EXPECT_EQ(prompt.Last().icon, PromptIcon::Exclamation);
        EXPECT_EQ(dialog->Levels().size(), 9u);
    }
}

TEST_F(ClipDialog, AddedLevelsKeepTheListHighestFirstInTheCurrentColour) {
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), "ClipLevels for 3D Plots");
    EXPECT_EQ(Rows(*dialog), QStringList({"100.0%", "90.0%", "75.0%", "60.7%", "50.0%", "36.8%", "25.0%", "13.5%",
                                          "5.0%"}));
    EXPECT_EQ(dialog->CurrentColour(), 0x00FFFFFFu) << "white to start with";
    chosen = QColor(0x10, 0x20, 0x30);
    Click(*dialog, CColorClipDlg::kSwatchName);
    for (const char* text : {"1", "55.5", " 99.9 % ", "100.0"}) {
        Type(*dialog, QString::fromLatin1(text));
        Click(*dialog, CColorClipDlg::kAddName);
    }
    EXPECT_EQ(prompt.Texts(), QStringList{"Duplicate ClipLevel Not Allowed"}) << "100.0 is listed";
    EXPECT_EQ(Rows(*dialog), QStringList({"100.0%", "99.9%", "90.0%", "75.0%", "60.7%", "55.5%", "50.0%", "36.8%",
                                          "25.0%", "13.5%", "5.0%", "1.0%"}));
    const std::vector<ClipLevel>& levels = dialog->Levels();
    EXPECT_EQ(levels[5].tenths, 555);
    EXPECT_EQ(levels[5].colour, 0x00302010u);
    EXPECT_EQ(levels.back().tenths, 10);

    // Choosing a row shows its level and takes its colour.
    List(*dialog)->setCurrentRow(2);
    EXPECT_EQ(dialog->findChild<QLineEdit*>(CColorClipDlg::kEditName)->text(), "90.0%");
    EXPECT_EQ(dialog->CurrentColour(), kDefaultClipColors[1]);
}

TEST_F(ClipDialog, DeleteAsksForAnyRowButTheHundredPercentOne) {
    auto dialog = Open();
    Click(*dialog, CColorClipDlg::kDeleteName);
    EXPECT_EQ(prompt.Last().text, "No ClipLevel Selected");
    EXPECT_EQ(prompt.Last().caption, "ERROR");

    List(*dialog)->setCurrentRow(0);
    Click(*dialog, CColorClipDlg::kDeleteName);
    EXPECT_EQ(prompt.Last().text, "You are not allowed to delete the 100% ClipLevel");
    EXPECT_EQ(prompt.Last().caption, "ERROR");
    EXPECT_EQ(dialog->Levels().size(), 9u);

    List(*dialog)->setCurrentRow(4);
    prompt.Answer(PromptAnswer::No);
    Click(*dialog, CColorClipDlg::kDeleteName);
    EXPECT_EQ(prompt.Last().text, "Delete 50.0% ClipLevel");
    EXPECT_EQ(prompt.Last().caption, "Delete ClipLevel");
    EXPECT_EQ(prompt.Last().buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompt.Last().icon, PromptIcon::Question);
    EXPECT_EQ(dialog->Levels().size(), 9u);
    prompt.Answer(PromptAnswer::Yes);
    Click(*dialog, CColorClipDlg::kDeleteName);
    EXPECT_EQ(Rows(*dialog), QStringList({"100.0%", "90.0%", "75.0%", "60.7%", "36.8%", "25.0%", "13.5%", "5.0%"}));
}

TEST_F(ClipDialog, ASixtyFifthLevelIsRefused) {
    std::vector<ClipLevel> full;
    for (int i = 0; i < kMaxClipLevels; ++i) full.push_back({static_cast<uint16_t>(1000 - 10 * i), 0x000000FF});
    full.push_back({50, 0x00FF0000});  // a caller's 65th is not even shown
    auto dialog = Open(full);
    EXPECT_EQ(List(*dialog)->count(), 64);
    Type(*dialog, QStringLiteral("5"));
    Click(*dialog, CColorClipDlg::kAddName);
    EXPECT_EQ(prompt.Texts(), QStringList{"You may not have more than 64 ClipLevels"});
    EXPECT_EQ(prompt.Last().caption, "ERROR");
    EXPECT_EQ(dialog->Levels().size(), 64u);
}

}  // namespace
}  // namespace velor
