#ifndef HEXALUNE_TESTS_LARGE_LISTING_SYNTHETIC_LISTING_H_
#define HEXALUNE_TESTS_LARGE_LISTING_SYNTHETIC_LISTING_H_

#include <cstddef>
#include <string>

namespace hexalune_test {

/// A listing in the layout of the IEEE MA-L listing (header, CR LF endings,
/// lines of about the same length) of at least `min_size` bytes: records
/// "Synthetic Networks 0", 1, 2, ... under distinct assignments in
/// scattered order, one in 97 with quoted fields holding commas and doubled
/// quotes, and after every 100,000th record a line with only three fields.
std::string synthetic_listing(std::size_t min_size);

}  // namespace hexalune_test

#endif  // HEXALUNE_TESTS_LARGE_LISTING_SYNTHETIC_LISTING_H_
