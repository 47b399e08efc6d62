#include "document/export/AsciiExport.h"

#include "common/UserPrompt.h"
#include "common/WholeFileWrite.h"
#include "document/DocumentView.h"
#include "document/Velor32Doc.h"
#include "document/file/FileMessages.h"

namespace velor {

QByteArray AsciiExportText(CVelor32Doc& document) {
    QByteArray text = document.TextExport();
    for (DocumentView* view : document.Views()) view->AppendTextExport(text);
    return text;
}

bool ExportAscii(CVelor32Doc& document, const QString& path, UserPrompt& prompt) {
    const auto fail = [&prompt](const QString& text) {
        prompt.Message(text, filemsg::kFileErrorCaption, PromptIcon::Exclamation);
        return false;
    };
    // Each part has always refused a name without an extension.
    if (!path.contains(QLatin1Char('.'))) return fail(filemsg::kCouldNotSaveFile);
    WaitCursor wait(prompt);
    const WriteResult written = WriteWholeFile(path, AsciiExportText(document));
    if (written.Ok()) return true;
    return fail(written.cause.isEmpty() ? filemsg::kCouldNotSaveFile
                                        : filemsg::kCouldNotSaveFile + QLatin1Char('\n') + path +
                                              QStringLiteral(": ") + written.cause);
}

bool Report3dExport(const WriteResult& result, const QString& path, UserPrompt& prompt) {
    if (result.Ok()) return true;
    prompt.Message(result.cause.isEmpty() ? filemsg::kCouldNotSaveFile
                                          : filemsg::kCouldNotSaveFile + QLatin1Char('\n') + path +
                                                QStringLiteral(": ") + result.cause,
                   QStringLiteral("Process Error"), PromptIcon::Exclamation);
    return false;
}

}  // namespace velor
