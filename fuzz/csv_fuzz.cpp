// The listing reader: split_csv_line on the whole input as one line, and
// parse_oui_database on the input as a listing, both compared with the
// tests' plain character-by-character reference reader; and the RFC 4180 one,
// with the owner table built from its records as an MA-L listing (its short
// names each a token of the organisation's characters), and with the records
// checked to be an MA-L listing's.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "check.h"
#include "reference/registry_reference.h"
#include "registry/csv_line_reader.h"
#include "registry/csv_record_reader.h"
#include "registry/registries.h"
#include "registry/short_name.h"

namespace {

// An address in the block of a key of six upper-case hexadecimal digits;
// nothing for any other key.
std::optional<hexalune::Bytes> address_of(std::string_view key) {
    hexalune::Bytes mac(6);
    if (key.size() != 6) return std::nullopt;
    for (std::size_t i = 0; i < 6; ++i) {
        const char c = key[i];
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) return std::nullopt;
        mac[i / 2] = static_cast<std::uint8_t>(mac[i / 2] << 4 | digit);
    }
    return mac;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string> fields = hexalune::split_csv_line(text);
    FUZZ_CHECK(fields == hexalune_reference::csv_fields(text));

    // The same records under the same keys, and the same report of short
    // lines, as the reference.
    std::ostringstream report;
    const hexalune::RegistryMap registry = hexalune::parse_oui_database(text, report);
    const hexalune_reference::Listing expected = hexalune_reference::parse(text);
    FUZZ_CHECK(report.str() == expected.report);
    FUZZ_CHECK(hexalune_reference::same_registry(registry, expected.registry));

    std::ostringstream records_report;
    const hexalune::RegistryMap records = hexalune::parse_registry_listing(text, records_report);
    const hexalune_reference::Listing expected_records =
        hexalune_reference::parse_records(text, hexalune::kListingRecordLimit);
    FUZZ_CHECK(records_report.str() == expected_records.report);
    FUZZ_CHECK(hexalune_reference::same_registry(records, expected_records.registry));

    // The records alone are the map's, and an owner table built from them
    // finds each six-digit assignment's owner by its address.
    std::ostringstream ignored;
    const hexalune::ListingRecords read = hexalune::read_registry_records(text, ignored);
    hexalune::Listings listings;
    listings[3] = read.records;
    FUZZ_CHECK(listings[3].size() == records.size());
    const hexalune::OwnerTable table = hexalune::build_owner_table(listings);
    for (const hexalune::ListingRecord& record : listings[3]) {
        const hexalune::OUIInfo& expected = records.at(std::string(record.assignment));
        FUZZ_CHECK(record.organization == expected.organization &&
                   record.address == expected.address);
        const std::optional<hexalune::Bytes> mac = address_of(record.assignment);
        if (!mac) continue;  // no address has it
        const hexalune::Owner owner = hexalune::lookup_owner(*mac, table);
        FUZZ_CHECK(owner.oui != hexalune::kNoRecord);
        const hexalune::Assignee found = hexalune::assignee(table, owner.oui);
        FUZZ_CHECK(found.organization == expected.organization &&
                   found.address == expected.address);
        FUZZ_CHECK(hexalune_reference::short_name_holds(
            std::string(found.short_name), expected.organization, std::string(record.assignment)));
    }
    FUZZ_CHECK(hexalune_reference::short_name_holds(hexalune::short_name(text, "0055DA0"), text,
                                                    "0055DA0"));

    // As the MA-L listing: refused unless its first line is the header, and
    // otherwise those records that are MA-L's by registry and assignment.
    std::ostringstream checked_report;
    try {
        const hexalune::ListingRecords ma_l =
            hexalune::read_listing_records(hexalune::Registry::kMaL, text, checked_report);
        const std::size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
        FUZZ_CHECK(text.rfind(hexalune::kListingHeader, 3) == start);
        for (const hexalune::ListingRecord& r : ma_l.records) {
            FUZZ_CHECK(address_of(r.assignment) && records.count(std::string(r.assignment)) == 1);
        }
    } catch (const std::runtime_error&) {
    }
    return 0;
}
