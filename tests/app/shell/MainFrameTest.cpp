// The main window as a user meets it: start-up, the status bar, the window limits, the exit
// question, the file commands in every kind, printing, the timed backup and the preferences.

#include <QDateTime>
#include <QDialog>
#include <QFile>
#include <QImageReader>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <QToolBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <gtest/gtest.h>

#include "images/ImageExport.h"
#include "app/DialogTitleFit.h"
#include "tests/app/shell/ShellFixture.h"
#include "views/chart/ChartView.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

// A view type of tests' own, standing in for the chart views.
class PlainView : public CDormView {
public:
    PlainView(uint16_t tag, ViewHost& host) : CDormView(tag, host) {}
};

TEST_F(Shell, StartingWithoutAFileAsksForOne) {
    Start({QString(), true, false});
    Pump();
    EXPECT_EQ(prompt.openDialogs, 1);
    ASSERT_EQ(prompt.lastFilters.size(), 2);
    EXPECT_EQ(prompt.lastFilters[0].description, "Data Files (*.VNQ)");
    EXPECT_EQ(prompt.lastFilters[1].pattern, "*.CFG");
    EXPECT_EQ(app->MainFrame().windowTitle(), "Orbiscan Viewer");
}

TEST_F(Shell, NewDocumentStatusBar) {
    CMainFrame& frame = Start();
    ASSERT_TRUE(frame.Execute(ID_FILE_NEW));
    EXPECT_EQ(frame.StatusPaneText(1), "Distance: 0.00 cm");
    EXPECT_EQ(frame.StatusPaneText(2), "Gain: 0 dB");
    EXPECT_EQ(frame.StatusPaneText(3), "Detector: Unknown");
    EXPECT_EQ(frame.windowTitle(), "Orbiscan Viewer - Untitled");
}

TEST_F(Shell, WindowLimitsActivateOrRefuse) {
    CMainFrame& frame = Start();
    for (const uint16_t tag : {kProfileViewTag, k3dViewTag}) {
        frame.RegisterViewType({tag, ViewTypeLimit(tag), ViewTypeLimitMessage(tag),
                                [tag](ViewHost& host) -> CDormView* { return new PlainView(tag, host); }});
    }
    frame.Execute(ID_FILE_NEW);
    ASSERT_EQ(frame.ViewFrames().size(), 1u);
    CDormView* first = frame.ViewFrames().front()->View();
    frame.OpenView(kNoteViewTag);  // something else becomes active
    // At its limit a New Window command stays enabled: it brings the open window forward.
    EXPECT_TRUE(frame.State(ID_NEW_RECTANGULAR).enabled);
    ASSERT_TRUE(frame.Execute(ID_NEW_RECTANGULAR));
    EXPECT_EQ(frame.MdiArea().activeSubWindow(), first->Frame())
        << "the second activates the first";
    EXPECT_TRUE(prompt.Messages().empty());
    EXPECT_EQ(frame.ViewFrames().size(), 2u);

    ASSERT_TRUE(frame.Execute(ID_NEW_3D_POLAR));
    ASSERT_TRUE(frame.Execute(ID_NEW_3D_RECTANGULAR));
    frame.OpenView(kNoteViewTag);
    EXPECT_TRUE(frame.State(ID_NEW_3D_POLAR).enabled);
    ASSERT_TRUE(frame.Execute(ID_NEW_3D_POLAR));
    ASSERT_EQ(prompt.Messages().size(), 1u);
    EXPECT_EQ(prompt.Last().text, "You may not open more than 5 3D windows");
    EXPECT_EQ(prompt.Last().caption, "Process Error");
    EXPECT_EQ(prompt.Last().icon, PromptIcon::Stop);
    EXPECT_EQ(frame.ViewFrames().size(), 5u);
    EXPECT_EQ(qobject_cast<CViewFrame*>(frame.MdiArea().activeSubWindow())->View()->Tag(),
              k3dViewTag)
        << "a 3D window comes forward";

    for (int i = 0; i < 15; ++i) ASSERT_TRUE(frame.Execute(ID_NEW_TIME_STATISTICS)) << i;
    EXPECT_TRUE(frame.State(ID_NEW_TIME_STATISTICS).enabled);
    ASSERT_TRUE(frame.Execute(ID_NEW_TIME_STATISTICS));
    EXPECT_EQ(prompt.Last().text, "You may not open more than 15 Time Statistics windows");
    EXPECT_EQ(frame.ViewFrames().size(), 20u);
}

