#pragma once
// Bookkeeping of the arrays the library hands out, so that Quarn_ReleaseMemory can free them.

#include <array>
#include <cstddef>
#include <vector>

namespace quarn {

// Two process-wide result slots: slot 0 receives the folded intensity and the near field,
// slot 1 the folded angle. An array pushed out of its slot by a newer result may still be in
// the caller's hands, so it is kept as displaced and freed with the rest on release rather
// than leaked or freed early.
class ResultStore {
public:
    static constexpr std::size_t kPrimarySlot = 0;
    static constexpr std::size_t kSecondarySlot = 1;

    // Makes room for `arrays` further records; the only step that can fail (std::bad_alloc),
    // so callers do it before allocating anything.
    void Reserve(std::size_t arrays);
    // Records a library-allocated array (std::malloc family) in a slot. Needs Reserve().
    void Record(std::size_t slot, float* array) noexcept;
    // True when the array was handed out and not released since.
    bool Holds(const float* array) const noexcept;
    // Drops the record of an array the caller is about to free or has reallocated.
    void Forget(const float* array) noexcept;
    void ReleaseAll() noexcept;

private:
    std::array<float*, 2> m_slots{};
    std::vector<float*> m_displaced;
};

// The process-wide store; unguarded, as the array routines are documented single-threaded.
ResultStore& Results();

}  // namespace quarn
