#include "platform/huge_page_heap.h"

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>
#endif

namespace hexalune {

#if defined(__linux__) && defined(__GLIBC__)

std::unique_ptr<char[]> prepare_heap(std::size_t bytes) {
    constexpr std::uintptr_t kHugePage = 2u << 20;
    // The working set, in whole huge pages, is backed by them. What a run
    // takes beyond that stays in small pages, so that the peak memory grows
    // with the working set rather than in steps of 2 MiB.
    const std::uintptr_t huge_part = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    const std::size_t reserve = huge_part + kHugePage;  // room to reach a boundary
    constexpr int kOwnMapping = 32 << 20;  // blocks this large or larger get a mapping of their own
    if (huge_part == 0) return nullptr;

    // Blocks of the reserve's size are to come from the heap rather than
    // from mappings of their own; freed memory is to stay in the heap, since
    // handing it back to the system would drop the advice given below; and
    // small blocks are to be merged with their neighbours when freed, which
    // makes freeing the map faster. glibc refuses such a threshold where
    // address space is short (32-bit systems), and sanitizer allocators
    // refuse these settings altogether: the heap is then left as it is.
    if (mallopt(M_MMAP_THRESHOLD, kOwnMapping) != 1 || mallopt(M_TRIM_THRESHOLD, -1) != 1 ||
        mallopt(M_MXFAST, 0) != 1) {
        return nullptr;
    }

    // Grow the heap by the reserve, advise huge pages for its first
    // huge_part bytes from a 2 MiB boundary on, and free it again: the
    // run's allocations take it from the front. Nothing here touches the
    // block's pages, and the advice is only a hint, ignored where
    // transparent huge pages are off.
    void* const block = std::malloc(reserve);
    if (block == nullptr) return nullptr;
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t begin = (start + kHugePage - 1) / kHugePage * kHugePage;
    madvise(reinterpret_cast<void*>(begin), huge_part, MADV_HUGEPAGE);
    std::free(block);

    // Occupy the part before the boundary with a block that is never
    // touched, so that the working set starts on the boundary rather than
    // in small pages.
    if (begin == start) return nullptr;
    return std::unique_ptr<char[]>(new (std::nothrow) char[begin - start]);
}

#else

std::unique_ptr<char[]> prepare_heap(std::size_t) { return nullptr; }

#endif

}  // namespace hexalune
