#include <QFile>
#include <algorithm>
#include <cstring>
#include <memory>

#include "document/DocumentMessages.h"
#include "document/DocumentView.h"
#include "document/Velor32Doc.h"
#include "document/file/DataFile.h"
#include "document/file/FileHeader.h"
#include "document/file/FileMessages.h"
#include "document/file/KeptSection.h"

namespace velor {
namespace {

// Section tags of the framework's other file kinds, which a measurement file never holds
// as views but which the reader knows how to pass over.
constexpr uint16_t kForeignSectionTwoBlocks = 2;  // a section with one block: skipped, counted
constexpr uint16_t kForeignEmptySection = 16;     // a section without blocks: counted
constexpr bool IsForbiddenSectionTag(uint16_t tag) { return tag == 11 || tag == 15 || tag == 19; }

constexpr bool IsSectionMarker(const BlockHeader& header) {
    return header.length == kSectionMarkerLength && header.crc == kSectionMarkerCrc;
}

}  // namespace

CVelor32Doc* DataFile::LoadDataFile(const QString& path, LoadRecord* record) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        ReportOpenFailure(filemsg::kFailedToOpenDocument, path, file.errorString());
        return nullptr;
    }
    // Each record is read once, into the place it is kept in, not through a buffer.
    Archive archive(file.handle());
    return LoadFromArchive(archive, path, record);
}

CVelor32Doc* DataFile::LoadFrom(QIODevice& device, const QString& path, LoadRecord* record) {
    Archive archive(device);
    return LoadFromArchive(archive, path, record);
}

CVelor32Doc* DataFile::LoadFromArchive(Archive& archive, const QString& path, LoadRecord* record) {
    WaitCursor wait(m_prompt);
    if (record) archive.SetReadLog(&record->blocks);

    // Header.
    DataFileHeader header;
    std::memset(&header, 0x01, sizeof header);
    const bool complete = archive.Read(&header, sizeof header) == static_cast<qint64>(sizeof header);
    if (record) record->header = header;
    const int fileType = complete ? FileTypeFromTag(header.typeTag) : 0;
    if (!complete || header.viewCount == 0 || header.viewCount > kMaxViewSections || fileType == 0) {
        FileError(filemsg::kNotOurFile);
        return nullptr;
    }

    // Version: a newer file is loaded only if the user agrees.
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

    // The file is read into a document of its own. The open one, its windows and the main
    // window's place stay exactly as they are until everything has been read.
    std::unique_ptr<CVelor32Doc> document = m_documents.MakeDocument(DocumentStart::FromFile);
    if (!document) {
        m_prompt.Message(filemsg::kFailedToCreateDocument, QString(), PromptIcon::Exclamation);
        return nullptr;
    }
    const auto fail = [&](const QString* message) -> CVelor32Doc* {
        m_documents.DiscardDocument(std::move(document));
        // Reading the profiles may have raised or closed the saturation notice; it speaks of
        // the open measurement again.
        const CVelor32Doc* open = m_documents.ActiveDocument();
        if (open && open->IsSaturated()) {
            m_prompt.ShowSaturationNotice(msg::kSignalSaturated);
        } else {
            m_prompt.CloseSaturationNotice();
        }
        if (message) FileError(*message);
        return nullptr;
    };

    CDormFrameData frameCopy = m_frameData;
    if (CDataCrc16::ReadBlock(archive, &frameCopy, sizeof frameCopy) == 0) {
        return fail(&filemsg::kCouldNotReadFile);
    }
    if (!CDataCrc16::ReadHeader(archive, marker) || marker.tag != kDocumentSectionTag) {
        return fail(&filemsg::kFileCorrupted);
    }

    SerializeContext context{fileType, archive, header.version};
    const int result = document->ReadDocumentSection(context);
    if (result == 2) return fail(nullptr);
    if (result != 1) return fail(&filemsg::kCouldNotReadFile);

    if (!ReadViewSections(context, *document, header.viewCount)) {
        return fail(&filemsg::kCouldNotReadFile);
    }

    // The whole file is in: it becomes the program's measurement.
    m_loadedVersion = header.version;
    m_frameData = frameCopy;
    m_frame.MoveWindow(m_frameData.m_rcWindow);
    if (m_frameData.m_bTimedBackup && m_frameData.m_nBackupInterval > 0) m_frame.StartTimedBackup();
    CVelor32Doc* loaded = m_documents.InstallDocument(std::move(document));
    loaded->SetTitle(path);
    loaded->SetPathName(path);
    loaded->SetModifiedFlag(false);
    m_frame.AddToRecentFiles(path);
    m_frame.RepaintUnlessMinimised();
    if (record) record->unread = archive.BytesAvailable();
    return loaded;
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
        // A newer program's view, with a tag beyond ours: kept as it stands.
        const bool newerView = tag >= kViewTagLimit && IsSectionMarker(section);
        if (!newerView &&
            (tag == kDataBlockTag || tag == kFrameSectionTag || tag == 0 || tag >= kViewTagLimit)) {
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
        if (tag == kGainRangeSectionTag) {
            if (!document.ReadGainRangeSection(context)) return false;
            continue;
        }

        if (newerView || !m_viewTypes.IsRegistered(tag)) {
            // A view this program cannot show: kept with its placement, written back on Save.
            document.AdoptView(std::make_unique<KeptSection>(tag))->ReadSection(context);
            continue;
        }
        DocumentView* view = m_viewTypes.Create(tag, document);
        if (!view || !view->ReadSection(context)) return false;
    }
    return true;
}

}  // namespace velor
