#ifndef HEXALUNE_PLATFORM_HUGE_PAGE_HEAP_H_
#define HEXALUNE_PLATFORM_HUGE_PAGE_HEAP_H_

#include <cstddef>
#include <memory>

namespace hexalune {

/// Prepares the heap for the run's large working set, of `bytes` at its
/// peak (the caller, which knows what it builds, says how much): where the
/// system allows it (Linux with transparent huge pages), that much of the
/// heap is backed by 2 MiB pages, which spares the run thousands of page
/// faults. Returns a block to hold for as long as that
/// working set lives: it keeps the heap's next allocations on a huge page
/// boundary. Elsewhere it does nothing and returns no block. Output and
/// results are the same either way.
std::unique_ptr<char[]> prepare_heap(std::size_t bytes);

}  // namespace hexalune

#endif  // HEXALUNE_PLATFORM_HUGE_PAGE_HEAP_H_
