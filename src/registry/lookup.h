#ifndef HEXALUNE_REGISTRY_LOOKUP_H_
#define HEXALUNE_REGISTRY_LOOKUP_H_

#include <string>

#include "../notation/bytes.h"
#include "oui_info.h"

namespace hexalune {

/// `text` with every occurrence of `substring` removed, including those
/// that removing others brings together ("aabb" without "ab" is ""). An
/// empty substring leaves the text unchanged.
std::string stripSubstring(const std::string& text, const std::string& substring);

/// The registry record for an address's OUI, its first three bytes: the
/// record the listing gives that assignment (six upper-case digits), or a
/// default (empty) record when the registry has none. Use this one for
/// address text that parse_mac accepts.
OUIInfo lookup_oui_info(const Bytes& mac, const RegistryMap& registry);

/// As above, for text already validated by is_valid_mac: the key is the
/// first six characters of `mac_text` without its colons, upper-cased.
/// Other text finds the wrong record or none ("0:00:bc:..." gives 000BC0,
/// not 0000BC): parse it and pass the bytes instead.
OUIInfo lookup_oui_info(const std::string& mac_text, const RegistryMap& registry);

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_LOOKUP_H_
