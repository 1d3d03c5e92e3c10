// load_resource_data for ELF images (Linux and other GCC/Clang ELF
// targets): the listing is linked into the image as read-only data.

#include <stdexcept>

#include "embedded_listing.h"
#include "resource.h"

// The ELF header of the running image, placed there by the linker.
extern "C" const char __ehdr_start[] __attribute__((weak, visibility("hidden")));

namespace hexalune {

std::string load_resource_data() {
    // The image itself.
    if (__ehdr_start == nullptr) throw std::runtime_error("Failed to get module handle.");
    // The listing in the image; absent when the build carried none.
    const HexaluneEmbeddedListing& listing = hexalune_embedded_listing;
    if (listing.bytes == nullptr) throw std::runtime_error("Failed to find resource.");
    // Mapped with the image, the listing needs no loading or locking: its
    // bytes are where the descriptor says.
    const char* bytes = listing.bytes;
    if (listing.size == 0) throw std::runtime_error("Failed to get resource size.");
    return std::string(bytes, listing.size);
}

}  // namespace hexalune
