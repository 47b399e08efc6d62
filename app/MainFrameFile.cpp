// The main frame's file services: New, Open, Save, Save As in its five kinds, the recent
// files, printing, the image settings and the timed backup.

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFontMetrics>
#include <QLocale>
#include <QFile>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QStandardPaths>

#include "app/AboutDialog.h"
#include "app/AppCommands.h"
#include "app/MainFrame.h"
#include "app/MdiArea.h"
#include "app/TimedBackupDialog.h"
#include "images/ImageExport.h"
#include "app/images/ImageSettingsDlg.h"
#include "document/export/AsciiExport.h"
#include "document/export/Hdf5Export.h"
#include "document/file/FileMessages.h"
#include "document/file/SaveAs.h"
#include "report/MeasurementReport.h"
#include "report/PaperSize.h"
#include "views/ViewContents.h"
#include "views/beamstats/BeamData.h"
#include "views/notes/NoteText.h"
#include "views/notes/NoteView.h"
#include "views/framework/DormView.h"
#include "views/framework/ViewFrame.h"

namespace velor {
namespace {

const char kRecentGroup[] = "Recent File List";
// Paths longer than this are cut before they are listed.
constexpr int kMaxRecentPath = 260;

QList<FileFilter> OpenFilters() {
    return {FileFilter{QStringLiteral("Data Files (*.VNQ)"), QStringLiteral("*.VNQ")},
            FileFilter{QStringLiteral("Configuration Files (*.CFG)"), QStringLiteral("*.CFG")}};
}

// What the views give reports and exports: the records of every view, and the note and the
// beam statistics table as their windows hold them now.
ViewContents WindowContents(const CVelor32Doc& doc) {
    ViewContents contents = ContentsOfViews(doc);
    bool noteFound = false;
    for (DocumentView* view : doc.Views()) {
        if (auto* note = dynamic_cast<CNoteView*>(view); note && !noteFound) {
            noteFound = true;
            contents.note = NoteFromBytes(note->Text());
        }
        if (auto* beam = dynamic_cast<CBeamData*>(view); beam && !contents.beam) {
            contents.beam = BeamSelection{*beam, beam->RowArrays(), beam->Statistics().MetricData(beam->MetricKinds())};
        }
    }
    return contents;
}

}  // namespace

void CMainFrame::OnFileNew() {
    if (!SaveModified()) return;
    CloseAllDocuments();
    NewDocument();
}

void CMainFrame::OnFileOpen() {
    const auto choice = m_services.prompt.AskOpenFile(OpenFilters());
    if (choice) OpenDocumentFile(choice->path);
}

bool CMainFrame::ViewsAgreeToSave() {
    for (CViewFrame* frame : FramesOf(ActiveDocument())) {
        if (!frame->View()->ConfirmSave()) return false;
    }
    return true;
}

bool CMainFrame::OnFileSave() {
    CVelor32Doc* doc = ActiveDocument();
    if (!doc) return false;
    if (SaveNeedsDialog(*doc)) return OnFileSaveAs();
    if (!ViewsAgreeToSave()) return false;
    const SaveOutcome outcome = SaveDocument(*doc, *m_file, m_services.prompt);
    RefreshStatusBar();
    return outcome == SaveOutcome::Saved && !doc->IsModified();
}

bool CMainFrame::OnFileSaveAs() {
    CVelor32Doc* doc = ActiveDocument();
    if (!doc) return false;
    doc->PauseAcquisition();
    QList<FileFilter> filters;
    for (const SaveAsFilter& f : kSaveAsFilters) {
        filters << FileFilter{QString::fromLatin1(f.description), QString::fromLatin1(f.pattern)};
    }
    const QString initial = doc->GetPathName() == QLatin1String("Untitled") ? QString() : doc->GetPathName();
    const auto choice = m_services.prompt.AskSaveFile(filters, QStringLiteral("vnq"), initial, QStringLiteral("Save As"));
    if (choice && choice->filterIndex >= 0 && choice->filterIndex < static_cast<int>(kSaveAsFilters.size())) {
        const SaveAsFilter& filter = kSaveAsFilters[choice->filterIndex];
        const QString path = ReplaceExtension(choice->path, QString::fromLatin1(filter.extension));
        const bool ownFile = filter.kind == SaveAsKind::DataFile || filter.kind == SaveAsKind::ConfigurationFile;
        const bool writesViews = ownFile || filter.kind == SaveAsKind::Ascii;
        if ((!ownFile && !ConfirmReplacement(m_services.prompt, choice->path, path)) ||
            (writesViews && !ViewsAgreeToSave())) {
            // Nothing is written over a file the user wants kept, nor what the user would
            // rather not write yet.
        } else {
            switch (filter.kind) {
                case SaveAsKind::DataFile:
                case SaveAsKind::ConfigurationFile:
                    SaveDocumentAs(*doc, *m_file, m_services.prompt, *this, choice->path, filter.kind);
                    break;
                case SaveAsKind::Data3D:
                    Report3dExport(doc->Export3dData(path), path, m_services.prompt);
                    break;
                case SaveAsKind::Ascii:
                    ExportAscii(*doc, path, m_services.prompt);
                    break;
                case SaveAsKind::Bitmap:
                    SaveMainWindowBitmap(path);
                    break;
                case SaveAsKind::Hdf5:
                    Report3dExport(ExportHdf5(*doc, {WindowContents(*doc).note, QFileInfo(doc->GetPathName()).fileName()},
                                              path),
                                   path, m_services.prompt);
                    break;
            }
        }
    }
    doc->ResumeAcquisition();
    RefreshStatusBar();
    return choice.has_value() && !doc->IsModified();
}

void CMainFrame::OnFileReport() {
    CVelor32Doc* doc = ActiveDocument();
    if (!doc) return;
    doc->PauseAcquisition();
    const QString source = doc->GetPathName() == QLatin1String("Untitled") ? QString() : doc->GetPathName();
    const QString initial = source.isEmpty() ? QString() : ReplaceExtension(source, QStringLiteral("pdf"));
    const auto choice = m_services.prompt.AskSaveFile({FileFilter{QStringLiteral("PDF Files (*.pdf)"), QStringLiteral("*.pdf")}},
                                                      QStringLiteral("pdf"), initial, QStringLiteral("Report"));
    if (choice) {
        m_services.prompt.BeginWaitCursor();
        MeasurementReport report(PaperFromLocale(), QDateTime::currentDateTime());
        report.AddMeasurement(*doc, source, WindowContents(*doc));
        const QByteArray pdf = report.Finish(false);
        m_services.prompt.EndWaitCursor();
        Report3dExport(pdf.isEmpty() ? WriteResult{WriteOutcome::WriteFailed, QStringLiteral("the PDF could not be made"), false}
                                     : WriteWholeFile(choice->path, pdf),
                       choice->path, m_services.prompt);
    }
    doc->ResumeAcquisition();
}

void CMainFrame::SaveMainWindowBitmap(const QString& path) {
    // The picture is the window as the user sees it now that the file dialog has closed: drawn
    // afresh from its widgets, every menu and tool bar in the state the commands give it, and
    // nothing greyed for the sake of the picture.
    UpdateCommandStates();
    const QImage image = grab().toImage();
    if (!SaveImage(image, path, ImageType::Bmp, kDefaultImageQuality)) {
        m_services.prompt.Message(kImageSaveFailedMessage, QString(), PromptIcon::Exclamation);
    }
}

// --- recent files ------------------------------------------------------------------------------

QStringList CMainFrame::RecentFiles() const {
    QSettings settings;
    settings.beginGroup(QLatin1String(kRecentGroup));
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty()) files << path;
    }
    return files;
}

