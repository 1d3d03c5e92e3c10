#ifndef HEXALUNE_REGISTRY_REGISTRIES_H_
#define HEXALUNE_REGISTRY_REGISTRIES_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "../notation/bytes.h"
#include "listing_record.h"

namespace hexalune {

/// The IEEE registries that assign address blocks, in the order a
/// longest-prefix lookup tries them: MA-S and IAB assign 36-bit prefixes
/// (9 hexadecimal digits), MA-M 28-bit ones (7), MA-L 24-bit ones (6, the
/// OUI). The IEEE subdivides some MA-L blocks into the others.
enum class Registry { kMaS, kIab, kMaM, kMaL };
constexpr std::array<Registry, 4> kRegistries = {Registry::kMaS, Registry::kIab, Registry::kMaM,
                                                 Registry::kMaL};

/// "MA-S", "IAB", "MA-M" or "MA-L".
const char* registry_name(Registry registry);

/// The listing's file name, as the IEEE publishes it and Debian's ieee-data
/// installs it: "oui36.csv", "iab.csv", "mam.csv" or "oui.csv".
const char* listing_file_name(Registry registry);

/// The number of hexadecimal digits in the registry's assignments.
std::size_t assignment_digits(Registry registry);

/// The first line of every IEEE listing.
constexpr std::string_view kListingHeader =
    "Registry,Assignment,Organization Name,Organization Address";

/// Throws std::runtime_error "not an IEEE registry listing (...)" unless
/// `start`, a listing's first bytes, is kListingHeader and a line end,
/// after a UTF-8 byte-order mark if any.
void check_listing_header(std::string_view start);

/// The records of `registry`'s listing `text`, as read_registry_records
/// (csv_record_reader.h) reads them, after check_listing_header. Each must be of `registry` with
/// an assignment of exactly assignment_digits(registry) upper-case
/// hexadecimal digits: a record of one of the other registries throws
/// std::runtime_error "line N: an MA-M listing, not MA-L" (the wrong
/// listing), and one of any other registry or assignment is reported as
/// "Error parsing line N: malformed assignment" and skipped.
ListingRecords read_listing_records(Registry registry, const std::string& text,
                                    std::ostream& report);

/// The records of each registry's listing, indexed by Registry, each in
/// order of assignment, one for each: what an owner table is built from.
using Listings = std::array<std::vector<ListingRecord>, 4>;

/// Every assignment of the four registries, for longest-prefix lookup: the
/// table compiled into the library, or one built from listings. Copies
/// share the table, which never changes.
class OwnerTable {
public:
    /// How a table is laid out: the library's own (owner_table_data.h).
    struct Arrays;

    /// A table with no assignment.
    OwnerTable() = default;
    explicit OwnerTable(std::shared_ptr<const Arrays> arrays) : arrays_(std::move(arrays)) {}
    /// Null for a table with no assignment.
    const Arrays* arrays() const { return arrays_.get(); }

private:
    std::shared_ptr<const Arrays> arrays_;
};

/// The owner table of `listings`. Throws std::length_error for a text of
/// more than 4,000 bytes, or more than 16 million records.
OwnerTable build_owner_table(const Listings& listings);

/// The table of the four listings the library was built with (data/).
const OwnerTable& embedded_owner_table();

/// The distinct assignments of `registry` in `table`: those of its listing
/// whose key is its registry's number of upper-case hexadecimal digits, the
/// only ones that can own an address.
std::size_t assignment_count(const OwnerTable& table, Registry registry);

/// The records of `table`, numbered from 0: one an assignment.
std::size_t record_count(const OwnerTable& table);

/// A record's number in its table; kNoRecord for none.
constexpr std::uint32_t kNoRecord = 0xFFFFFF;

/// An assignment, and the registry that made it.
struct Block {
    Registry registry = Registry::kMaL;
    std::uint32_t record = kNoRecord;
};

/// What the registries say of an address.
struct Owner {
    /// The MA-L record of its first three bytes, the one lookup_oui_info
    /// gives.
    std::uint32_t oui = kNoRecord;
    /// The most specific assignment that holds it. Its assignment is the
    /// address's first assignment_digits(registry) digits.
    Block block;
};

/// What the registries say of a six-byte address. The block is the record
/// of its first 9 digits in MA-S, else in IAB, else of its first 7 in
/// MA-M, else of its first 6 in MA-L.
Owner lookup_owner(const Bytes& mac, const OwnerTable& table);

/// Whom a record assigns its block to.
struct Assignee {
    std::string_view organization;
    std::string_view address;
    /// Its short name (short_name.h).
    std::string_view short_name;
};

/// Record `record` (not kNoRecord) of `table`.
Assignee assignee(const OwnerTable& table, std::uint32_t record);

/// A record of a table: an assignment, and whom it is assigned to.
struct OwnerRecord {
    Registry registry = Registry::kMaL;
    std::string assignment;  // assignment_digits(registry) upper-case hexadecimal digits
    Assignee assignee;
};

/// The records of `table` in the order of their numbers: each registry's
/// in the order of kRegistries, each in order of assignment.
std::vector<OwnerRecord> owner_records(const OwnerTable& table);

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_REGISTRIES_H_