TEST_F(Shell, LeavingAlreadyAnsweredNoKeepsTheProgramRunning) {
    CMainFrame& frame = Start();
    frame.show();
    prompt.Answer(PromptAnswer::No);
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(prompt.Last().text, "Leaving already?");
    EXPECT_EQ(prompt.Last().caption, "Program Terminating");
    EXPECT_EQ(prompt.Last().icon, PromptIcon::Exclamation);

    prompt.Answer(PromptAnswer::Yes);
    EXPECT_TRUE(frame.close());
}

TEST_F(Shell, SaveAsInEveryKindAndSaveBackToTheLoadedFile) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    auto* note = static_cast<CNoteView*>(frame.OpenView(kNoteViewTag));
    note->SetText("first");

    struct Kind {
        int filter;
        const char* name;
        const char* startsWith;
    };
    for (const Kind k : {Kind{0, "m.vnq", "VNQ"}, Kind{1, "m.cfg", "CFG"}, Kind{2, "m.prw", "\x0a\x00"},
                         Kind{3, "m.asc", "Gain =\t0\r\n"}}) {
        prompt.fileChoices.push_back({Path("m"), k.filter});
        ASSERT_TRUE(frame.Execute(ID_FILE_SAVE_AS));
        QFile file(Path(k.name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << k.name;
        EXPECT_TRUE(file.readAll().startsWith(QByteArray(k.startsWith, k.filter == 2 ? 2 : int(strlen(k.startsWith)))))
            << k.name;
    }
    EXPECT_EQ(QFile(Path("m.prw")).size(), 4 + 12964 * 11) << "N, 3241, the grid and 10 scans";
    EXPECT_TRUE(ReadAll(Path("m.asc")).endsWith("\r\nNotes view data:\r\nfirst\r\n"));
    EXPECT_EQ(frame.RecentFiles().first(), QFileInfo(Path("m.cfg")).absoluteFilePath());

    // Reopened and edited, Save writes back to the same file without asking.
    ASSERT_TRUE(frame.OpenDocumentFile(Path("m.vnq")));
    ASSERT_EQ(frame.ViewFrames().size(), 2u) << "the new document's Rectangular View and the note";
    auto* reopened = Find<CNoteView>();
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->Text(), "first");
    reopened->Editor()->setPlainText(QStringLiteral("second\nline"));
    const int dialogs = prompt.saveDialogs;
    ASSERT_TRUE(frame.Execute(ID_FILE_SAVE));
    EXPECT_EQ(prompt.saveDialogs, dialogs);
    ASSERT_TRUE(frame.OpenDocumentFile(Path("m.vnq")));
    EXPECT_EQ(Find<CNoteView>()->Text(), "second\r\nline");
}

TEST_F(Shell, BitmapOfTheMainWindowIsTheWindowAsTheUserSeesIt) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    frame.show();
    Pump();
    // The Save As dialog holds the window modal while it is up, as the real one does.
    prompt.whileSaveDialogOpen = [&] {
        QDialog dialog(&frame);
        dialog.setModal(true);
        QTimer::singleShot(0, &dialog, &QDialog::accept);
        dialog.exec();
    };
    prompt.fileChoices.push_back({Path("window"), 4});
    ASSERT_TRUE(frame.Execute(ID_FILE_SAVE_AS));
    const QImage saved = QImage(Path("window.bmp")).convertToFormat(QImage::Format_RGB32);
    const QImage live = frame.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(saved.size(), live.size());
    // The menu bar and the Rectangular View's tool bar, which File New opened.
    QList<QWidget*> bars{frame.menuBar()};
    for (QToolBar* bar : frame.findChildren<QToolBar*>()) {
        if (bar->isVisible()) bars << bar;
    }
    ASSERT_GE(bars.size(), 2);
    for (QWidget* bar : bars) {
        const QRect area(bar->mapTo(&frame, QPoint(0, 0)), bar->size());
        EXPECT_EQ(saved.copy(area), live.copy(area)) << bar->metaObject()->className();
    }
    EXPECT_TRUE(prompt.Messages().empty());
}

