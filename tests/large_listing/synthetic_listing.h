#ifndef HEXALUNE_TESTS_LARGE_LISTING_SYNTHETIC_LISTING_H_
#define HEXALUNE_TESTS_LARGE_LISTING_SYNTHETIC_LISTING_H_

#include <cstddef>
#include <string>

namespace hexalune_test {

/// Record number `i` of the synthetic listing, as the reader should give it.
struct SyntheticRecord {
    std::string assignment, organization, address;
};
SyntheticRecord synthetic_record(std::size_t i);

/// A listing in the layout of the IEEE MA-L listing (header, CR LF endings,
/// lines of about the same length) of at least `min_size` bytes: records
/// 0, 1, 2, ... under distinct assignments in scattered order, one in 97
/// with quoted fields holding commas and doubled quotes, and after every
/// 100,000th record a line with only three fields.
struct SyntheticListing {
    std::string text;
    std::size_t records = 0;
    std::string report;  // what the reader reports for the short lines
};
SyntheticListing synthetic_listing(std::size_t min_size);

}  // namespace hexalune_test

#endif  // HEXALUNE_TESTS_LARGE_LISTING_SYNTHETIC_LISTING_H_
