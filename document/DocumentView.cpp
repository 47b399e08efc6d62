#include "document/DocumentView.h"

#include "document/DormDoc.h"

namespace velor {

DocumentView::~DocumentView() {
    if (m_pDocument) m_pDocument->RemoveView(this);
}

bool DocumentView::WriteSection(SerializeContext& context) {
    RefreshPlacement();
    return m_viewData.WriteViewData(context.archive);
}

bool DocumentView::ReadSection(SerializeContext& context) {
    return m_viewData.ReadViewData(context.archive);
}

}  // namespace velor
