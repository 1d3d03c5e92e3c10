// load_resource_data where the listing is linked into the image as read-only
// data (ELF, Mach-O and any other target without Windows resources).

#include <stdexcept>

#include "embedded_listing.h"
#include "resource.h"

namespace hexalune {

std::string load_resource_data() {
    // The listing belongs to the running image itself, which is always there
    // to be found, so "Failed to get module handle." cannot arise; absent
    // when the build carried none.
    const EmbeddedListing listing = embedded_listing();
    if (listing.bytes == nullptr) throw std::runtime_error("Failed to find resource.");
    // Mapped with the image, the listing needs no loading or locking: its
    // bytes are where the linker put them.
    const char* bytes = listing.bytes;
    if (listing.size == 0) throw std::runtime_error("Failed to get resource size.");
    return std::string(bytes, listing.size);
}

}  // namespace hexalune