TEST_F(Shell, SavedViewsReopenInTheirPlaces) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    frame.OpenView(kNoteViewTag);
    frame.OpenView(kNoteViewTag);
    const std::vector<CViewFrame*> frames = frame.ViewFrames();
    frames[0]->setGeometry(10, 20, 300, 200);
    frames[1]->setGeometry(350, 40, 320, 240);
    frames[1]->showMinimized();
    prompt.fileChoices.push_back({Path("placed"), 0});
    frame.Execute(ID_FILE_SAVE_AS);

    frame.Execute(ID_FILE_NEW);
    ASSERT_TRUE(frame.OpenDocumentFile(Path("placed.vnq")));
    Pump();
    const std::vector<CViewFrame*> reopened = frame.ViewFrames();
    ASSERT_EQ(reopened.size(), 3u) << "the Rectangular View and the two notes";
    EXPECT_EQ(reopened[0]->geometry(), QRect(10, 20, 300, 200));
    EXPECT_EQ(reopened[1]->NormalGeometry(), QRect(350, 40, 320, 240));
    EXPECT_TRUE(reopened[1]->isMinimized());
}

TEST_F(Shell, ClosingTheLastWindowClosesTheDocument) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    frame.OpenView(kNoteViewTag);
    frame.Execute(ID_WINDOW_CLOSE_ALL);
    Pump();
    EXPECT_EQ(frame.ActiveDocument(), nullptr);
    EXPECT_FALSE(frame.State(ID_FILE_SAVE).enabled);
}

TEST_F(Shell, ImagesOfAViewInEveryFormat) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    CDormView* view = frame.OpenView(kNoteViewTag);
    view->Frame()->resize(400, 300);
    Pump();
    const QSize size = view->size();
    qint64 jpegSizes[2] = {};
    for (int type = 0; type < 5; ++type) {
        for (const int quality : {10, 100}) {
            frame.Prefs().imageType = type;
            frame.Prefs().imageQuality = quality;
            const QString chosen = Path(QStringLiteral("view%1_%2").arg(type).arg(quality));
            prompt.fileChoices.push_back({chosen, 0});
            ASSERT_TRUE(frame.Execute(ID_SAVE_IMAGE));
            // The name takes the format's extension.
            const QString path = chosen + QLatin1Char('.') +
                                 QString::fromLatin1(GetImageTypeInfo(static_cast<ImageType>(type)).extension);
            QImageReader reader(path);
            EXPECT_EQ(reader.size(), size) << type;
            if (type == 1) jpegSizes[quality == 10 ? 0 : 1] = QFile(path).size();
        }
    }
    EXPECT_LT(jpegSizes[0], jpegSizes[1]) << "JPEG at quality 10 is smaller";
    EXPECT_TRUE(prompt.Messages().empty());

    prompt.fileChoices.push_back({Path("missing/x.png"), 0});
    frame.Execute(ID_SAVE_IMAGE);
    EXPECT_EQ(prompt.Last().text, "Could not save the image in the specified format.");
}

