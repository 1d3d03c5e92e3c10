#ifndef HEXALUNE_BATCH_BLOCKS_H_
#define HEXALUNE_BATCH_BLOCKS_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registries.h"

namespace hexalune {

/// A block of addresses and whom it is assigned to: an IEEE assignment,
/// or a prefix the user names.
struct AddressBlock {
    std::string_view registry;  // "MA-L", "MA-M", "MA-S", "IAB", or "names"
    unsigned bits = 24;
    std::uint64_t first = 0;  // its first and last EUI-48, as numbers
    std::uint64_t last = 0;
    std::string_view organization;
    std::string_view address;
    std::string_view short_name;
};

/// Writes the block's assignment at `out`: the first bits/4 digits of its
/// first address, and one more for the rest, upper case; gives its end.
char* write_assignment(char* out, const AddressBlock& block);

/// Whether `a` comes before `b`: by `first`, then by `bits` ascending.
bool comes_before(const AddressBlock& a, const AddressBlock& b);

/// The distinct assignments of `table` (of records for the same one, the
/// last), sorted by `first`, then by `bits` ascending. Their texts are the
/// table's. With `keep`, only those whose assignee it keeps.
std::vector<AddressBlock> registry_blocks(const OwnerTable& table,
                                          const std::function<bool(const Assignee&)>& keep = {});

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_BLOCKS_H_
