// The notes window: its text through a data file byte for byte, the empty note, the edit
// filling the view, its title.

#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include "tests/app/shell/ShellFixture.h"
#include "tests/support/FileLayout.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

TEST_F(Shell, NoteRoundTripKeepsEveryByteAndAnEmptyNoteIsAnEmptyBlock) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    auto* note = static_cast<CNoteView*>(frame.OpenView(kNoteViewTag));
    EXPECT_EQ(note->Frame()->windowTitle(), "Notes - Lumora Inc.");
    const QByteArray text("line one\r\nline two\r\n\r\nlone\rcr and lone\nlf \xB5W");
    note->SetText(text);
    prompt.fileChoices.push_back({Path("n.vnq"), 0});
    frame.Execute(ID_FILE_SAVE_AS);
    ASSERT_TRUE(frame.OpenDocumentFile(Path("n.vnq")));
    ASSERT_NE(Find<CNoteView>(), nullptr);
    EXPECT_EQ(Find<CNoteView>()->Text(), text);

    Find<CNoteView>()->SetText(QByteArray());
    prompt.fileChoices.push_back({Path("empty.vnq"), 0});
    frame.Execute(ID_FILE_SAVE_AS);
    const QByteArray bytes = ReadAll(Path("empty.vnq"));
    EXPECT_EQ(bytes.right(6), QByteArray::fromHex("0c0000000000"));
}

TEST_F(Shell, EditedNoteUsesCrLfAndMarksTheDocumentModified) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    auto* note = static_cast<CNoteView*>(frame.OpenView(kNoteViewTag));
    frame.ActiveDocument()->SetModifiedFlag(false);
    note->Editor()->setPlainText(QStringLiteral("a\nb"));
    EXPECT_EQ(note->Text(), "a\r\nb");
    EXPECT_TRUE(frame.ActiveDocument()->IsModified());
}

TEST_F(Shell, EditFillsTheViewWithAPixelToSpare) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    auto* note = static_cast<CNoteView*>(frame.OpenView(kNoteViewTag));
    note->Frame()->resize(420, 320);
    Pump();
    EXPECT_EQ(note->Editor()->geometry(), QRect(-1, -1, note->width() + 2, note->height() + 2));
}

}  // namespace
}  // namespace velor::test
