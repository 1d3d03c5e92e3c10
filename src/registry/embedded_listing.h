#ifndef HEXALUNE_REGISTRY_EMBEDDED_LISTING_H_
#define HEXALUNE_REGISTRY_EMBEDDED_LISTING_H_

#include <cstddef>

// Where the listing linked into an ELF image lies. Defined by
// embedded_listing_elf.cpp, which the build compiles with the listing
// (or without one, for the failure tests).
extern "C" {

struct HexaluneEmbeddedListing {
    const char* bytes;  // null when the image carries no listing
    std::size_t size;
};

extern const HexaluneEmbeddedListing hexalune_embedded_listing
    __attribute__((visibility("hidden")));
}

#endif  // HEXALUNE_REGISTRY_EMBEDDED_LISTING_H_
