#include "result_store.h"

#include <algorithm>
#include <cstdlib>

#include "quarn/quarn.h"

namespace quarn {

void ResultStore::reserve(std::size_t arrays) {
    displaced_.reserve(displaced_.size() + arrays);
}

void ResultStore::record(std::size_t slot, float* array) noexcept {
    float*& held = slots_[slot];
    if (held != nullptr && held != array) displaced_.push_back(held);  // capacity reserved
    held = array;
}

bool ResultStore::holds(const float* array) const noexcept {
    if (array == nullptr) return false;
    return std::find(slots_.begin(), slots_.end(), array) != slots_.end() ||
           std::find(displaced_.begin(), displaced_.end(), array) != displaced_.end();
}

void ResultStore::forget(const float* array) noexcept {
    for (float*& held : slots_) {
        if (held == array) held = nullptr;
    }
    std::erase(displaced_, array);
}

void ResultStore::releaseAll() noexcept {
    for (float*& held : slots_) {
        std::free(held);
        held = nullptr;
    }
    for (float* array : displaced_) std::free(array);
    displaced_.clear();
}

ResultStore& results() {
    static ResultStore store;
    return store;
}

}  // namespace quarn

extern "C" void Quarn_ReleaseMemory(void) {
    quarn::results().releaseAll();
}
