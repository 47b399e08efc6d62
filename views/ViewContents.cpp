#include "views/ViewContents.h"

#include "document/DocumentView.h"
#include "document/DormDoc.h"
#include "views/beamstats/BeamSection.h"
#include "views/notes/NoteSection.h"
#include "views/notes/NoteText.h"

namespace velor {
namespace {

// Records are bases of the views that carry them, with windows or without.
template <typename Record>
void TakeFirst(const DocumentView* view, std::optional<Record>& slot) {
    if (slot) return;
    if (const auto* record = dynamic_cast<const Record*>(view)) slot = *record;
}

}  // namespace

ViewContents ContentsOfViews(const CDormDoc& document) {
    ViewContents contents;
    bool noteFound = false;
    for (DocumentView* view : document.Views()) {
        TakeFirst(view, contents.profile);
        TakeFirst(view, contents.power);
        TakeFirst(view, contents.topo);
        if (auto* note = dynamic_cast<NoteSection*>(view); note && !noteFound) {
            noteFound = true;
            contents.note = NoteFromBytes(note->Text());
        }
        if (auto* beam = dynamic_cast<BeamSection*>(view); beam && !contents.beam) {
            contents.beam = BeamSelection{beam->Settings(), beam->Rows(), beam->Metrics()};
        }
    }
    return contents;
}

}  // namespace velor
