// The main frame's menus and its command table: each command runs through Execute and shows
// its enabled and checked state through State, so menus, keys and tests share one path.

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/AppCommands.h"
#include "app/MainFrame.h"
#include "app/MdiArea.h"
#include "document/CommandIds.h"
#include "views/framework/DormView.h"
#include "views/framework/ViewFrame.h"

namespace velor {
namespace {

struct NewWindowItem {
    int id;
    const char* text;
    Qt::Key key;
    uint16_t tag;
    int displayMode = 0;  // which kind of the type's windows (the 3D views: 1 polar, 3 rectangular)
};

constexpr NewWindowItem kNewWindowItems[] = {
    {ID_NEW_RECTANGULAR, "&Rectangular View", Qt::Key_F2, kProfileViewTag},
    {ID_NEW_POLAR, "&Polar View", Qt::Key_F3, kPolarViewTag},
    {ID_NEW_3D_POLAR, "&3D Polar View", Qt::Key_F4, k3dViewTag, 1},
    {ID_NEW_3D_RECTANGULAR, "3&D Rectangular View", Qt::Key_F5, k3dViewTag, 3},
    {ID_NEW_TOPOGRAPHIC, "&Topographic View", Qt::Key_F6, kTopoViewTag, 2},
    {ID_NEW_BEAM_STATISTICS, "&Beam Statistics", Qt::Key_F7, kBeamDataViewTag},
    {ID_NEW_TIME_STATISTICS, "T&ime Statistics", Qt::Key_F8, kTimeStatViewTag},
    {ID_NEW_POWER, "Po&wer", Qt::Key_F9, kPowerViewTag},
    {ID_NEW_NEAR_FIELD, "N&ear Field View", Qt::Key_F11, kNearFieldViewTag},
    {ID_NEW_NOTES, "&Notes", Qt::Key_F12, kNoteViewTag},
};

const NewWindowItem* NewWindowItemFor(int id) {
    for (const NewWindowItem& item : kNewWindowItems) {
        if (item.id == id) return &item;
    }
    return nullptr;
}

// The Data Collection menu: the acquisition commands, the settings commands and the commands
// of the 3D modes, each group in the order the program has always listed them.
struct DocumentItem {
    int id;
    const char* text;
    QKeySequence shortcut;
    bool separatorBefore;
};

const DocumentItem kDataCollectionItems[] = {
    {ID_ACQUIRE_SCAN_DATA, "Acquire &Scan Data", QKeySequence(QStringLiteral("Ctrl+G")), false},
    {ID_ACQUIRE_3D_DATA, "Acquire &3D Data", {}, false},
    {ID_3D_AZIMUTH_SCANS, "3D A&zimuth Scans...", {}, false},
    {ID_SENSITIVITY, "Se&nsitivity...", {}, false},
    {ID_AUTO_GAIN, "&Auto Gain", QKeySequence(QStringLiteral("Ctrl+A")), false},
    {ID_SINGLE_AXIS, "Single A&xis", {}, true},
    {ID_PERPENDICULAR_AXES, "&Perpendicular Axes", {}, false},
    {ID_PHI_ANGLE, "P&hi...", {}, true},
    {ID_APERTURE_SOURCE_DISTANCE, "Aperture-Source &Distance...", {}, false},
    {ID_PULSED_MODE, "Pu&lsed Mode...", {}, false},
    {ID_REFERENCE_POWER, "Re&ference Power...", {}, false},
    {ID_INTEGRAL_PARAMETERS, "In&tegral Parameters...", {}, false},
    {ID_UNITS_RELATIVE, "&Relative (%)", {}, true},
    {ID_UNITS_COUNTS, "C&ounts", {}, false},
    {ID_UNITS_INTENSITY, "&Intensity (W/sr)", {}, false},
    {ID_BLIND_SPOT_CORRECTION, "&Blind Spot Correction", {}, true},
    {ID_RECOMPUTE, "R&ecompute", {}, false},
    {ID_REPLAY_3D_DATA, "Repla&y 3D Data...", {}, true},
    {ID_COMPUTED_CROSS_SECTIONS, "&Computed Cross Sections...", {}, false},
};

// Document commands without a menu entry: keys of the main window only.
struct HiddenItem {
    int id;
    const char* key;
};

constexpr HiddenItem kHiddenDocumentCommands[] = {
    {ID_SHOW_SCAN_RATE, "Ctrl+Shift+H"},
    {ID_RESET_SCAN_RATE, "Ctrl+Shift+R"},
    {ID_DUMP_NEXT_SCAN, "Ctrl+Shift+D"},
    {ID_RESET_DATA_VIEWS, "Ctrl+Shift+V"},
};

bool IsDocumentCommand(int id) {
    for (const DocumentItem& item : kDataCollectionItems) {
        if (item.id == id) return true;
    }
    for (const HiddenItem& hidden : kHiddenDocumentCommands) {
        if (hidden.id == id) return true;
    }
    return false;
}

}  // namespace

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QKeySequence& shortcut) {
    QAction* action = menu->addAction(text);
    action->setShortcut(shortcut);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    m_actions[id] = action;
    return action;
}

