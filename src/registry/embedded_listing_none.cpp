// An image that carries no registry listing, for the tests of that failure.

#include "embedded_listing.h"

namespace hexalune {

EmbeddedListing embedded_listing() { return {nullptr, 0}; }

}  // namespace hexalune
