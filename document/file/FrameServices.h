#pragma once
// What the data-file code needs of the main frame and of the program's document list. The
// GUI's main frame implements both; headless code uses the simple versions beside them.

#include <QString>
#include <memory>

#include "document/DocumentEnvironment.h"
#include "document/DocumentStart.h"

namespace velor {

class CVelor32Doc;

class FrameWindow {
public:
    virtual ~FrameWindow() = default;
    // Main window rectangle in screen pixels: left, top, right, bottom; false if there is none.
    virtual bool GetWindowRect(int32_t (&/*rect*/)[4]) const { return false; }
    virtual void MoveWindow(const int32_t (&/*rect*/)[4]) {}
    virtual void RepaintUnlessMinimised() {}
    virtual void StartTimedBackup() {}
    virtual void AddToRecentFiles(const QString& /*path*/) {}
    // After a successful save: the frame's preferences and the file path go to the profile.
    virtual void StoreFramePreferences(const QString& /*path*/) {}
};

// The program holds one measurement document at a time. A file is read into a document of
// its own, which replaces the open one only once the whole file has been read: a file that
// cannot be read leaves the open measurement as it was.
class DocumentSet {
public:
    virtual ~DocumentSet() = default;
    virtual CVelor32Doc* ActiveDocument() = 0;
    // A new, empty measurement document that is not the program's yet; null if it cannot be
    // created.
    virtual std::unique_ptr<CVelor32Doc> MakeDocument(DocumentStart start) = 0;
    // The document becomes the program's one document; the open one is closed without asking.
    virtual CVelor32Doc* InstallDocument(std::unique_ptr<CVelor32Doc> document) = 0;
    // A made document that is not wanted after all goes, with every view it was given.
    virtual void DiscardDocument(std::unique_ptr<CVelor32Doc> document) = 0;
    // Closes the open document without asking.
    virtual void CloseAllDocuments() = 0;

    // File New's document: made, installed and titled "Untitled".
    CVelor32Doc* CreateDocument();
};

// One document, owned here, created with the given environment.
class SingleDocumentSet : public DocumentSet {
public:
    explicit SingleDocumentSet(const DocumentEnvironment& environment);
    ~SingleDocumentSet() override;

    CVelor32Doc* ActiveDocument() override { return m_document.get(); }
    std::unique_ptr<CVelor32Doc> MakeDocument(DocumentStart start) override;
    CVelor32Doc* InstallDocument(std::unique_ptr<CVelor32Doc> document) override;
    void DiscardDocument(std::unique_ptr<CVelor32Doc> document) override;
    void CloseAllDocuments() override;

private:
    DocumentEnvironment m_environment;
    std::unique_ptr<CVelor32Doc> m_document;
};

}  // namespace velor
