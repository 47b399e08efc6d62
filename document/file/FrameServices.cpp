#include "document/file/FrameServices.h"

#include "document/Velor32Doc.h"

namespace velor {

CVelor32Doc* DocumentSet::CreateDocument() {
    CVelor32Doc* document = InstallDocument(MakeDocument(DocumentStart::New));
    if (document) document->OnNewDocument();
    return document;
}

SingleDocumentSet::SingleDocumentSet(const DocumentEnvironment& environment)
    : m_environment(environment) {}

SingleDocumentSet::~SingleDocumentSet() = default;

void SingleDocumentSet::CloseAllDocuments() { m_document.reset(); }

std::unique_ptr<CVelor32Doc> SingleDocumentSet::MakeDocument(DocumentStart start) {
    return std::make_unique<CVelor32Doc>(m_environment, start);
}

void SingleDocumentSet::DiscardDocument(std::unique_ptr<CVelor32Doc> document) { document.reset(); }

CVelor32Doc* SingleDocumentSet::InstallDocument(std::unique_ptr<CVelor32Doc> document) {
    m_document = std::move(document);
    return m_document.get();
}

}  // namespace velor
