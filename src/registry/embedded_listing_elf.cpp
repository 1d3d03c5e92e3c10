// The registry listing, linked into the image by the assembler's .incbin:
// no generated source, and the build declares the object's dependency on
// the listing file so that editing it rebuilds. HEXALUNE_LISTING_PATH names
// the file; without it the image carries no listing.

#include "embedded_listing.h"

#ifdef HEXALUNE_LISTING_PATH

__asm__(
    ".pushsection .rodata.hexalune_listing,\"a\"\n"
    "hexalune_listing_begin:\n"
    ".incbin \"" HEXALUNE_LISTING_PATH
    "\"\n"
    "hexalune_listing_end:\n"
    ".popsection\n"
    ".pushsection .data.rel.ro.hexalune_listing,\"aw\"\n"
    ".balign 8\n"
    ".globl hexalune_embedded_listing\n"
    ".hidden hexalune_embedded_listing\n"
    ".type hexalune_embedded_listing, @object\n"
    ".size hexalune_embedded_listing, 16\n"
    "hexalune_embedded_listing:\n"
    ".8byte hexalune_listing_begin\n"
    ".8byte hexalune_listing_end - hexalune_listing_begin\n"
    ".popsection\n");

static_assert(sizeof(HexaluneEmbeddedListing) == 16, "the descriptor above is two 8-byte words");

#else

extern "C" const HexaluneEmbeddedListing hexalune_embedded_listing = {nullptr, 0};

#endif