void CMainFrame::AddToRecentFiles(const QString& path) {
    const QString entry = QDir::cleanPath(QFileInfo(path).absoluteFilePath()).left(kMaxRecentPath);
    QStringList files = RecentFiles();
    files.removeAll(entry);
    files.prepend(entry);
    QSettings settings;
    settings.beginGroup(QLatin1String(kRecentGroup));
    for (int i = 0; i < kRecentFileCount; ++i) {
        settings.setValue(QStringLiteral("File%1").arg(i + 1), i < files.size() ? files[i] : QString());
    }
    RebuildRecentFiles();
}

void CMainFrame::RebuildRecentFiles() {
    const QStringList files = RecentFiles();
    for (int i = 0; i < static_cast<int>(m_recentActions.size()); ++i) {
        QAction* action = m_recentActions[i];
        action->setVisible(i < files.size());
        if (i < files.size()) action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(files[i]));
    }
}

void CMainFrame::StoreFramePreferences(const QString& path) {
    m_prefs.defaultSetupPath = path;
    m_prefs.Save();
}

// --- printing ----------------------------------------------------------------------------------

QString CMainFrame::PrintHeader(const CViewFrame& frame, const QDateTime& when) const {
    const CVelor32Doc* doc = m_document.get();
    QString measurement = doc ? doc->GetTitle() : QString();
    if (doc && !doc->GetPathName().isEmpty()) measurement = QFileInfo(doc->GetPathName()).fileName();
    return QStringLiteral("%1 \u2014 %2 \u2014 printed %3")
        .arg(measurement, frame.windowTitle(), QLocale::c().toString(when, QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

bool CMainFrame::PrintActiveView(QPrinter& printer) {
    auto* frame = qobject_cast<CViewFrame*>(m_mdi->activeSubWindow());
    if (!frame) return false;
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // A line above the view says what the page shows: the measurement, the view, the time.
    const QRect page = painter.viewport();
    QFont font = painter.font();
    font.setPointSizeF(10.0);
    painter.setFont(font);
    const QFontMetrics metrics(font, &printer);
    const QRect header(page.left(), page.top(), page.width(), metrics.height());
    painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(PrintHeader(*frame, QDateTime::currentDateTime()), Qt::ElideMiddle,
                                        page.width()));
    const int below = header.bottom() + metrics.height() / 2;
    frame->View()->Print(painter, QRect(page.left(), below, page.width(), page.bottom() - below));
    return painter.end();
}

void CMainFrame::OnFilePrint() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(m_printer.get(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PrintActiveView(*m_printer)) {
        m_services.prompt.Message(QStringLiteral("Could not print the view."), QString(), PromptIcon::Exclamation);
    }
}

void CMainFrame::OnFilePrintSetup() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPageSetupDialog dialog(m_printer.get(), this);
    dialog.exec();
}

// --- image settings, about -----------------------------------------------------------------------

void CMainFrame::OnImageSettings() {
    CImageSettingsDlg dialog(ImageTypeFromNumber(m_prefs.imageType).value_or(ImageType::Bmp),
                             m_prefs.imageQuality, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_prefs.imageType = static_cast<int>(dialog.GetImageType());
    m_prefs.imageQuality = dialog.GetQuality();
    File().FrameData().m_nImageType = static_cast<uint32_t>(m_prefs.imageType);
    File().FrameData().m_nImageQuality = static_cast<uint32_t>(m_prefs.imageQuality);
    m_prefs.Save();
}

void CMainFrame::OnAbout() {
    CAboutDlg dialog(this);
    dialog.exec();
}

// --- timed backup ----------------------------------------------------------------------------------

QString CMainFrame::BackupPath() {
    QDir dir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    dir.mkpath(QStringLiteral("."));
    return dir.filePath(QStringLiteral("VelorData.bak"));
}

void CMainFrame::OnTimedBackup() {
    CDormFrameData& frame = File().FrameData();
    CTimedBackupDlg dialog(frame.m_bTimedBackup != 0, frame.m_nBackupInterval, this);
    if (dialog.exec() != QDialog::Accepted) return;
    frame.m_bTimedBackup = dialog.BackupOn() ? 1 : 0;
    frame.m_nBackupInterval = static_cast<uint16_t>(dialog.Interval());
    m_prefs.backupInterval = dialog.Interval();
    m_prefs.Save();
    if (!frame.m_bTimedBackup || frame.m_nBackupInterval == 0) {
        m_backupTimer.stop();
    } else {
        StartTimedBackup();
    }
}

void CMainFrame::StartTimedBackup() {
    m_backupTicks = 0;
    const QString stale = QFileInfo(BackupPath()).dir().filePath(m_prefs.backupFile);
    QFile::remove(stale);
    m_backupTimer.start();
}

void CMainFrame::OnBackupTick() {
    CVelor32Doc* doc = ActiveDocument();
    // Only minutes with unsaved changes count towards the next backup; a 3D run holds the
    // document meanwhile.
    if (!doc || !doc->IsModified() || IsHeldBy3DRun()) return;
    if (++m_backupTicks < File().FrameData().m_nBackupInterval) return;
    m_backupTicks = 0;
    File().SaveDataFile(BackupPath());
    // The backup is not the document's file: it still has the changes the user has not saved.
    doc->SetModifiedFlag(true);
}

}  // namespace velor
