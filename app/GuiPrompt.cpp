#include "app/GuiPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>

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

class ProgressDialogWindow : public ProgressWindow {
public:
    ProgressDialogWindow(QWidget* parent, const QString& title, int range)
        : m_dialog(title, QStringLiteral("&Cancel Acquisition"), 0, range, parent) {
        m_dialog.setWindowModality(Qt::NonModal);
        m_dialog.setMinimumDuration(0);
        m_dialog.setValue(0);
        m_dialog.show();
    }
    void Step() override { m_dialog.setValue(m_dialog.value() + 1); }
    void ProcessOneEvent() override { QApplication::processEvents(QEventLoop::AllEvents, 5); }
    bool CancelRequested() const override { return m_dialog.wasCanceled(); }

private:
    QProgressDialog m_dialog;
};

}  // namespace

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
                                                 const QString& initialPath) {
    QFileDialog dialog(m_parent, QStringLiteral("Save As"), initialPath, FilterText(filters));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const int index = FilterText(filters).split(QLatin1String(";;")).indexOf(dialog.selectedNameFilter());
    return FileChoice{dialog.selectedFiles().first(), std::max(index, 0)};
}

void GuiPrompt::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void GuiPrompt::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

std::unique_ptr<ProgressWindow> GuiPrompt::ShowProgress(const QString& title, int range) {
    return std::make_unique<ProgressDialogWindow>(m_parent, title, range);
}

void GuiPrompt::ReportFatal(const QString& text, int) {
    QMessageBox::critical(m_parent, kApplicationName, text);
}

}  // namespace velor
