// The listing reader: split_csv_line on the whole input as one line, and
// parse_oui_database on the input as a listing, both compared with the
// tests' plain character-by-character reference reader; and the RFC 4180 one.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "check.h"
#include "reference/registry_reference.h"
#include "registry/csv_reader.h"

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
    return 0;
}