TEST_F(Shell, PrintedViewSaysWhichMeasurementViewAndTimeItShows) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    prompt.fileChoices.push_back({Path("run 7.vnq"), 0});
    frame.Execute(ID_FILE_SAVE_AS);
    frame.OpenView(kNoteViewTag);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path("view.pdf"));
    const QDateTime before = QDateTime::currentDateTime();
    ASSERT_TRUE(frame.PrintActiveView(printer));
    ASSERT_TRUE(ReadAll(Path("view.pdf")).startsWith("%PDF"));

    // The first page's text as a PDF reader finds it.
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                                QStringLiteral("1"), Path("view.pdf"), QStringLiteral("-")});
    ASSERT_TRUE(reader.waitForFinished(30000)) << "pdftotext (Debian package poppler-utils) is needed";
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    EXPECT_TRUE(text.contains("run 7.vnq")) << text.toStdString();
    EXPECT_TRUE(text.contains("Notes - Lumora Inc.")) << text.toStdString();
    EXPECT_TRUE(text.contains(QLocale::c().toString(before, QStringLiteral("yyyy-MM-dd")))) << text.toStdString();
}

TEST_F(Shell, ToolBarButtonsAreTheMenusActionsWithTheirState) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    CDormView* view = frame.OpenView(kProfileViewTag);
    ASSERT_NE(view, nullptr);
    Pump();
    const QList<QAction*> actions = view->Frame()->CommandActions();
    ASSERT_FALSE(actions.isEmpty());
    const auto action = [&](int id) {
        for (QAction* a : actions) {
            if (a->data().toInt() == id) return a;
        }
        return static_cast<QAction*>(nullptr);
    };
    // The tool bar's buttons and the Options menu hold the very same actions.
    QMenu* options = nullptr;
    for (QAction* entry : frame.menuBar()->actions()) {
        if (entry->text() == QLatin1String("&Options")) options = entry->menu();
    }
    ASSERT_NE(options, nullptr);
    for (QAction* a : actions) {
        EXPECT_TRUE(view->Frame()->LocalToolBar()->actions().contains(a)) << a->text().toStdString();
        EXPECT_TRUE(options->actions().contains(a)) << a->text().toStdString();
    }
    EXPECT_FALSE(action(ID_DATA_COLLECTION)->isEnabled()) << "a viewing station collects no data";

    struct Step {
        int command;
        int checkedNow;  // the one magnification or scale that shows checked
    };
    for (const Step step : {Step{ID_MAGNIFY_100, ID_MAGNIFY_100}, Step{ID_LOGARITHMIC, ID_LOGARITHMIC},
                            Step{ID_MAGNIFY_1, ID_MAGNIFY_1}}) {
        action(step.command)->trigger();
        Pump();
        for (const int id : {ID_MAGNIFY_1, ID_MAGNIFY_10, ID_MAGNIFY_100, ID_MAGNIFY_1000, ID_LOGARITHMIC}) {
            EXPECT_EQ(action(id)->isChecked(), id == step.checkedNow) << step.command << " " << id;
        }
    }
    action(ID_NORMALIZE)->trigger();
    Pump();
    EXPECT_TRUE(action(ID_NORMALIZE)->isChecked());
    EXPECT_EQ(action(ID_NORMALIZE)->isChecked(), view->GetCommandState(ID_NORMALIZE).checked);
}

TEST_F(Shell, DialogsAreAsWideAsTheirTitlesAndSaveImageSaysSo) {
    CMainFrame& frame = Start();
    const QString title = QStringLiteral("A dialog whose title is a good deal longer than its contents");
    QDialog narrow(&frame);
    narrow.setWindowTitle(title);
    narrow.resize(80, 60);
    narrow.show();
    QMessageBox box(QMessageBox::Warning, title, QStringLiteral("Short."), QMessageBox::Ok, &frame);
    box.show();
    Pump();
    EXPECT_GE(narrow.width(), DialogTitleFit::WidthForTitle(title));
    EXPECT_GE(box.width(), DialogTitleFit::WidthForTitle(title));

    frame.Execute(ID_FILE_NEW);
    frame.OpenView(kNoteViewTag);
    frame.Execute(ID_SAVE_IMAGE);
    EXPECT_EQ(prompt.lastSaveTitle, "Save Image");
}

