#ifndef HEXALUNE_REGISTRY_RESOURCE_H_
#define HEXALUNE_REGISTRY_RESOURCE_H_

#include <string>

namespace hexalune {

/// The registry listing carried inside the executable, byte for byte.
/// Throws std::runtime_error with "Failed to get module handle.", "Failed
/// to find resource.", "Failed to load resource.", "Failed to lock
/// resource." or "Failed to get resource size." (an empty listing).
std::string load_resource_data();

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_RESOURCE_H_
