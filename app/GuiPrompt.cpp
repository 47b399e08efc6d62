#include "app/GuiPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>

#include "app/dialogs/AcquisitionProgressDlg.h"
#include "app/dialogs/BeamSenseDlg.h"

namespace velor {
namespace {

QMessageBox::Icon IconOf(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Information: return QMessageBox::Information;
        case PromptIcon::Question: return QMessageBox::Question;
        case PromptIcon::Exclamation: return QMessageBox::Warning;
        case PromptIcon::Stop: return QMessageBox::Critical;
        case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case PromptButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case PromptButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case PromptButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
        case PromptButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

QString FilterText(const QList<FileFilter>& filters) {
    QStringList parts;
    for (const FileFilter& f : filters) {
        // Patterns match in either case, as the files' names were always written.
        parts << QStringLiteral("%1 (%2 %3)").arg(f.description.section(QLatin1String(" ("), 0, 0),
                                                  f.pattern.toLower(), f.pattern.toUpper());
    }
    return parts.join(QLatin1String(";;"));
}

}  // namespace

GuiPrompt::GuiPrompt() = default;

GuiPrompt::~GuiPrompt() { delete m_beamSense; }

PromptAnswer GuiPrompt::Show(const PromptMessage& message) {
    QMessageBox box(IconOf(message.icon), message.caption.isEmpty() ? kApplicationName : message.caption,
                    message.text, ButtonsOf(message.buttons), m_parent);
    if (message.taskModal) box.setWindowModality(Qt::ApplicationModal);
    switch (box.exec()) {
        case QMessageBox::Yes: return PromptAnswer::Yes;
        case QMessageBox::No: return PromptAnswer::No;
        case QMessageBox::Retry: return PromptAnswer::Retry;
        case QMessageBox::Cancel: return PromptAnswer::Cancel;
        default: return PromptAnswer::Ok;
    }
}

std::optional<FileChoice> GuiPrompt::AskOpenFile(const QList<FileFilter>& filters) {
    QFileDialog dialog(m_parent, QStringLiteral("Open"), QString(), FilterText(filters));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const int index = FilterText(filters).split(QLatin1String(";;")).indexOf(dialog.selectedNameFilter());
    return FileChoice{dialog.selectedFiles().first(), std::max(index, 0)};
}

std::optional<FileChoice> GuiPrompt::AskSaveFile(const QList<FileFilter>& filters, const QString& defaultSuffix,
                                                 const QString& initialPath, const QString& title) {
    QFileDialog dialog(m_parent, title, initialPath, FilterText(filters));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    // A name typed without an extension gets the chosen kind's, so the dialog's own overwrite
    // question is about the file that will be written.
    const QStringList texts = FilterText(filters).split(QLatin1String(";;"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& selected) {
        const int index = texts.indexOf(selected);
        if (index >= 0) dialog.setDefaultSuffix(filters[index].pattern.section(QLatin1Char('.'), -1).toLower());
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const int index = FilterText(filters).split(QLatin1String(";;")).indexOf(dialog.selectedNameFilter());
    return FileChoice{dialog.selectedFiles().first(), std::max(index, 0)};
}

void GuiPrompt::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void GuiPrompt::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

std::unique_ptr<ProgressWindow> GuiPrompt::ShowProgress(const QString& title, int range) {
    return std::make_unique<CAcquisitionProgressDlg>(title, range, m_parent);
}

void GuiPrompt::ShowSaturationNotice(const QString& text) {
    if (!m_beamSense) {
        m_beamSense = new CBeamSenseDlg(m_parent);
        m_beamSense->SetText(text);
        m_beamSense->adjustSize();
        // Inside the main window's client area, or the screen's when there is none.
        const QRect area = m_parent ? QRect(m_parent->mapToGlobal(QPoint(0, 0)), m_parent->size())
                                    : m_beamSense->screen()->availableGeometry();
        m_beamSense->RestorePlacement(area);
    }
    m_beamSense->SetText(text);
    if (!m_beamSense->isVisible()) m_beamSense->show();
}

CBeamSenseDlg* GuiPrompt::SaturationNotice() const { return m_beamSense; }

void GuiPrompt::CloseSaturationNotice() {
    if (!m_beamSense) return;
    m_beamSense->close();  // stores its place
    delete m_beamSense;
}

void GuiPrompt::ReportFatal(const QString& text, int) {
    QMessageBox::critical(m_parent, kApplicationName, text);
}

}  // namespace velor
