#include "document/DormDoc.h"

#include <algorithm>

#include "document/DocumentView.h"
#include "document/UpdateHints.h"

namespace velor {

CDormDoc::CDormDoc(const DocumentEnvironment& environment) : m_env(environment) {}

CDormDoc::~CDormDoc() {
    // Owned views leave through RemoveView as they are destroyed; the others are told the
    // document is gone.
    m_ownedViews.clear();
    for (DocumentView* view : m_views) view->m_pDocument = nullptr;
}

void CDormDoc::AddView(DocumentView* view) {
    if (!view || view->m_pDocument == this) return;
    if (view->m_pDocument) view->m_pDocument->RemoveView(view);
    m_views.push_back(view);
    view->m_pDocument = this;
}

void CDormDoc::RemoveView(DocumentView* view) {
    const auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end()) return;
    m_views.erase(it);
    view->m_pDocument = nullptr;
    // An owned view that is removed stays alive until the document goes; hand it nowhere.
}

DocumentView* CDormDoc::AdoptView(std::unique_ptr<DocumentView> view) {
    DocumentView* raw = view.get();
    AddView(raw);
    m_ownedViews.push_back(std::move(view));
    return raw;
}

void CDormDoc::UpdateAllViews(uint32_t hint) {
    // A view may close itself in reaction; iterate over a copy.
    const std::vector<DocumentView*> views = m_views;
    for (DocumentView* view : views) {
        if (std::find(m_views.begin(), m_views.end(), view) != m_views.end()) view->OnUpdate(hint);
    }
}

void CDormDoc::SetTitle(const QString& title) {
    m_strTitle = title;
    m_env.frame.SetCaption(kApplicationName + QStringLiteral(" - ") + title);
}

bool CDormDoc::OnNewDocument() {
    SetModifiedFlag(false);
    SetPathName(QString());
    SetTitle(QStringLiteral("Untitled"));
    return true;
}

void CDormDoc::SetAcquisition(bool on) {
    if (on && !InitInstrument()) return;
    m_bAcquisitionOn = on ? 1 : 0;
    UpdateAllViews(UM_ACQSTATE(on));
}

void CDormDoc::PauseAcquisition() { ++m_nPauseCount; }

void CDormDoc::ResumeAcquisition() {
    if (m_nPauseCount > 0) --m_nPauseCount;
}

}  // namespace velor