TEST_F(Shell, TimedBackupSavesAfterTheIntervalOfUnsavedMinutes) {
    CMainFrame& frame = Start();
    frame.Execute(ID_FILE_NEW);
    frame.OpenView(kNoteViewTag);
    QFile::remove(CMainFrame::BackupPath());
    frame.File().FrameData().m_bTimedBackup = 1;
    frame.File().FrameData().m_nBackupInterval = 3;
    frame.StartTimedBackup();
    CVelor32Doc* doc = frame.ActiveDocument();
    doc->SetModifiedFlag(false);
    for (int i = 0; i < 5; ++i) frame.OnBackupTick();
    EXPECT_FALSE(QFile::exists(CMainFrame::BackupPath())) << "nothing to lose, nothing saved";
    doc->SetModifiedFlag(true);
    frame.OnBackupTick();
    frame.OnBackupTick();
    EXPECT_FALSE(QFile::exists(CMainFrame::BackupPath()));
    frame.OnBackupTick();
    EXPECT_TRUE(QFile::exists(CMainFrame::BackupPath()));
    EXPECT_TRUE(doc->IsModified()) << "a backup does not stand for saving";
    EXPECT_EQ(doc->GetTitle(), "Untitled");
}

TEST_F(Shell, PreferenceFlagsAreWrittenAtOnce) {
    CMainFrame& frame = Start();
    EXPECT_FALSE(frame.State(ID_PREF_LOAD).enabled);
    EXPECT_TRUE(frame.State(ID_PREF_PROMPT).checked);
    ASSERT_TRUE(frame.Execute(ID_PREF_LOGO));
    EXPECT_TRUE(frame.MdiArea().ShowsLogo());
    EXPECT_EQ(QSettings().value("LUMORATARVISCO/PREF_LOGO").toInt(), 1);
    ASSERT_TRUE(frame.Execute(ID_PREF_PROMPT));
    EXPECT_EQ(QSettings().value("LUMORATARVISCO/PREF_PROMPT").toInt(), 0);
    EXPECT_TRUE(frame.close()) << "no question without the prompt preference";
}

}  // namespace
}  // namespace velor::test

namespace velor::test {
namespace {

// Window > Arrange Icons lines the minimised windows up along the bottom and leaves the
// others where they are; Local Toolbar shows and hides the active window's own tool bar.
TEST_F(Shell, ArrangeIconsMovesOnlyMinimisedWindowsAndLocalToolbarToggles) {
    CMainFrame& frame = Start();
    ASSERT_TRUE(frame.Execute(ID_FILE_NEW));
    CDormView* minimised = frame.OpenView(kNoteViewTag);
    CDormView* normal = frame.OpenView(kPolarViewTag);
    ASSERT_TRUE(minimised && normal);
    frame.show();
    Pump();
    minimised->Frame()->showMinimized();
    normal->Frame()->setGeometry(40, 30, 300, 200);
    Pump();
    ASSERT_TRUE(frame.Execute(ID_WINDOW_ARRANGE));
    Pump();
    EXPECT_EQ(normal->Frame()->geometry(), QRect(40, 30, 300, 200));
    const QWidget* area = minimised->Frame()->parentWidget();
    EXPECT_EQ(minimised->Frame()->geometry().left(), 0);
    EXPECT_EQ(minimised->Frame()->geometry().bottom() + 1, area->height());

    normal->Frame()->mdiArea()->setActiveSubWindow(normal->Frame());
    ASSERT_TRUE(frame.State(ID_LOCAL_TOOLBAR).enabled);
    EXPECT_TRUE(frame.State(ID_LOCAL_TOOLBAR).checked);
    ASSERT_TRUE(frame.Execute(ID_LOCAL_TOOLBAR));
    EXPECT_TRUE(normal->Frame()->LocalToolBar()->isHidden());
    EXPECT_FALSE(frame.State(ID_LOCAL_TOOLBAR).checked);
}

}  // namespace
}  // namespace velor::test