void CMainFrame::UpdateMenu(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            UpdateMenu(action->menu());
            continue;
        }
        bool ok = false;
        const int id = action->data().toInt(&ok);
        if (!ok || id == 0) continue;
        const CommandState state = State(id);
        action->setEnabled(state.enabled);
        action->setCheckable(state.checked || action->isCheckable());
        action->setChecked(state.checked);
    }
}

void CMainFrame::BuildMenus() {
    QMenuBar* bar = menuBar();
    m_fileMenu = bar->addMenu(QStringLiteral("&File"));
    AddCommand(m_fileMenu, ID_FILE_NEW, QStringLiteral("&New"), QKeySequence::New);
    AddCommand(m_fileMenu, ID_FILE_OPEN, QStringLiteral("&Open..."), QKeySequence::Open);
    AddCommand(m_fileMenu, ID_FILE_SAVE, QStringLiteral("&Save"), QKeySequence::Save);
    AddCommand(m_fileMenu, ID_FILE_SAVE_AS, QStringLiteral("Save &As..."));
    AddCommand(m_fileMenu, ID_FILE_REPORT, QStringLiteral("Repor&t..."));
    m_fileMenu->addSeparator();
    AddCommand(m_fileMenu, ID_FILE_PRINT, QStringLiteral("&Print..."), QKeySequence::Print);
    AddCommand(m_fileMenu, ID_FILE_PRINT_SETUP, QStringLiteral("P&rint Setup..."));
    m_fileMenu->addSeparator();
    AddCommand(m_fileMenu, ID_SAVE_IMAGE, QStringLiteral("Save &Image..."));
    AddCommand(m_fileMenu, ID_IMAGE_SETTINGS, QStringLiteral("Image Se&ttings..."));
    AddCommand(m_fileMenu, ID_TIMED_BACKUP, QStringLiteral("Timed &Backup..."));
    QMenu* prefs = m_fileMenu->addMenu(QStringLiteral("Pr&eferences"));
    QMenu* powerUp = prefs->addMenu(QStringLiteral("On Power &Up"));
    AddCommand(powerUp, ID_PREF_LOAD, QStringLiteral("&Load Previous Setup"));
    AddCommand(powerUp, ID_PREF_GLOBAL_COLLECT, QStringLiteral("&Global Collect On"));
    AddCommand(powerUp, ID_PREF_LOGO, QStringLiteral("&Background Logo"));
    QMenu* onExit = prefs->addMenu(QStringLiteral("On &Exit"));
    AddCommand(onExit, ID_PREF_SAVE, QStringLiteral("&Save Setup"));
    AddCommand(onExit, ID_PREF_PROMPT, QStringLiteral("&Prompt"));
    m_recentMenuAnchor = m_fileMenu;
    m_fileMenu->addSeparator();
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* action = AddCommand(m_fileMenu, ID_FILE_MRU_FIRST + i, QString());
        action->setVisible(false);
        m_recentActions.push_back(action);
    }
    m_fileMenu->addSeparator();
    AddCommand(m_fileMenu, ID_APP_EXIT, QStringLiteral("E&xit"), QKeySequence::Quit);

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    AddCommand(edit, ID_EDIT_COPY, QStringLiteral("&Copy"), QKeySequence::Copy);

    QMenu* data = bar->addMenu(QStringLiteral("&Data Collection"));
    for (const DocumentItem& item : kDataCollectionItems) {
        if (item.separatorBefore) data->addSeparator();
        AddCommand(data, item.id, QString::fromLatin1(item.text), item.shortcut);
    }

    for (const HiddenItem& hidden : kHiddenDocumentCommands) {
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(QString::fromLatin1(hidden.key)));
        const int id = hidden.id;
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
        addAction(action);
        m_actions[id] = action;
    }

    m_optionsMenu = new QMenu(QStringLiteral("&Options"), this);
    m_optionsMenuAction = bar->addMenu(m_optionsMenu);
    m_optionsMenuAction->setVisible(false);

    QMenu* window = bar->addMenu(QStringLiteral("&Window"));
    m_windowMenu = window;
    QMenu* newWindow = window->addMenu(QStringLiteral("&New Window"));
    for (const NewWindowItem& item : kNewWindowItems) {
        AddCommand(newWindow, item.id, QString::fromLatin1(item.text), QKeySequence(item.key));
    }
    AddCommand(window, ID_WINDOW_CASCADE, QStringLiteral("&Cascade"));
    AddCommand(window, ID_WINDOW_TILE, QStringLiteral("&Tile"));
    AddCommand(window, ID_WINDOW_ARRANGE, QStringLiteral("&Arrange Icons"));
    AddCommand(window, ID_WINDOW_CLOSE_ALL, QStringLiteral("C&lose All"));
    window->addSeparator();
    AddCommand(window, ID_LOCAL_TOOLBAR, QStringLiteral("&Local Toolbar"));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    AddCommand(help, ID_APP_ABOUT, QStringLiteral("&About Orbiscan..."));
    AddWindowKeys();

    // The list of windows first, so that its items get their states with the others.
    connect(window, &QMenu::aboutToShow, this, [this] { RebuildWindowList(); });
    for (QMenu* menu : {m_fileMenu, edit, data, window, help, m_optionsMenu}) {
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
    }
    RebuildRecentFiles();
}

