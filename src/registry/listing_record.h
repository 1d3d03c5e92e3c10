#ifndef HEXALUNE_REGISTRY_LISTING_RECORD_H_
#define HEXALUNE_REGISTRY_LISTING_RECORD_H_

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace hexalune {

/// A record of a listing, its fields as views.
struct ListingRecord {
    std::string_view assignment, organization, address;
};

/// A listing's records, in order of assignment, one for each: views into
/// the listing's text or into `copies` (fields with doubled quotes).
struct ListingRecords {
    std::vector<ListingRecord> records;
    std::deque<std::string> copies;  // moving keeps them where they are
};

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_LISTING_RECORD_H_
