#include "app/MainFrame.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>

#include "app/AppCommands.h"
#include "app/MdiArea.h"
#include "views/framework/DormView.h"
#include "views/framework/ViewFrame.h"

namespace velor {
namespace {

constexpr int kMaxWindowsPerTemplate = 20;
// How often a deferred exit looks again whether the program is free to close.
constexpr int kExitRetryMs = 100;
const QString kProcessError = QStringLiteral("Process Error");
const QString kProgramTerminating = QStringLiteral("Program Terminating");

}  // namespace

CMainFrame::CMainFrame(const StationServices& services, Preferences& preferences)
    : m_services(services),
      m_prefs(preferences),
      m_timers(this),
      m_environment{services.prompt, services.board, services.motion, services.clock, *this, m_timers,
                    services.sleeper},
      m_dataDialogs(*this, services.prompt) {
    setWindowTitle(kApplicationName);
    m_mdi = new CMyMdi(this);
    m_mdi->SetLogo(m_prefs.backgroundLogo);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { OnActiveViewChanged(); });

    // Status bar: the message pane, then three fixed panes as wide as their sample texts.
    const QString samples[3] = {QStringLiteral("Magnification: 99.99"), QStringLiteral("3D Gain: 999 dB"),
                                QStringLiteral("Detector: Unknown")};
    for (int i = 0; i < 3; ++i) {
        m_panes[i] = new QLabel(this);
        m_panes[i]->setObjectName(QStringLiteral("pane%1").arg(i + 1));
        m_panes[i]->setFixedWidth(QFontMetrics(statusBar()->font()).horizontalAdvance(samples[i]) + 8);
        statusBar()->addPermanentWidget(m_panes[i]);
    }
    m_rangesPane = new QLabel(this);
    m_rangesPane->setObjectName(QStringLiteral("rangesPane"));
    statusBar()->insertPermanentWidget(2, m_rangesPane);  // after the gain

    m_file = std::make_unique<DataFile>(services.prompt, *this, *this, m_sectionTypes);
    m_backupTimer.setInterval(60 * 1000);
    connect(&m_backupTimer, &QTimer::timeout, this, &CMainFrame::OnBackupTick);

    for (ViewType& type : ViewWindowTypes()) RegisterViewType(std::move(type));
    // As the event loop goes idle, the tool bars catch up with what the commands did.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &CMainFrame::UpdateCommandStatesIfStale);
    QCoreApplication::instance()->installEventFilter(this);
    BuildMenus();
    RefreshStatusBar();
}

CMainFrame::~CMainFrame() {
    QCoreApplication::instance()->removeEventFilter(this);
    m_closing = true;
    CloseAllDocuments();
}

void CMainFrame::RegisterViewType(ViewType type) {
    const uint16_t tag = type.tag;
    m_viewTypes.Register(std::move(type));
    // Loading a file recreates its views through the same table, for the document being read
    // (which is not the open one until the whole file is in).
    m_sectionTypes.Register(tag, [this, tag](CDormDoc& doc) -> DocumentView* {
        const ViewType* viewType = m_viewTypes.Find(tag);
        if (!viewType) return nullptr;
        CDormView* view = viewType->create(*this);
        doc.AddView(view);
        AddViewFrame(view);
        return view;
    });
}

// --- documents ------------------------------------------------------------------------------

std::unique_ptr<CVelor32Doc> CMainFrame::MakeDocument(DocumentStart start) {
    auto document = std::make_unique<CVelor32Doc>(m_environment, start);
    // On a station with an instrument every document may acquire.
    if (m_services.instrument) document->SetInstrumentFlag(true);
    return document;
}

CVelor32Doc* CMainFrame::InstallDocument(std::unique_ptr<CVelor32Doc> document) {
    CloseAllDocuments();
    m_document = std::move(document);
    // A loaded document's windows appear only now, where the file placed them.
    for (CViewFrame* frame : FramesOf(m_document.get())) frame->View()->ShowInPlace();
    RefreshStatusBar();
    return m_document.get();
}

void CMainFrame::DiscardDocument(std::unique_ptr<CVelor32Doc> document) {
    for (CViewFrame* frame : FramesOf(document.get())) delete frame;
    document.reset();
}

CVelor32Doc* CMainFrame::NewDocument() {
    CVelor32Doc* document = CreateDocument();
    // The station's ranges are where a measurement starts, not a change of the user's.
    if (m_services.instrument && m_services.gainRanges != document->GetGainRanges()) {
        document->SetGainRanges(m_services.gainRanges);
        document->SetModifiedFlag(false);
    }
    if (m_services.instrument && document->InitInstrument()) {
        // The board answers: the document learns the detector head and takes its first
        // sweep, which is no work of the user's yet.
        document->CaptureNow();
        document->SetModifiedFlag(false);
    }
    RefreshStatusBar();
    OpenView(kProfileViewTag);
    return document;
}