void CMainFrame::RebuildOptionsMenu() {
    m_optionsMenu->clear();
    auto* active = qobject_cast<CViewFrame*>(m_mdi->activeSubWindow());
    for (CViewFrame* frame : ViewFrames()) frame->SetShortcutsActive(frame == active);
    // The active view's own actions: the menu and its tool bar share them.
    const QList<QAction*> actions = active ? active->CommandActions() : QList<QAction*>();
    for (QAction* action : actions) {
        if (action->property("separatorBefore").toBool()) m_optionsMenu->addSeparator();
        m_optionsMenu->addAction(action);
    }
    m_optionsMenuAction->setVisible(!actions.isEmpty());
}

void CMainFrame::UpdateCommandStates() {
    m_commandStatesStale = false;
    ++m_commandStateRefreshes;
    for (CViewFrame* frame : ViewFrames()) frame->UpdateCommandStates();
}

void CMainFrame::UpdateCommandStatesIfStale() {
    if (m_commandStatesStale) UpdateCommandStates();
}

void CMainFrame::OnActiveViewChanged() { RebuildOptionsMenu(); }

bool CMainFrame::Execute(int id) {
    const bool done = RunCommand(id);
    // What the command changed shows on the tool bars at once.
    UpdateCommandStates();
    return done;
}

bool CMainFrame::RunCommand(int id) {
    if (!State(id).enabled) return false;
    CVelor32Doc* doc = ActiveDocument();
    if (const NewWindowItem* item = NewWindowItemFor(id)) return OpenView(item->tag, item->displayMode) != nullptr;
    if (IsWindowCommand(id)) {
        RunWindowCommand(id);
        return true;
    }
    if (id >= ID_FILE_MRU_FIRST && id < ID_FILE_MRU_FIRST + kRecentFileCount) {
        const QStringList recent = RecentFiles();
        const int index = id - ID_FILE_MRU_FIRST;
        if (index < recent.size()) OpenDocumentFile(recent[index]);
        return true;
    }
    if (IsDocumentCommand(id)) {
        if (!doc) return false;
        bool done = true;
        if (DataCollectionDialogs::Handles(id)) {
            m_dataDialogs.Run(id, *doc);
        } else {
            done = doc->OnCommand(id);
        }
        // Gain, distance, detector and the 3D modes all show in the status bar.
        RefreshStatusBar();
        return done;
    }
    switch (id) {
        case ID_FILE_NEW: OnFileNew(); return true;
        case ID_FILE_OPEN: OnFileOpen(); return true;
        case ID_FILE_SAVE: OnFileSave(); return true;
        case ID_FILE_SAVE_AS: OnFileSaveAs(); return true;
        case ID_FILE_REPORT: OnFileReport(); return true;
        case ID_FILE_PRINT: OnFilePrint(); return true;
        case ID_FILE_PRINT_SETUP: OnFilePrintSetup(); return true;
        case ID_IMAGE_SETTINGS: OnImageSettings(); return true;
        case ID_TIMED_BACKUP: OnTimedBackup(); return true;
        case ID_APP_ABOUT: OnAbout(); return true;
        case ID_APP_EXIT: close(); return true;
        case ID_WINDOW_CASCADE: m_mdi->CascadeInOneSize(); return true;
        case ID_WINDOW_TILE: m_mdi->tileSubWindows(); return true;
        case ID_WINDOW_ARRANGE: m_mdi->ArrangeIcons(); return true;
        case ID_WINDOW_CLOSE_ALL: CloseAllWindows(); return true;
        case ID_LOCAL_TOOLBAR: {
            CViewFrame* frame = ActiveView() ? ActiveView()->Frame() : nullptr;
            if (frame && frame->LocalToolBar()) frame->SetLocalToolBarVisible(frame->LocalToolBar()->isHidden());
            return true;
        }
        case ID_PREF_LOAD:
        case ID_PREF_AUTOFIND:
        case ID_PREF_GLOBAL_COLLECT:
        case ID_PREF_SAVE:
        case ID_PREF_PROMPT:
        case ID_PREF_LOGO: TogglePreference(id); return true;
        default: break;
    }
    CDormView* view = ActiveView();
    return view && view->OnCommand(id);
}

