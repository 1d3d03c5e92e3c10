#ifndef HEXALUNE_NOTATION_BYTES_H_
#define HEXALUNE_NOTATION_BYTES_H_

#include <cstdint>
#include <vector>

namespace hexalune {

/// An address as octets, most significant (first transmitted) first:
/// six for EUI-48/MAC-48, eight for EUI-64.
using Bytes = std::vector<std::uint8_t>;

}  // namespace hexalune

#endif  // HEXALUNE_NOTATION_BYTES_H_
