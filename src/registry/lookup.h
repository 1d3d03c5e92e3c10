#ifndef HEXALUNE_REGISTRY_LOOKUP_H_
#define HEXALUNE_REGISTRY_LOOKUP_H_

#include <string>

#include "oui_info.h"

namespace hexalune {

/// `text` with every occurrence of `substring` removed, including those
/// that removing others brings together ("aabb" without "ab" is ""). An
/// empty substring leaves the text unchanged.
std::string stripSubstring(const std::string& text, const std::string& substring);

/// The registry record for an address's OUI: the first six characters of
/// the address without its colons, upper-cased, so the lookup ignores case.
/// A default (empty) record when the registry has none.
OUIInfo lookup_oui_info(const std::string& mac_text, const RegistryMap& registry);

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_LOOKUP_H_
