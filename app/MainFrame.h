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
    CommandState State(int id) const;

    bool OpenDocumentFile(const QString& path);
    // Opens a view window of the type on the active document, obeying the window limits.
    CDormView* OpenView(uint16_t tag);
    void RegisterViewType(ViewType type);

    CMyMdi& MdiArea() const { return *m_mdi; }
    DataFile& File() { return *m_file; }
    Preferences& Prefs() { return m_prefs; }
    QStringList RecentFiles() const;
    QString StatusPaneText(int pane) const;
    std::vector<CViewFrame*> ViewFrames() const;
    // Prints the active view on a printer already set up (a PDF file in tests).
    bool PrintActiveView(QPrinter& printer);
    // The exit sequence; false when the user keeps the program running.
    bool ConfirmExit();

    // --- DocumentSet ----------------------------------------------------------------------
    CVelor32Doc* ActiveDocument() override { return m_document.get(); }
    void CloseAllDocuments() override;
    CVelor32Doc* CreateDocument() override;
    void CloseDocument(CVelor32Doc* document) override;

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
    void ViewClosing(CDormView& view) override;

    // The timed backup's file and its tick (one a minute: the interval counts minutes of
    // unsaved changes).
    static QString BackupPath();
    void OnBackupTick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildMenus();
    QAction* AddCommand(QMenu* menu, int id, const QString& text, const QKeySequence& shortcut = {});
    void UpdateMenu(QMenu* menu);
    void RebuildRecentFiles();
    void RebuildOptionsMenu();
    void OnActiveViewChanged();
    CDormView* ActiveView() const;
    CViewFrame* AddViewFrame(CDormView* view);
    int CountViews(uint16_t tag) const;

    // File commands.
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
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
    DocumentEnvironment m_environment;
    ViewTypeRegistry m_sectionTypes;
    ViewTypeTable m_viewTypes;
    std::unique_ptr<DataFile> m_file;
    std::unique_ptr<CVelor32Doc> m_document;
    DataCollectionDialogs m_dataDialogs;
    CMyMdi* m_mdi = nullptr;
    QLabel* m_panes[3] = {nullptr, nullptr, nullptr};
    std::map<int, QAction*> m_actions;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_recentMenuAnchor = nullptr;
    QMenu* m_optionsMenu = nullptr;
    QAction* m_optionsMenuAction = nullptr;
    std::vector<QAction*> m_recentActions;
    std::unique_ptr<QPrinter> m_printer;
    QTimer m_backupTimer;
    int m_backupTicks = 0;
    bool m_closing = false;
};

}  // namespace velor
