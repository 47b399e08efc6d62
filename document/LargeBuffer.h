#pragma once
// An allocator for the document's multi-megabyte buffers (the 3D data set: up to 201 scans).
// Such a buffer is first touched as a whole, page by page; on 4 KiB pages that is hundreds of
// page faults, which cost more than reading the data itself. Aligned to 2 MiB and offered to
// the kernel for huge pages, it takes a handful. Where huge pages are not to be had, the
// advice is ignored and the buffer behaves as any other.
//
// Fresh pages also cost the kernel's zeroing. Documents replace one another (a file is read
// into a new document, which then takes the open one's place), so each thread keeps the last
// large block it freed and hands it to the next request of the same size: reading file after
// file then touches no fresh page at all.

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <new>
#include <utility>

namespace velor {

namespace large_buffer {

struct KeptBlock {
    void* block = nullptr;
    std::size_t bytes = 0;
    ~KeptBlock() { std::free(std::exchange(block, nullptr)); }
};

inline KeptBlock& Kept() {
    thread_local KeptBlock kept;
    return kept;
}

}  // namespace large_buffer

template <typename T>
struct LargeBufferAllocator {
    using value_type = T;
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;
    static constexpr std::size_t Rounded(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }

    LargeBufferAllocator() = default;
    template <typename U>
    LargeBufferAllocator(const LargeBufferAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kHugePage) {
            if (void* p = std::malloc(bytes)) return static_cast<T*>(p);
            throw std::bad_alloc();
        }
        const std::size_t rounded = Rounded(bytes);
        large_buffer::KeptBlock& kept = large_buffer::Kept();
        if (kept.block && kept.bytes == rounded) {
            return static_cast<T*>(std::exchange(kept.block, nullptr));
        }
        void* p = std::aligned_alloc(kHugePage, rounded);
        if (!p) throw std::bad_alloc();
        ::madvise(p, rounded, MADV_HUGEPAGE);
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t n) noexcept {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kHugePage) {
            std::free(p);
            return;
        }
        large_buffer::KeptBlock& kept = large_buffer::Kept();
        std::free(kept.block);
        kept.block = p;
        kept.bytes = Rounded(bytes);
    }

    // Elements made without a value are left as the memory holds them (resize does not
    // clear); the container's users decide which are cleared and which are filled.
    template <typename U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <typename U>
    bool operator==(const LargeBufferAllocator<U>&) const noexcept { return true; }
};

}  // namespace velor
