#ifndef HEXALUNE_BATCH_BLOCK_SEARCH_H_
#define HEXALUNE_BATCH_BLOCK_SEARCH_H_

#include <string_view>
#include <vector>

#include "blocks.h"
#include "names.h"

namespace hexalune {

/// The block of a user's name: registry "names", as its assignment the
/// first bits(4) digits of its prefix, upper case, rounded up to whole
/// digits; the name as organization and short name, and no address. Its
/// texts are `name`'s.
AddressBlock name_block(const UserName& name);

/// The blocks of `table` and of `names` whose organization or short name
/// holds `text`, ignoring ASCII case, sorted by comes_before; of a
/// registry's block and a name's with the same first address and bits, the
/// registry's first. `names` must be sorted so already.
std::vector<AddressBlock> search_blocks(const OwnerTable& table, const std::vector<UserName>& names,
                                        std::string_view text);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_BLOCK_SEARCH_H_
