#include <QBuffer>
#include <QFileInfo>
#include <algorithm>

#include "common/WholeFileWrite.h"
#include "document/DocumentView.h"
#include "document/Velor32Doc.h"
#include "document/file/DataFile.h"
#include "document/file/FileHeader.h"
#include "document/file/FileMessages.h"

namespace velor {

DataFile::DataFile(UserPrompt& prompt, FrameWindow& frame, DocumentSet& documents,
                   const ViewTypeRegistry& viewTypes)
    : m_prompt(prompt),
      m_frame(frame),
      m_documents(documents),
      m_viewTypes(viewTypes),
      m_loadedVersion(kProgramFileVersion) {
    m_frameData.m_rcWindow[2] = 1024;
    m_frameData.m_rcWindow[3] = 768;
    int32_t rect[4];
    if (m_frame.GetWindowRect(rect)) std::copy(rect, rect + 4, m_frameData.m_rcWindow);
}

int DataFile::FileTypeForPath(const QString& path) {
    // Only "cfg" names a configuration file. Everything else, the timed backup's
    // "VelorData.bak" and names without a known extension included, is saved as a data file
    // so that whatever was saved can be loaded again.
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.size() <= 4 && suffix.compare(QLatin1String("cfg"), Qt::CaseInsensitive) == 0) {
        return kFileTypeConfig;
    }
    return kFileTypeData;
}

void DataFile::FileError(const QString& text) {
    m_prompt.Message(text, filemsg::kFileErrorCaption, PromptIcon::Exclamation);
}

void DataFile::ReportOpenFailure(const QString& framework, const QString& path,
                                 const QString& reason) {
    m_prompt.Message(framework + QLatin1Char('\n') + path + QStringLiteral(": ") + reason,
                     QString(), PromptIcon::Exclamation);
}

bool DataFile::SaveDataFile(const QString& path) {
    CVelor32Doc* document = m_documents.ActiveDocument();
    if (!document) return false;
    const int fileType = FileTypeForPath(path);
    const bool wasModified = document->IsModified();

    // The whole file is made first and written in one go: a writer that fails touches no
    // file at all, and the write itself never replaces a good file with a short one.
    QByteArray bytes;
    bool made;
    {
        WaitCursor wait(m_prompt);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        Archive archive(buffer);
        made = WriteAll(archive, fileType, *document);
    }
    const WriteResult written = made ? WriteWholeFile(path, bytes) : WriteResult{WriteOutcome::WriteFailed, {}, false};
    if (!written.Ok()) {
        document->SetModifiedFlag(wasModified);
        if (written.outcome == WriteOutcome::CannotOpen) {
            ReportOpenFailure(filemsg::kFailedToSaveDocument, path, written.cause);
        } else {
            FileError(written.cause.isEmpty() ? filemsg::kCouldNotSaveFile
                                              : filemsg::kCouldNotSaveFile + QLatin1Char('\n') + path +
                                                    QStringLiteral(": ") + written.cause);
        }
        return false;
    }
    m_frame.StoreFramePreferences(path);
    return true;
}

bool DataFile::WriteAll(Archive& archive, int fileType, CVelor32Doc& document) {
    const auto& views = document.Views();
    // The gain range section follows the document's and counts among the sections after it,
    // so that readers which keep sections they do not know keep it, and those that skip them
    // skip it. A file must name 1 to 50 such sections to be loadable; refuse to write one
    // that is not.
    const bool gainRanges = document.HasGainRangeSection(fileType);
    const size_t sections = views.size() + (gainRanges ? 1 : 0);
    if (views.empty() || sections > kMaxViewSections) return false;

    const DataFileHeader header = MakeFileHeader(fileType, static_cast<uint16_t>(sections));
    if (!archive.Write(&header, sizeof header)) return false;

    int32_t rect[4];
    if (m_frame.GetWindowRect(rect)) std::copy(rect, rect + 4, m_frameData.m_rcWindow);
    if (!CDataCrc16::WriteSectionMarker(archive, kFrameSectionTag)) return false;
    if (!CDataCrc16::WriteBlock(archive, &m_frameData, sizeof m_frameData)) return false;

    SerializeContext context{fileType, archive, kProgramFileVersion};
    if (!CDataCrc16::WriteSectionMarker(archive, kDocumentSectionTag)) return false;
    if (!document.WriteDocumentSection(context)) return false;
    if (gainRanges && (!CDataCrc16::WriteSectionMarker(archive, kGainRangeSectionTag) ||
                       !document.WriteGainRangeSection(context))) {
        return false;
    }

    for (DocumentView* view : views) {
        if (!CDataCrc16::WriteSectionMarker(archive, view->Tag())) return false;
        if (!view->WriteSection(context)) return false;
    }
    return true;
}

}  // namespace velor