void CMainFrame::CloseAllDocuments() {
    if (!m_document) return;
    CVelor32Doc* doc = m_document.get();
    // Views go first (they leave the document as they are destroyed), then the document.
    for (CViewFrame* frame : FramesOf(doc)) {
        frame->View()->StoreSettings();
        delete frame;
    }
    m_timers.Forget(*doc);
    // The modes' windows act on the document: they go first.
    m_dataDialogs.CloseModeDialog(DocumentMode::Replay);
    m_dataDialogs.CloseModeDialog(DocumentMode::CrossSections);
    m_document.reset();
    setWindowTitle(kApplicationName);
    RefreshStatusBar();
}

bool CMainFrame::IsHeldBy3DRun() const { return m_document && m_document->IsAcquiring3D(); }

bool CMainFrame::SaveModified() {
    CVelor32Doc* doc = m_document.get();
    if (!doc || !doc->IsModified()) return true;
    const PromptAnswer answer =
        m_services.prompt.Ask(QStringLiteral("Save changes to %1?").arg(doc->GetTitle()), QString(),
                              PromptButtons::YesNoCancel, PromptIcon::Exclamation);
    if (answer == PromptAnswer::No) return true;
    if (answer != PromptAnswer::Yes) return false;
    return OnFileSave();
}

bool CMainFrame::CanCloseView(CDormView& view) {
    CVelor32Doc* doc = view.Document();
    if (!doc || doc != m_document.get() || m_closing) return true;
    if (IsHeldBy3DRun()) return false;
    if (m_closingAllWindows || FramesOf(doc).size() > 1) return true;
    return SaveModified();
}

void CMainFrame::ViewClosing(CDormView& view) {
    CVelor32Doc* doc = view.Document();
    if (m_closing || !doc || doc != m_document.get()) return;
    // The view leaves its document now; its widget goes later with its frame.
    doc->RemoveAcquisitionClient(&view);
    doc->RemoveView(&view);
    // A document goes with its last window (sections it cannot show have none).
    if (FramesOf(doc).empty()) {
        QTimer::singleShot(0, this, [this, doc] {
            if (doc == m_document.get() && FramesOf(doc).empty()) CloseAllDocuments();
        });
    }
}

void CMainFrame::CloseAllWindows() {
    if (!SaveModified()) return;
    m_closingAllWindows = true;
    m_mdi->closeAllSubWindows();
    m_closingAllWindows = false;
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
    if (!SaveModified()) return false;
    if (m_file->LoadDataFile(path)) {
        RefreshStatusBar();
        return true;
    }
    // What was open stays open. With nothing open, the program offers a new measurement.
    if (!m_document) NewDocument();
    return false;
}

// --- views -----------------------------------------------------------------------------------

std::vector<CViewFrame*> CMainFrame::ViewFrames() const {
    std::vector<CViewFrame*> frames;
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        if (auto* frame = qobject_cast<CViewFrame*>(window)) frames.push_back(frame);
    }
    return frames;
}

std::vector<CViewFrame*> CMainFrame::FramesOf(const CVelor32Doc* document) const {
    std::vector<CViewFrame*> frames;
    for (CViewFrame* frame : ViewFrames()) {
        if (document && frame->View()->Document() == document) frames.push_back(frame);
    }
    return frames;
}

int CMainFrame::CountViews(uint16_t tag) const {
    int count = 0;
    for (CViewFrame* frame : ViewFrames()) count += frame->View()->Tag() == tag ? 1 : 0;
    return count;
}

CViewFrame* CMainFrame::AddViewFrame(CDormView* view) {
    auto* frame = new CViewFrame(view);
    connect(frame, &CViewFrame::CommandTriggered, this, [this](int id) { Execute(id); });
    m_mdi->addSubWindow(frame);
    view->OnInitialUpdate();
    return frame;
}

CDormView* CMainFrame::OpenView(uint16_t tag, int displayMode) {
    CVelor32Doc* doc = ActiveDocument();
    const ViewType* type = m_viewTypes.Find(tag);
    if (!doc || !type) return nullptr;
    if ((tag == k3dViewTag || tag == kTopoViewTag) && !doc->CanOpen3DView()) return nullptr;
    if (tag == kPowerViewTag && !doc->CanOpenPowerView()) return nullptr;
    const int open = CountViews(tag);
    if (open < type->limit) {
        if (open >= kMaxWindowsPerTemplate) {
            m_services.prompt.Message(QStringLiteral("You may not open more than 20 windows"), kProcessError,
                                      PromptIcon::Stop);
            return nullptr;
        }
        CDormView* view = type->create(*this);
        view->SetDisplayMode(displayMode);
        doc->AddView(view);
        CViewFrame* frame = AddViewFrame(view);
        frame->show();
        m_mdi->setActiveSubWindow(frame);
        return view;
    }
    if (!type->limitMessage.isEmpty()) m_services.prompt.Message(type->limitMessage, kProcessError, PromptIcon::Stop);
    for (CViewFrame* frame : ViewFrames()) {
        if (frame->View()->Tag() == tag) {
            m_mdi->setActiveSubWindow(frame);
            return frame->View();
        }
    }
    return nullptr;
}

