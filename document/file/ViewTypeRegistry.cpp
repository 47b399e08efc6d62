#include "document/file/ViewTypeRegistry.h"

namespace velor {

bool ViewTypeRegistry::Register(uint16_t tag, Factory factory) {
    if (tag >= kViewTagLimit) return false;
    m_factories[tag] = std::move(factory);
    return true;
}

bool ViewTypeRegistry::IsRegistered(uint16_t tag) const {
    return tag < kViewTagLimit && static_cast<bool>(m_factories[tag]);
}

DocumentView* ViewTypeRegistry::Create(uint16_t tag, CDormDoc& document) const {
    return IsRegistered(tag) ? m_factories[tag](document) : nullptr;
}

}  // namespace velor
