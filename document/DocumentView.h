#pragma once
// The part of a view window the document and the data file deal with: its type tag, its
// placement record and its section in the data file. GUI views derive from it; headless code
// (tools, tests) uses it directly for the sections it carries without a window.

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "document/file/DataCrc16.h"
#include "document/file/DormViewData.h"

namespace velor {

class CDormDoc;

class DocumentView {
public:
    explicit DocumentView(uint16_t tag) : m_nTag(tag) {}
    virtual ~DocumentView();
    DocumentView(const DocumentView&) = delete;
    DocumentView& operator=(const DocumentView&) = delete;

    uint16_t Tag() const { return m_nTag; }
    CDormDoc* GetDocument() const { return m_pDocument; }

    // The view's section after its marker: the placement block, then the view's own blocks.
    // Views that carry more override these and call the base first.
    virtual bool WriteSection(SerializeContext& context);
    virtual bool ReadSection(SerializeContext& context);

    // Appends the view's part of the ASCII export; views without one add nothing.
    virtual void AppendTextExport(QByteArray& /*text*/) {}

    // A document notification (hint as broadcast by the document).
    virtual void OnUpdate(uint32_t /*hint*/) {}

    // Holds samples or points it collected, which a change of the document's mode would erase.
    virtual bool HoldsCollectedData() const { return false; }

    // Copies the frame window's placement into the record before it is saved.
    virtual void RefreshPlacement() {}

    CDormViewData m_viewData;

private:
    friend class CDormDoc;
    uint16_t m_nTag;
    CDormDoc* m_pDocument = nullptr;
};

}  // namespace velor
