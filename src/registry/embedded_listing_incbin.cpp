// A registry listing, linked into an ELF image (of any word size or byte
// order) by the assembler's .incbin: no generated source, and the build
// declares the object's dependency on the listing file so that editing it
// rebuilds. HEXALUNE_LISTING_PATH names the file, HEXALUNE_LISTING_FUNCTION
// the function of embedded_listing.h that gives it.

#include <cstdint>

#include "embedded_listing.h"

#define HEXALUNE_TEXT(x) #x
#define HEXALUNE_NAME(x) HEXALUNE_TEXT(x)
#define HEXALUNE_BEGIN HEXALUNE_NAME(HEXALUNE_LISTING_FUNCTION) "_begin"
#define HEXALUNE_END HEXALUNE_NAME(HEXALUNE_LISTING_FUNCTION) "_end"

// Two labels around the bytes; the size is their distance.
__asm__(".pushsection .rodata." HEXALUNE_BEGIN
        ",\"a\"\n"
        ".globl " HEXALUNE_BEGIN "\n.hidden " HEXALUNE_BEGIN "\n" HEXALUNE_BEGIN
        ":\n"
        ".incbin \"" HEXALUNE_LISTING_PATH
        "\"\n"
        ".globl " HEXALUNE_END "\n.hidden " HEXALUNE_END "\n" HEXALUNE_END
        ":\n"
        ".popsection\n");

extern "C" {
extern const char listing_begin[] __asm__(HEXALUNE_BEGIN) __attribute__((visibility("hidden")));
extern const char listing_end[] __asm__(HEXALUNE_END) __attribute__((visibility("hidden")));
}

namespace hexalune {

EmbeddedListing HEXALUNE_LISTING_FUNCTION() {
    // The labels belong to no C++ object: compare addresses, not pointers.
    const auto begin = reinterpret_cast<std::uintptr_t>(listing_begin);
    const auto end = reinterpret_cast<std::uintptr_t>(listing_end);
    return {listing_begin, static_cast<std::size_t>(end - begin)};
}

}  // namespace hexalune
