// The user's work is never dropped: a failed open keeps what is open, unsaved changes are
// asked about before New, Exit or the last window close them, Save As asks before it replaces
// a file the dialog did not confirm, and a note keeps characters its file cannot hold.

#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include "tests/app/shell/ShellFixture.h"
#include "tests/support/FileLayout.h"
#include "tests/support/TestStation.h"
#include "views/profile/PrflView.h"

namespace velor::test {
namespace {

const QString kSaveQuestion = QStringLiteral("Save changes to Untitled?");

class KeepWork : public Shell {
protected:
    // A new measurement with an edited note: something to lose.
    CNoteView* StartWithUnsavedNote() {
        CMainFrame& frame = Start();
        frame.Execute(ID_FILE_NEW);
        auto* note = static_cast<CNoteView*>(frame.OpenView(kNoteViewTag));
        note->Editor()->setPlainText(QStringLiteral("unsaved"));
        EXPECT_TRUE(frame.ActiveDocument()->IsModified());
        prompt.Clear();
        return note;
    }
};

TEST_F(KeepWork, FailedOpenKeepsTheOpenMeasurementItsWindowsAndTheirPlaces) {
    // A file damaged in its settings block, which is read after the frame's record.
    TestStation writer;
    writer.NewDocument();
    writer.AddNote("other");
    ASSERT_TRUE(writer.file.SaveDataFile(Path("damaged.vnq")));
    QByteArray bytes = ReadAll(Path("damaged.vnq"));
    FlipByte(bytes, FileLayout::Data(FileLayout(10).settingsBlock()) + 30);
    WriteAll(Path("damaged.vnq"), bytes);

    CNoteView* note = StartWithUnsavedNote();
    CMainFrame& frame = app->MainFrame();
    note->Frame()->setGeometry(30, 40, 320, 220);
    const CVelor32Doc* open = frame.ActiveDocument();
    const QRect window = frame.geometry();

    prompt.Answer(PromptAnswer::No);  // not saved first: the open measurement is still wanted
    EXPECT_FALSE(frame.OpenDocumentFile(Path("damaged.vnq")));
    EXPECT_EQ(prompt.Texts(), QStringList({kSaveQuestion, "Could not read file"}));
    EXPECT_EQ(frame.ActiveDocument(), open);
    EXPECT_TRUE(open->IsModified());
    EXPECT_EQ(Find<CNoteView>(), note);
    EXPECT_EQ(note->Text(), "unsaved");
    EXPECT_EQ(note->Frame()->geometry(), QRect(30, 40, 320, 220));
    EXPECT_EQ(frame.ViewFrames().size(), 2u);
    EXPECT_EQ(frame.geometry(), window);
    EXPECT_EQ(frame.windowTitle(), "Orbiscan Viewer - Untitled");
}

// What File New, File Exit and closing the last window do with unsaved changes, for each
// answer to "Save changes to …?".
TEST_F(KeepWork, UnsavedChangesAreAskedAboutBeforeAnythingClosesThem) {
    enum class Way { New, Exit, LastWindow };
    struct Case {
        const char* what;
        Way way;
        bool modified;
        std::optional<PromptAnswer> answer;
        const char* saveTo;  // Save As's choice after Yes; null: the dialog is cancelled
        bool closes;
    };
    const Case cases[] = {
        {"New, nothing to save", Way::New, false, std::nullopt, nullptr, true},
        {"New, Cancel", Way::New, true, PromptAnswer::Cancel, nullptr, false},
        {"New, No", Way::New, true, PromptAnswer::No, nullptr, true},
        {"New, Yes and saved", Way::New, true, PromptAnswer::Yes, "kept", true},
        {"New, Yes but Save As cancelled", Way::New, true, PromptAnswer::Yes, nullptr, false},
        {"Exit, Cancel", Way::Exit, true, PromptAnswer::Cancel, nullptr, false},
        {"Exit, No", Way::Exit, true, PromptAnswer::No, nullptr, true},
        {"Exit, Yes but the save fails", Way::Exit, true, PromptAnswer::Yes, "no/such/folder/x", false},
        {"Exit, Yes and saved", Way::Exit, true, PromptAnswer::Yes, "kept", true},
        {"last window, Cancel", Way::LastWindow, true, PromptAnswer::Cancel, nullptr, false},
        {"last window, No", Way::LastWindow, true, PromptAnswer::No, nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (app) app->MainFrame().Prefs().promptOnExit = false;
        app.reset();
        QFile::remove(Path("kept.vnq"));
        CNoteView* note = StartWithUnsavedNote();
        CMainFrame& frame = app->MainFrame();
        frame.Prefs().promptOnExit = false;
        if (!c.modified) frame.ActiveDocument()->SetModifiedFlag(false);
        if (c.answer) prompt.Answer(*c.answer);
        if (c.saveTo) prompt.fileChoices.push_back({Path(QString::fromLatin1(c.saveTo)), 0});

        bool closed = false;
        switch (c.way) {
            case Way::New:
                frame.Execute(ID_FILE_NEW);
                closed = Find<CNoteView>() == nullptr;
                if (closed) {
                    EXPECT_NE(Find<CPrflView>(), nullptr) << "a new document shows its profile";
                }
                break;
            case Way::Exit:
                closed = frame.close();
                break;
            case Way::LastWindow:
                Find<CPrflView>()->Frame()->close();
                EXPECT_TRUE(prompt.Messages().empty()) << "not the last window: no question";
                closed = note->Frame()->close();
                Pump();
                EXPECT_EQ(frame.ActiveDocument() == nullptr, closed);
                break;
        }
        EXPECT_EQ(closed, c.closes);
        if (c.modified) {
            ASSERT_FALSE(prompt.Messages().empty());
            EXPECT_EQ(prompt.Messages().front().text, kSaveQuestion);
            EXPECT_EQ(prompt.Messages().front().buttons, PromptButtons::YesNoCancel);
        } else {
            EXPECT_TRUE(prompt.Messages().empty());
        }
        EXPECT_EQ(QFile::exists(Path("kept.vnq")), c.saveTo && QLatin1String(c.saveTo) == "kept");
    }
}

TEST_F(KeepWork, AutomationExitClosesWithoutAnyQuestionAndSavesNothing) {
    StartWithUnsavedNote();
    CMainFrame& frame = app->MainFrame();
    frame.show();
    ASSERT_TRUE(frame.Prefs().promptOnExit);
    frame.RequestExit();
    Pump();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(frame.ActiveDocument(), nullptr);
    EXPECT_TRUE(prompt.Messages().empty()) << prompt.Texts().join("|").toStdString();
    EXPECT_EQ(prompt.saveDialogs, 0);
}

TEST_F(KeepWork, SaveAsAsksBeforeReplacingAFileTheDialogDidNotConfirm) {
    struct Case {
        int filter;
        const char* name;
    };
    for (const Case c : {Case{0, "m.vnq"}, Case{1, "m.cfg"}, Case{2, "m.prw"}, Case{3, "m.asc"}, Case{4, "m.bmp"}}) {
        SCOPED_TRACE(c.name);
        if (app) app->MainFrame().Prefs().promptOnExit = false;
        app.reset();
        CMainFrame& frame = Start();
        frame.Execute(ID_FILE_NEW);
        WriteAll(Path(c.name), "keep me");
        prompt.Clear();

        // "m" was confirmed by the dialog, the file written would be m.<kind>: asked, kept.
        prompt.fileChoices.push_back({Path("m"), c.filter});
        prompt.Answer(PromptAnswer::No);
        frame.Execute(ID_FILE_SAVE_AS);
        ASSERT_EQ(prompt.Messages().size(), 1u);
        EXPECT_EQ(prompt.Last().text, QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(c.name));
        EXPECT_EQ(prompt.Last().buttons, PromptButtons::YesNo);
        EXPECT_EQ(ReadAll(Path(c.name)), "keep me");

        prompt.fileChoices.push_back({Path("m"), c.filter});
        prompt.Answer(PromptAnswer::Yes);
        frame.Execute(ID_FILE_SAVE_AS);
        EXPECT_NE(ReadAll(Path(c.name)), "keep me");

        // The name the dialog confirmed itself is not asked about again.
        prompt.Clear();
        prompt.fileChoices.push_back({Path(c.name), c.filter});
        frame.Execute(ID_FILE_SAVE_AS);
        EXPECT_TRUE(prompt.Messages().empty()) << prompt.Texts().join("|").toStdString();
    }
}

TEST_F(KeepWork, NoteKeepsCharactersOfItsCodePageAndAsksAboutOthers) {
    CNoteView* note = StartWithUnsavedNote();
    CMainFrame& frame = app->MainFrame();
    note->Editor()->setPlainText(QStringLiteral("5 \u20AC \u2013 \u201Equoted\u201C, 3 \u03A9"));

    prompt.fileChoices.push_back({Path("n.vnq"), 0});
    prompt.Answer(PromptAnswer::No);
    frame.Execute(ID_FILE_SAVE_AS);
    ASSERT_EQ(prompt.Messages().size(), 1u);
    EXPECT_TRUE(prompt.Last().text.contains(QStringLiteral("\u03A9"))) << "the user is told which";
    EXPECT_FALSE(prompt.Last().text.contains(QStringLiteral("\u20AC")));
    EXPECT_FALSE(QFile::exists(Path("n.vnq"))) << "No: nothing saved";

    prompt.fileChoices.push_back({Path("n.vnq"), 0});
    prompt.Answer(PromptAnswer::Yes);
    frame.Execute(ID_FILE_SAVE_AS);
    const QByteArray stored("5 \x80 \x96 \x84quoted\x93, 3 ?");
    EXPECT_TRUE(ReadAll(Path("n.vnq")).contains(stored));
    EXPECT_TRUE(note->Editor()->toPlainText().endsWith(QStringLiteral("\u03A9"))) << "kept on screen";

    ASSERT_TRUE(frame.OpenDocumentFile(Path("n.vnq")));
    ASSERT_NE(Find<CNoteView>(), nullptr);
    EXPECT_EQ(Find<CNoteView>()->Editor()->toPlainText(), QStringLiteral("5 \u20AC \u2013 \u201Equoted\u201C, 3 ?"));
    EXPECT_EQ(Find<CNoteView>()->Text(), stored);
}

}  // namespace
}  // namespace velor::test
