// load_embedded_listing where the listings are linked into the image as
// read-only data. A program that never calls it links only the MA-L
// listing, through load_resource_data.

#include <stdexcept>

#include "embedded_listing.h"
#include "registries.h"
#include "resource.h"

namespace hexalune {

std::string load_embedded_listing(Registry registry) {
    EmbeddedListing listing{};
    switch (registry) {
        case Registry::kMaL:
            return load_resource_data();
        case Registry::kMaM:
            listing = embedded_listing_ma_m();
            break;
        case Registry::kMaS:
            listing = embedded_listing_ma_s();
            break;
        case Registry::kIab:
            listing = embedded_listing_iab();
            break;
    }
    if (listing.bytes == nullptr) throw std::runtime_error("Failed to find resource.");
    if (listing.size == 0) throw std::runtime_error("Failed to get resource size.");
    return std::string(listing.bytes, listing.size);
}

}  // namespace hexalune
