#include "document/file/SaveAs.h"

#include <QFileInfo>

#include "common/UserPrompt.h"
#include "document/file/DataFile.h"
#include "document/Velor32Doc.h"
#include "document/file/FileHeader.h"
#include "document/file/FileMessages.h"

namespace velor {

QString ReplaceExtension(const QString& path, const QString& extension) {
    const int nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot >= nameStart ? path.left(dot) : path;
    return stem + QLatin1Char('.') + extension;
}

bool RefuseDataFileSave(const CVelor32Doc& document, UserPrompt& prompt) {
    if (!document.IsReplayMode() && !document.IsCrossSectionMode()) return false;
    prompt.Message(filemsg::kSaveRefusedInReplay, QString(), PromptIcon::None);
    return true;
}

namespace {

// Acquisition stands still while a file is written.
template <typename Work>
SaveOutcome Paused(CVelor32Doc& document, Work work) {
    document.PauseAcquisition();
    const SaveOutcome outcome = work();
    document.ResumeAcquisition();
    return outcome;
}

}  // namespace

bool ConfirmReplacement(UserPrompt& prompt, const QString& confirmedName, const QString& path) {
    const QFileInfo target(path);
    if (!target.exists()) return true;
    if (target.absoluteFilePath() == QFileInfo(confirmedName).absoluteFilePath()) return true;
    return prompt.Ask(QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(target.fileName()),
                      QStringLiteral("Save As"), PromptButtons::YesNo,
                      PromptIcon::Exclamation) == PromptAnswer::Yes;
}

bool SaveNeedsDialog(const CVelor32Doc& document) {
    const QString path = document.GetPathName();
    if (path.isEmpty() || path == QLatin1String("Untitled")) return true;
    return DataFile::FileTypeForPath(path) == kFileTypeConfig && document.HoldsMeasurement();
}

SaveOutcome SaveDocument(CVelor32Doc& document, DataFile& file, UserPrompt& prompt) {
    if (SaveNeedsDialog(document)) return SaveOutcome::NeedsSaveAs;
    const QString path = document.GetPathName();
    const bool configuration = DataFile::FileTypeForPath(path) == kFileTypeConfig;
    if (!configuration && RefuseDataFileSave(document, prompt)) return SaveOutcome::Refused;
    return Paused(document, [&] {
        if (!file.SaveDataFile(path)) return SaveOutcome::Failed;
        // A document without a measurement is all in its configuration file.
        if (configuration) document.SetModifiedFlag(false);
        return SaveOutcome::Saved;
    });
}

SaveOutcome SaveDocumentAs(CVelor32Doc& document, DataFile& file, UserPrompt& prompt,
                           FrameWindow& frame, const QString& chosenName, SaveAsKind kind) {
    if (kind != SaveAsKind::DataFile && kind != SaveAsKind::ConfigurationFile) {
        return SaveOutcome::Failed;
    }
    return Paused(document, [&] {
        const QString extension = QLatin1String(kind == SaveAsKind::DataFile ? "vnq" : "cfg");
        const QString path = ReplaceExtension(chosenName, extension);
        if (kind == SaveAsKind::DataFile && RefuseDataFileSave(document, prompt)) {
            return SaveOutcome::Refused;
        }
        if (!ConfirmReplacement(prompt, chosenName, path)) return SaveOutcome::Cancelled;
        const bool saved = file.SaveDataFile(path);
        if (saved && kind == SaveAsKind::DataFile) {
            document.SetTitle(path);
            document.SetPathName(path);
        }
        // A failed save keeps any earlier file at the path; list only files that exist.
        if (QFileInfo::exists(path)) frame.AddToRecentFiles(path);
        return saved ? SaveOutcome::Saved : SaveOutcome::Failed;
    });
}

}  // namespace velor
