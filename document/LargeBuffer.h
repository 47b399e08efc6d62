#pragma once
// An allocator for the document's multi-megabyte buffers (the 3D data set: up to 201 scans).
// Such a buffer is first touched as a whole, page by page; on 4 KiB pages that is hundreds of
// page faults, which cost more than reading the data itself. Aligned to 2 MiB and offered to
// the kernel for huge pages, it takes a handful. Where huge pages are not to be had, the
// advice is ignored and the buffer behaves as any other.

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <new>

namespace velor {

template <typename T>
struct LargeBufferAllocator {
    using value_type = T;
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;

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
        const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        void* p = std::aligned_alloc(kHugePage, rounded);
        if (!p) throw std::bad_alloc();
        ::madvise(p, rounded, MADV_HUGEPAGE);
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t) noexcept { std::free(p); }

    template <typename U>
    bool operator==(const LargeBufferAllocator<U>&) const noexcept { return true; }
};

}  // namespace velor
