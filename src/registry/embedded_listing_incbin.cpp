// The registry listing, linked into an ELF image (of any word size or byte
// order) by the assembler's .incbin: no generated source, and the build
// declares the object's dependency on the listing file so that editing it
// rebuilds. HEXALUNE_LISTING_PATH names the file.

#include <cstdint>

#include "embedded_listing.h"

// Two labels around the bytes; the size is their distance.
__asm__(
    ".pushsection .rodata.hexalune_listing,\"a\"\n"
    ".globl hexalune_listing_begin\n"
    ".hidden hexalune_listing_begin\n"
    "hexalune_listing_begin:\n"
    ".incbin \"" HEXALUNE_LISTING_PATH
    "\"\n"
    ".globl hexalune_listing_end\n"
    ".hidden hexalune_listing_end\n"
    "hexalune_listing_end:\n"
    ".popsection\n");

extern "C" {
extern const char hexalune_listing_begin[] __attribute__((visibility("hidden")));
extern const char hexalune_listing_end[] __attribute__((visibility("hidden")));
}

namespace hexalune {

EmbeddedListing embedded_listing() {
    // The labels belong to no C++ object: compare addresses, not pointers.
    const auto begin = reinterpret_cast<std::uintptr_t>(hexalune_listing_begin);
    const auto end = reinterpret_cast<std::uintptr_t>(hexalune_listing_end);
    return {hexalune_listing_begin, static_cast<std::size_t>(end - begin)};
}

}  // namespace hexalune
