#include "views/notes/NoteSection.h"

#include <memory>

#include "document/DormDoc.h"

namespace velor {
namespace {

UserPrompt* PromptOf(const DocumentView& view) {
    CDormDoc* doc = view.GetDocument();
    return doc ? &doc->Environment().prompt : nullptr;
}

}  // namespace

bool NoteSection::WriteSection(SerializeContext& context) {
    if (!DocumentView::WriteSection(context)) return false;
    return WriteNoteBlock(context.archive, m_text);
}

bool NoteSection::ReadSection(SerializeContext& context) {
    if (!DocumentView::ReadSection(context)) return false;
    return ReadNoteBlock(context.archive, m_text, PromptOf(*this));
}


void RegisterHeadlessNoteSection(ViewTypeRegistry& registry) {
    registry.Register(kNoteViewTag, [](CDormDoc& document) {
        return document.AdoptView(std::make_unique<NoteSection>());
    });
}

}  // namespace velor