CDormView* CMainFrame::ActiveView() const {
    auto* frame = qobject_cast<CViewFrame*>(m_mdi->activeSubWindow());
    return frame ? frame->View() : nullptr;
}

// --- status bar ------------------------------------------------------------------------------

void CMainFrame::RefreshStatusBar() {
    const CVelor32Doc* doc = m_document.get();
    if (!doc) {
        for (QLabel* pane : m_panes) pane->clear();
        m_rangesPane->clear();
        return;
    }
    m_rangesPane->setText(doc->GainRangeStatus());
    m_panes[0]->setText(QStringLiteral("Distance: %1 cm").arg(doc->GetApertureSourceDistance(), 0, 'f', 2));
    const bool mode3D = doc->IsReplayMode() || doc->IsCrossSectionMode();
    m_panes[1]->setText(mode3D ? QStringLiteral("3D Gain: %1 dB").arg(doc->m_n3DGain)
                               : QStringLiteral("Gain: %1 dB").arg(doc->GetSignalGain()));
    const QString detector = doc->m_nHeadType == 0   ? QStringLiteral("InGaAs")
                             : doc->m_nHeadType == 1 ? QStringLiteral("Si")
                                                     : QStringLiteral("Unknown");
    m_panes[2]->setText(QStringLiteral("Detector: ") + detector);
}

void CMainFrame::ShowStatusMessage(const QString& text) {
    if (text.isEmpty()) {
        statusBar()->clearMessage();
    } else {
        statusBar()->showMessage(text);
    }
}

QString CMainFrame::StatusPaneText(int pane) const {
    if (pane == kRangesPane) return m_rangesPane->text();
    return pane >= 1 && pane <= 3 ? m_panes[pane - 1]->text() : statusBar()->currentMessage();
}

// --- the frame's window ----------------------------------------------------------------------

bool CMainFrame::GetWindowRect(int32_t (&rect)[4]) const {
    const QRect r = frameGeometry();
    rect[0] = r.left();
    rect[1] = r.top();
    rect[2] = r.left() + r.width();
    rect[3] = r.top() + r.height();
    return true;
}

void CMainFrame::MoveWindow(const int32_t (&rect)[4]) {
    if (rect[2] <= rect[0] || rect[3] <= rect[1]) return;  // an empty rectangle moves nothing
    move(rect[0], rect[1]);
    resize(rect[2] - rect[0], rect[3] - rect[1]);
}

void CMainFrame::RepaintUnlessMinimised() {
    if (!isMinimized()) update();
}

void CMainFrame::RequestExit() {
    QTimer::singleShot(0, this, [this] { ExitWithoutQuestions(); });
}

void CMainFrame::ExitWithoutQuestions() {
    // A 3D run or a modal dialog works on the document from further down the stack: the exit
    // waits until they are over.
    if (IsHeldBy3DRun() || QApplication::activeModalWidget()) {
        QTimer::singleShot(kExitRetryMs, this, [this] { ExitWithoutQuestions(); });
        return;
    }
    m_exitWithoutQuestions = true;
    if (!close()) m_exitWithoutQuestions = false;
}

void CMainFrame::OpenModeDialog(DocumentMode mode) {
    if (m_document) m_dataDialogs.OpenModeDialog(mode, *m_document);
}

void CMainFrame::CloseModeDialog(DocumentMode mode) { m_dataDialogs.CloseModeDialog(mode); }

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Paint:
        case QEvent::UpdateRequest:
        case QEvent::UpdateLater:
            break;
        default:
            if (!m_timers.IsTick(watched, event)) m_commandStatesStale = true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == GuiTimers::TickEventType()) {
        if (m_document) m_document->OnAcquisitionTick();
        return true;
    }
    return QMainWindow::event(event);
}

// --- exit ----------------------------------------------------------------------------------

bool CMainFrame::ConfirmExit() {
    QSettings().setValue(Preferences::Section() + QStringLiteral("/WindowState"), saveState());
    if (m_exitWithoutQuestions) {
        m_prefs.Save();
        return true;
    }
    if (m_prefs.promptOnExit &&
        m_services.prompt.Ask(QStringLiteral("Leaving already?"), kProgramTerminating, PromptButtons::YesNo,
                              PromptIcon::Exclamation) != PromptAnswer::Yes) {
        return false;
    }
    m_prefs.Save();
    if (m_prefs.saveSetupOnExit) Execute(ID_FILE_SAVE_AS);
    if (!SaveModified()) return false;
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    if (clip && clip->hasImage() &&
        m_services.prompt.Ask(QStringLiteral("Do you want to clear the clipboard?"), kProgramTerminating,
                              PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes) {
        QApplication::clipboard()->clear();
    }
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (IsHeldBy3DRun() || !ConfirmExit()) {
        event->ignore();
        return;
    }
    m_closing = true;
    CloseAllDocuments();
    event->accept();
}

}  // namespace velor
