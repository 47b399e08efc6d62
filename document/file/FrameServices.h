#pragma once
// What the data-file code needs of the main frame and of the program's document list. The
// GUI's main frame implements both; headless code uses the simple versions beside them.

#include <QString>
#include <memory>

#include "document/DocumentEnvironment.h"

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

// The program holds one measurement document at a time.
class DocumentSet {
public:
    virtual ~DocumentSet() = default;
    virtual CVelor32Doc* ActiveDocument() = 0;
    // Closes every open document without asking.
    virtual void CloseAllDocuments() = 0;
    // A new, empty measurement document; null if it cannot be created.
    virtual CVelor32Doc* CreateDocument() = 0;
    virtual void CloseDocument(CVelor32Doc* document) = 0;
};

// One document, owned here, created with the given environment.
class SingleDocumentSet : public DocumentSet {
public:
    explicit SingleDocumentSet(const DocumentEnvironment& environment);
    ~SingleDocumentSet() override;

    CVelor32Doc* ActiveDocument() override { return m_document.get(); }
    void CloseAllDocuments() override;
    CVelor32Doc* CreateDocument() override;
    void CloseDocument(CVelor32Doc* document) override;

private:
    DocumentEnvironment m_environment;
    std::unique_ptr<CVelor32Doc> m_document;
};

}  // namespace velor
