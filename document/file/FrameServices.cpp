#include "document/file/FrameServices.h"

#include "document/Velor32Doc.h"

namespace velor {

SingleDocumentSet::SingleDocumentSet(const DocumentEnvironment& environment)
    : m_environment(environment) {}

SingleDocumentSet::~SingleDocumentSet() = default;

void SingleDocumentSet::CloseAllDocuments() { m_document.reset(); }

CVelor32Doc* SingleDocumentSet::CreateDocument() {
    m_document = std::make_unique<CVelor32Doc>(m_environment);
    m_document->OnNewDocument();
    return m_document.get();
}

void SingleDocumentSet::CloseDocument(CVelor32Doc* document) {
    if (document == m_document.get()) m_document.reset();
}

}  // namespace velor
