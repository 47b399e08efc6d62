#pragma once
// The main window: the MDI area holding the view windows, the menus, the status bar, the one
// measurement document and its data file, the preferences, the recent files, printing, the
// image settings and the timed backup.

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <map>
#include <memory>
#include <vector>

#include "app/GuiTimers.h"
#include "app/Preferences.h"
#include "app/dialogs/DataCollectionDialogs.h"
#include "views/framework/ViewTypes.h"
#include "document/DocumentFrame.h"
#include "document/Velor32Doc.h"
#include "document/file/DataFile.h"
#include "document/file/FrameServices.h"
#include "document/file/ViewTypeRegistry.h"
#include "views/framework/ViewHost.h"

class QAction;
class QDateTime;
class QLabel;
class QMenu;
class QPrinter;

namespace velor {

class CDormView;
class CMyMdi;
class CViewFrame;

// What the frame needs to make documents.
struct StationServices {
    UserPrompt& prompt;
    Tesk32& board;
    MotionStage& motion;
    const MillisecondClock& clock;
    Sleeper& sleeper;
    // A station with an instrument: every document may acquire, and its first capture is
    // taken as it is created.
    bool instrument = false;
    // The gain ranges each new measurement starts with.
    int gainRanges = 1;
};

class CMainFrame : public QMainWindow,
                   public DocumentFrame,
                   public FrameWindow,
                   public DocumentSet,
                   public ViewHost {
    Q_OBJECT

public:
    CMainFrame(const StationServices& services, Preferences& preferences);
    ~CMainFrame() override;

    // --- commands ------------------------------------------------------------------------------
    // Runs a command if it is enabled; false when it is unknown or disabled.
    bool Execute(int id);
    // How often the views' command states were read, for tests.
    int CommandStateRefreshes() const { return m_commandStateRefreshes; }
    CommandState State(int id) const;

    // Loads the file in place of the open measurement (after asking about unsaved changes);
    // a file that cannot be read leaves what is open as it was. False when nothing was loaded.
    bool OpenDocumentFile(const QString& path);
    // File New's document: made, with its Rectangular View.
    CVelor32Doc* NewDocument();
    // The question before unsaved changes would go: "Save changes to …?" Yes saves (through
    // Save As when the document has no data file yet), No drops them. False when the user
    // cancels or the save did not happen: whatever was about to close must not.
    bool SaveModified();
    // A 3D run holds the document: no command, close or timer may act on it meanwhile.
    bool IsHeldBy3DRun() const;
    // Opens a view window of the type on the active document, obeying the window limits.
    // displayMode: the kind of window where a view type has several (the 3D views).
    CDormView* OpenView(uint16_t tag, int displayMode = 0);
    void RegisterViewType(ViewType type);

    CMyMdi& MdiArea() const { return *m_mdi; }
    DataFile& File() { return *m_file; }
    Preferences& Prefs() { return m_prefs; }
    QStringList RecentFiles() const;
    // 0 the message pane, 1 to 3 distance, gain and detector, kRangesPane the gain ranges.
    static constexpr int kRangesPane = 4;
    QString StatusPaneText(int pane) const;
    std::vector<CViewFrame*> ViewFrames() const;
    // Prints the active view on a printer already set up (a PDF file in tests).
    bool PrintActiveView(QPrinter& printer);
    // The line above a printed view: the measurement's file name (its title while untitled),
    // the view's title, and the date and time of printing.
    QString PrintHeader(const CViewFrame& frame, const QDateTime& when) const;
    // The exit sequence; false when the user keeps the program running.
    bool ConfirmExit();
    // The automation interface's Exit: the program closes without any question and saves
    // nothing, once no 3D run or modal dialog holds it.
    void ExitWithoutQuestions();

    // --- DocumentSet ----------------------------------------------------------------------
    CVelor32Doc* ActiveDocument() override { return m_document.get(); }
    std::unique_ptr<CVelor32Doc> MakeDocument(DocumentStart start) override;
    CVelor32Doc* InstallDocument(std::unique_ptr<CVelor32Doc> document) override;
    void DiscardDocument(std::unique_ptr<CVelor32Doc> document) override;
    void CloseAllDocuments() override;

    // --- DocumentFrame --------------------------------------------------------------------
    void SetCaption(const QString& caption) override { setWindowTitle(caption); }
    void RefreshStatusBar() override;
    void ShowMainWindow(bool show) override { setVisible(show); }
    void RequestExit() override;
    void OpenModeDialog(DocumentMode mode) override;
    void CloseModeDialog(DocumentMode mode) override;
    DataCollectionDialogs& DataDialogs() { return m_dataDialogs; }

    // --- FrameWindow ----------------------------------------------------------------------
    bool GetWindowRect(int32_t (&rect)[4]) const override;
    void MoveWindow(const int32_t (&rect)[4]) override;
    void RepaintUnlessMinimised() override;
    void StartTimedBackup() override;
    void AddToRecentFiles(const QString& path) override;
    void StoreFramePreferences(const QString& path) override;

    // --- ViewHost -------------------------------------------------------------------------
    UserPrompt& Prompt() override { return m_services.prompt; }
    int ImageType() const override { return m_prefs.imageType; }
    int ImageQuality() const override { return m_prefs.imageQuality; }
    bool CanCloseView(CDormView& view) override;
    void ShowStatusMessage(const QString& text) override;
    void ViewClosing(CDormView& view) override;

    // The timed backup's file and its tick (one a minute: the interval counts minutes of
    // unsaved changes).
    static QString BackupPath();
    void OnBackupTick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    // The Window menu's own part: its list of the open windows, rebuilt as it opens, and the
    // commands that act on the windows.
    void AddWindowKeys();
    void RebuildWindowList();
    static bool IsWindowCommand(int id);
    CommandState WindowCommandState(int id) const;
    void RunWindowCommand(int id);
    void ActivateFrame(CViewFrame* frame);
    void ChooseWindow();
    QAction* AddCommand(QMenu* menu, int id, const QString& text, const QKeySequence& shortcut = {});
    void UpdateMenu(QMenu* menu);
    void RebuildRecentFiles();
    void RebuildOptionsMenu();
    // Every view's tool bar and menu actions follow the state of their commands; run whenever
    // the program has handled its events.
    void UpdateCommandStates();
    // The same as the event loop goes idle, when anything but the acquisition tick and
    // painting has happened since the last time: a tick that completes no scan changes no
    // command's state, and there are two hundred of them a second.
    void UpdateCommandStatesIfStale();
    bool RunCommand(int id);
    void OnActiveViewChanged();
    CDormView* ActiveView() const;
    CViewFrame* AddViewFrame(CDormView* view);
    int CountViews(uint16_t tag) const;
    // The view windows of a document.
    std::vector<CViewFrame*> FramesOf(const CVelor32Doc* document) const;
    void CloseAllWindows();

    // File commands. Save and Save As answer whether the document's changes are now saved.
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    // The measurement report of the document as PDF.
    void OnFileReport();
    // Every window of the document agrees to be written now.
    bool ViewsAgreeToSave();
    void OnFilePrint();
    void OnFilePrintSetup();
    void OnImageSettings();
    void OnTimedBackup();
    void OnAbout();
    void SaveMainWindowBitmap(const QString& path);
    void TogglePreference(int id);

    StationServices m_services;
    Preferences& m_prefs;
    GuiTimers m_timers;
    bool m_commandStatesStale = true;
    int m_commandStateRefreshes = 0;
    DocumentEnvironment m_environment;
    ViewTypeRegistry m_sectionTypes;
    ViewTypeTable m_viewTypes;
    std::unique_ptr<DataFile> m_file;
    std::unique_ptr<CVelor32Doc> m_document;
    DataCollectionDialogs m_dataDialogs;
    CMyMdi* m_mdi = nullptr;
    QLabel* m_panes[3] = {nullptr, nullptr, nullptr};
    // The gain ranges in use, beside the gain; empty with one range.
    QLabel* m_rangesPane = nullptr;
    std::map<int, QAction*> m_actions;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_recentMenuAnchor = nullptr;
    QMenu* m_optionsMenu = nullptr;
    QMenu* m_windowMenu = nullptr;
    std::vector<QAction*> m_windowListActions;
    QAction* m_optionsMenuAction = nullptr;
    std::vector<QAction*> m_recentActions;
    std::unique_ptr<QPrinter> m_printer;
    QTimer m_backupTimer;
    int m_backupTicks = 0;
    bool m_closing = false;
    // Close All has asked its question already: the windows close without another.
    bool m_closingAllWindows = false;
    // The automation interface asked the program to exit: no questions.
    bool m_exitWithoutQuestions = false;
};

}  // namespace velor
