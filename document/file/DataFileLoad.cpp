#include <QFile>
#include <algorithm>
#include <cstring>

#include "document/DocumentView.h"
#include "document/Velor32Doc.h"
#include "document/file/DataFile.h"
#include "document/file/FileHeader.h"
#include "document/file/FileMessages.h"

namespace velor {
namespace {

// Section tags of the framework's other file kinds, which a measurement file never holds
// as views but which the reader knows how to pass over.
constexpr uint16_t kForeignSectionTwoBlocks = 2;  // a section with one block: skipped, counted
constexpr uint16_t kForeignEmptySection = 16;     // a section without blocks: counted
constexpr bool IsForbiddenSectionTag(uint16_t tag) { return tag == 11 || tag == 15 || tag == 19; }

}  // namespace

CVelor32Doc* DataFile::LoadDataFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ReportOpenFailure(filemsg::kFailedToOpenDocument, path, file.errorString());
        return nullptr;
    }
    WaitCursor wait(m_prompt);
    Archive archive(file);

    // Header.
    DataFileHeader header;
    std::memset(&header, 0x01, sizeof header);
    const bool complete = archive.Read(&header, sizeof header) == static_cast<qint64>(sizeof header);
    const int fileType = complete ? FileTypeFromTag(header.typeTag) : 0;
    if (!complete || header.viewCount == 0 || header.viewCount > kMaxViewSections || fileType == 0) {
        FileError(filemsg::kNotOurFile);
        return nullptr;
    }

    // Version: a newer file is loaded only if the user agrees.
    m_loadedVersion = header.version;
    if (CompareFileVersion(header.version, kProgramFileVersion) == VersionOrder::Newer &&
        m_prompt.Ask(filemsg::kNewerVersion, filemsg::kFileErrorCaption, PromptButtons::YesNo,
                     PromptIcon::Stop) != PromptAnswer::Yes) {
        return nullptr;
    }

    BlockHeader marker{};
    if (!CDataCrc16::ReadHeader(archive, marker) || marker.tag != kFrameSectionTag) {
        FileError(filemsg::kFileCorrupted);
        return nullptr;
    }

    // A fresh document replaces the open one.
    m_documents.CloseAllDocuments();
    CVelor32Doc* document = m_documents.CreateDocument();
    if (!document) {
        m_prompt.Message(filemsg::kFailedToCreateDocument, QString(), PromptIcon::Exclamation);
        return nullptr;
    }
    document->SetTitle(path);
    document->SetPathName(path);
    const auto fail = [&](const QString* message) -> CVelor32Doc* {
        if (message) FileError(*message);
        m_documents.CloseDocument(document);
        return nullptr;
    };

    // Frame record: committed only when the block is sound. The window's own position is kept
    // too, so a failure puts the window back where it was.
    const CDormFrameData kept = m_frameData;
    int32_t keptRect[4];
    if (!m_frame.GetWindowRect(keptRect)) std::copy(kept.m_rcWindow, kept.m_rcWindow + 4, keptRect);
    CDormFrameData frameCopy = m_frameData;
    if (CDataCrc16::ReadBlock(archive, &frameCopy, sizeof frameCopy) == 0) {
        return fail(&filemsg::kCouldNotReadFile);
    }
    m_frameData = frameCopy;
    m_frame.MoveWindow(m_frameData.m_rcWindow);
    if (m_frameData.m_bTimedBackup && m_frameData.m_nBackupInterval > 0) m_frame.StartTimedBackup();
    const auto restoreFrame = [&] {
        m_frameData = kept;
        m_frame.MoveWindow(keptRect);
    };

    if (!CDataCrc16::ReadHeader(archive, marker) || marker.tag != kDocumentSectionTag) {
        restoreFrame();
        return fail(&filemsg::kFileCorrupted);
    }

    SerializeContext context{fileType, archive, header.version};
    const int result = document->ReadDocumentSection(context);
    if (result == 2) return fail(nullptr);
    if (result != 1) {
        restoreFrame();
        return fail(&filemsg::kCouldNotReadFile);
    }

    if (!ReadViewSections(context, *document, header.viewCount)) {
        return fail(&filemsg::kCouldNotReadFile);
    }

    m_frame.AddToRecentFiles(path);
    m_frame.RepaintUnlessMinimised();
    return document;
}

bool DataFile::ReadViewSections(SerializeContext& context, CVelor32Doc& document,
                                uint16_t viewCount) {
    Archive& archive = context.archive;
    int counted = 0;
    while (counted < viewCount) {
        BlockHeader section{};
        // A file that ends before all its views is still a good file with fewer views.
        if (!CDataCrc16::ReadHeader(archive, section)) break;
        const uint16_t tag = section.tag;

        if (IsForbiddenSectionTag(tag)) return false;
        if (tag == kDataBlockTag || tag == kFrameSectionTag || tag == 0 || tag >= kViewTagLimit) {
            archive.Skip(section.length);  // stray block: passed over, not a view
            continue;
        }
        ++counted;
        if (tag == kForeignSectionTwoBlocks) {
            BlockHeader inner{};
            if (CDataCrc16::ReadHeader(archive, inner)) archive.Skip(inner.length);
            continue;
        }
        if (tag == kForeignEmptySection) continue;
        if (!m_viewTypes.IsRegistered(tag)) continue;  // its blocks follow as stray blocks

        DocumentView* view = m_viewTypes.Create(tag, document);
        if (!view || !view->ReadSection(context)) return false;
    }
    return true;
}

}  // namespace velor
