#ifndef HEXALUNE_REGISTRY_EMBEDDED_LISTING_H_
#define HEXALUNE_REGISTRY_EMBEDDED_LISTING_H_

#include <cstddef>

namespace hexalune {

// Where the listing linked into the image lies.
struct EmbeddedListing {
    const char* bytes;  // null when the image carries no listing
    std::size_t size;
};

/// The MA-L listing linked into the image. Defined by a source generated
/// from the listing by listing_to_source.cpp, or by
/// embedded_listing_none.cpp (no listing, for the failure tests).
EmbeddedListing embedded_listing();

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_EMBEDDED_LISTING_H_
