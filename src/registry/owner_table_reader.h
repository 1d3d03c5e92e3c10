#ifndef HEXALUNE_REGISTRY_OWNER_TABLE_READER_H_
#define HEXALUNE_REGISTRY_OWNER_TABLE_READER_H_

// The four registries' listings read into their owner table: for
// hexalune-batch --registry and the build tool that compiles the table
// into the library. Not installed.

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>

#include "registries.h"

namespace hexalune {

/// A registry's listing: the name its reports give it (its file's path),
/// and its text.
struct NamedListing {
    std::string name;
    std::string text;
};

/// Bad lines of a listing reported beyond these are only counted.
constexpr std::size_t kShownBadLines = 10;

/// The owner table of the four registries' listings, read in the order
/// MA-L, MA-M, MA-S, IAB: each as `listing(registry)` gives it, its records
/// by read_listing_records. Each bad line is reported on `report` after the
/// listing's name and ": "; of a listing's, only the first kShownBadLines,
/// then their number ("NAME: 3 more bad lines not shown"). A listing that
/// is not its registry's throws std::runtime_error "NAME: " and the reason;
/// what `listing` throws passes through.
OwnerTable read_owner_table(const std::function<NamedListing(Registry)>& listing,
                            std::ostream& report);

/// The heap read_owner_table takes at its peak for listings of
/// `listing_bytes` in all: 4.5 times their size (their texts, records, the
/// table being built and each organisation's short name; Debian's
/// ieee-data of 4.3 MB, 18.7 MB by valgrind --tool=massif).
constexpr std::size_t read_owner_table_heap(std::size_t listing_bytes) {
    return listing_bytes / 2 * 9;
}

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_OWNER_TABLE_READER_H_
