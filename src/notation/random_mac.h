#ifndef HEXALUNE_NOTATION_RANDOM_MAC_H_
#define HEXALUNE_NOTATION_RANDOM_MAC_H_

#include <cstdint>
#include <functional>
#include <string>

namespace hexalune {

/// A fresh random locally administered unicast address ("x2:..", "x6:..",
/// "xa:.." or "xe:.."), in colon form with lower-case digits. Each call
/// seeds its own generator from the system's non-deterministic source.
std::string generate_random_mac();

/// The address generate_random_mac gives when its seed comes from `source`,
/// a call for each 32 bits.
std::string random_mac(const std::function<std::uint32_t()>& source);

}  // namespace hexalune

#endif  // HEXALUNE_NOTATION_RANDOM_MAC_H_
