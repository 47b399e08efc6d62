#include "document/export/AsciiExport.h"

#include <QFile>

#include "common/UserPrompt.h"
#include "document/DocumentView.h"
#include "document/Velor32Doc.h"
#include "document/file/FileMessages.h"

namespace velor {

bool ExportAscii(CVelor32Doc& document, const QString& path, UserPrompt& prompt) {
    // The steps report their own failures to create or write the file; only the one failure
    // they pass over silently, a name without an extension, is reported here. Either way the
    // user hears of it once.
    if (!path.contains(QLatin1Char('.'))) {
        prompt.Message(filemsg::kCouldNotSaveFile, filemsg::kFileErrorCaption, PromptIcon::Exclamation);
        return false;
    }
    WaitCursor wait(prompt);
    bool ok = document.ExportText(path);
    for (DocumentView* view : document.Views()) {
        if (!ok) break;
        ok = view->ExportText(path);
    }
    if (!ok) QFile::remove(path);
    return ok;
}

}  // namespace velor
