#pragma once
// Saving and loading measurement files: the header, the frame's record, the document's
// section and one section per view, each block check-summed. Owned by the main frame; free of
// any GUI so the command-line tool and the tests use exactly the same code.

#include <QString>

class QIODevice;
#include <cstdint>

#include "common/UserPrompt.h"
#include "document/file/DormFrameData.h"
#include "document/file/FileHeader.h"
#include "document/file/FrameServices.h"
#include "document/file/ViewTypeRegistry.h"

namespace velor {

class CVelor32Doc;

class DataFile {
public:
    DataFile(UserPrompt& prompt, FrameWindow& frame, DocumentSet& documents,
             const ViewTypeRegistry& viewTypes);

    // Saves the active document with its views; true on success. A failed save leaves any
    // earlier file at that path as it was.
    bool SaveDataFile(const QString& path);

    // What a load met, for tools that show a file: its header, every block header in file
    // order, and the bytes after the last section read.
    struct LoadRecord {
        DataFileHeader header{};
        std::vector<ReadBlockRecord> blocks;
        qint64 unread = 0;
    };

    // Replaces the open document by the one in the file; null on failure (already reported).
    CVelor32Doc* LoadDataFile(const QString& path, LoadRecord* record = nullptr);
    // The same from a device open for reading; path names the file for the title and the
    // recent files.
    CVelor32Doc* LoadFrom(QIODevice& device, const QString& path, LoadRecord* record = nullptr);

    // Configuration file for "cfg", data file for every other name.
    static int FileTypeForPath(const QString& path);

    CDormFrameData& FrameData() { return m_frameData; }
    // Version of the file being or last loaded; this program's version before any load.
    uint32_t LoadedFileVersion() const { return m_loadedVersion; }

private:
    CVelor32Doc* LoadFromArchive(Archive& archive, const QString& path, LoadRecord* record);
    bool WriteAll(Archive& archive, int fileType, CVelor32Doc& document);
    bool ReadViewSections(SerializeContext& context, CVelor32Doc& document, uint16_t viewCount);
    void FileError(const QString& text);
    void ReportOpenFailure(const QString& framework, const QString& path, const QString& reason);

    UserPrompt& m_prompt;
    FrameWindow& m_frame;
    DocumentSet& m_documents;
    const ViewTypeRegistry& m_viewTypes;
    CDormFrameData m_frameData;
    uint32_t m_loadedVersion;
};

}  // namespace velor
