#ifndef HEXALUNE_REGISTRY_REGISTRIES_H_
#define HEXALUNE_REGISTRY_REGISTRIES_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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

/// Every assignment of the four registries, for longest-prefix lookup, in
/// arrays of numbers and one pool of text, so that a table can be compiled
/// into a program as constant data. It points to arrays it does not own:
/// the embedded table's, or an OwnerTableData's.
struct OwnerTable {
    // Open addressing, at most half full, a power of two. A slot holds the
    // registry's number plus one above the prefix's 36 bits, bit 39 for an
    // MA-L prefix that other registries subdivide, and the record's number
    // from bit 40 (kNoRecord for a subdivided prefix with no MA-L record);
    // 0 is a free slot.
    const std::uint64_t* slots = nullptr;
    std::size_t slot_count = 0;
    // Per record, where its organization and then its address begin in
    // `text`: each two bytes, low byte first, of its length and
    // TextFlags (kTextFlagShift bits up), then its bytes. Equal texts are
    // stored once.
    const std::uint32_t* records = nullptr;
    std::size_t record_count = 0;
    const char* text = nullptr;
    std::size_t text_size = 0;
    // The distinct assignments each registry's listing holds, indexed by
    // Registry: those whose key is its registry's number of upper-case
    // digits, the only ones that can own an address.
    std::array<std::size_t, 4> assignments{};
};

/// The arrays of an owner table built at run time.
struct OwnerTableData {
    std::vector<std::uint64_t> slots;
    std::vector<std::uint32_t> records;
    std::vector<char> text;
    std::array<std::size_t, 4> assignments{};
};

/// A text never crosses a multiple of this many bytes in the pool, and
/// never takes the last byte before one: a compiled table keeps its pool
/// in rows of this size, one string literal each.
constexpr std::size_t kOwnerTextRow = 4096;

/// The owner table of `listings`. Throws std::length_error for a text too
/// long for a row, or records beyond the slots' numbering (16 million).
OwnerTableData build_owner_table(const Listings& listings);

/// The table that `data` holds, valid while `data` is unchanged.
OwnerTable view(const OwnerTableData& data);

/// The table of the four listings the library was built with (data/).
const OwnerTable& embedded_owner_table();

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

/// Starts loading the part of the table that lookup_owner will read for a
/// six-byte address, and changes nothing: a run over many addresses calls
/// it some addresses ahead, so that their waits for memory overlap.
void prefetch_owner(const Bytes& mac, const OwnerTable& table);

/// What the registries say of a six-byte address. The block is the record
/// of its first 9 digits in MA-S, else in IAB, else of its first 7 in
/// MA-M, else of its first 6 in MA-L.
Owner lookup_owner(const Bytes& mac, const OwnerTable& table);

/// What a text of the table holds, for writers that can then copy it as
/// it is: kPlain, printable ASCII only and no '"' or '\\'; kNoComma, no ','.
enum TextFlags : unsigned { kPlain = 1, kNoComma = 2 };
constexpr int kTextFlagShift = 14;

/// Whom a record assigns its block to.
struct Assignee {
    std::string_view organization;
    std::string_view address;
    unsigned organization_flags = 0;  // TextFlags
    unsigned address_flags = 0;
};

/// Record `record` (not kNoRecord) of `table`.
Assignee assignee(const OwnerTable& table, std::uint32_t record);

/// Starts loading what assignee will read of `record`, if there is one:
/// its entry, or with `text` its texts, which reads the entry.
void prefetch_assignee(const OwnerTable& table, std::uint32_t record, bool text);

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_REGISTRIES_H_
