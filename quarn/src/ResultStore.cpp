#include "ResultStore.h"

#include <algorithm>
#include <cstdlib>

#include "quarn/quarn.h"

namespace quarn {

void ResultStore::Reserve(std::size_t arrays) {
    m_displaced.reserve(m_displaced.size() + arrays);
}

void ResultStore::Record(std::size_t slot, float* array) noexcept {
    float*& held = m_slots[slot];
    if (held != nullptr && held != array) m_displaced.push_back(held);  // capacity reserved
    held = array;
}

bool ResultStore::Holds(const float* array) const noexcept {
    if (array == nullptr) return false;
    return std::find(m_slots.begin(), m_slots.end(), array) != m_slots.end() ||
           std::find(m_displaced.begin(), m_displaced.end(), array) != m_displaced.end();
}

void ResultStore::Forget(const float* array) noexcept {
    for (float*& held : m_slots) {
        if (held == array) held = nullptr;
    }
    std::erase(m_displaced, array);
}

void ResultStore::ReleaseAll() noexcept {
    for (float*& held : m_slots) {
        std::free(held);
        held = nullptr;
    }
    for (float* array : m_displaced) std::free(array);
    m_displaced.clear();
}

ResultStore& Results() {
    static ResultStore store;
    return store;
}

}  // namespace quarn

extern "C" void Quarn_ReleaseMemory(void) {
    quarn::Results().ReleaseAll();
}