CommandState CMainFrame::State(int id) const {
    // While a 3D run holds the document only its progress window's Cancel is handled.
    if (IsHeldBy3DRun()) return {false, false, false};
    const CVelor32Doc* doc = m_document.get();
    const bool instrument = doc && doc->HasInstrument();
    if (const NewWindowItem* item = NewWindowItemFor(id)) {
        // Enabled at a kind's limit too: the command then brings the open window forward
        // (and says why no other opens), which a disabled command could not.
        return {doc && m_viewTypes.Find(item->tag) != nullptr, false, false};
    }
    if (IsWindowCommand(id)) return WindowCommandState(id);
    if (id >= ID_FILE_MRU_FIRST && id < ID_FILE_MRU_FIRST + kRecentFileCount) {
        return {id - ID_FILE_MRU_FIRST < RecentFiles().size(), false, false};
    }
    if (IsDocumentCommand(id)) return doc ? doc->GetCommandState(id) : CommandState{false, false, false};
    switch (id) {
        case ID_FILE_NEW:
        case ID_FILE_OPEN:
        case ID_FILE_PRINT_SETUP:
        case ID_IMAGE_SETTINGS:
        case ID_APP_ABOUT:
        case ID_APP_EXIT: return {true, false, false};
        case ID_FILE_SAVE:
        case ID_FILE_SAVE_AS:
        case ID_FILE_REPORT: return {doc != nullptr, false, false};
        case ID_FILE_PRINT: return {ActiveView() != nullptr, false, false};
        // The backup serves a station that takes measurements; a viewer has nothing to lose.
        case ID_TIMED_BACKUP: return {instrument, false, false};
        case ID_WINDOW_CASCADE:
        case ID_WINDOW_TILE:
        case ID_WINDOW_ARRANGE:
        case ID_WINDOW_CLOSE_ALL: return {m_mdi->activeSubWindow() != nullptr, false, false};
        // The active view window's own tool bar, shown or hidden.
        case ID_LOCAL_TOOLBAR: {
            const CViewFrame* frame = ActiveView() ? ActiveView()->Frame() : nullptr;
            const QToolBar* bar = frame ? frame->LocalToolBar() : nullptr;
            return {bar != nullptr, bar && !bar->isHidden(), false};
        }
        // Power-up choices a viewing station cannot act on.
        case ID_PREF_LOAD: return {false, m_prefs.loadPreviousSetup, false};
        case ID_PREF_GLOBAL_COLLECT: return {false, m_prefs.globalCollect, false};
        case ID_PREF_AUTOFIND: return {true, m_prefs.autoFind, false};
        case ID_PREF_LOGO: return {true, m_prefs.backgroundLogo, false};
        case ID_PREF_SAVE: return {true, m_prefs.saveSetupOnExit, false};
        case ID_PREF_PROMPT: return {true, m_prefs.promptOnExit, false};
        default: break;
    }
    const CDormView* view = ActiveView();
    return view ? view->GetCommandState(id) : CommandState{false, false, false};
}

void CMainFrame::TogglePreference(int id) {
    switch (id) {
        case ID_PREF_LOAD: m_prefs.loadPreviousSetup = !m_prefs.loadPreviousSetup; break;
        case ID_PREF_AUTOFIND: m_prefs.autoFind = !m_prefs.autoFind; break;
        case ID_PREF_GLOBAL_COLLECT: m_prefs.globalCollect = !m_prefs.globalCollect; break;
        case ID_PREF_SAVE: m_prefs.saveSetupOnExit = !m_prefs.saveSetupOnExit; break;
        case ID_PREF_PROMPT: m_prefs.promptOnExit = !m_prefs.promptOnExit; break;
        case ID_PREF_LOGO:
            m_prefs.backgroundLogo = !m_prefs.backgroundLogo;
            m_mdi->SetLogo(m_prefs.backgroundLogo);
            break;
        default: return;
    }
    m_prefs.Save();
}

}  // namespace velor
