// load_resource_data for Windows: the listing is resource CSVFILE/1 of the
// running executable, compiled in from the resource script.

#include "registries.h"
#include "resource.h"

namespace hexalune {

// The steps (GetModuleHandleA, FindResourceA, LoadResource, LockResource,
// SizeofResource) are load_embedded_listing's, for resource number 1.
std::string load_resource_data() { return load_embedded_listing(Registry::kMaL); }

}  // namespace hexalune
