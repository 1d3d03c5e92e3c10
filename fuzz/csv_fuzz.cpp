// The listing reader: split_csv_line on the whole input as one line, and
// parse_oui_database on the input as a listing, both compared with the
// tests' plain character-by-character reference reader.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "check.h"
#include "reference/registry_reference.h"
#include "registry/csv_reader.h"

namespace {

bool same_record(const hexalune::OUIInfo& a, const hexalune::OUIInfo& b) {
    return a.assignment == b.assignment && a.organization == b.organization &&
           a.address == b.address && a.note == b.note;
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
    FUZZ_CHECK(registry.size() == expected.registry.size());
    for (const auto& [key, record] : registry) {
        const auto found = expected.registry.find(key);
        FUZZ_CHECK(found != expected.registry.end() && same_record(record, found->second));
    }
    return 0;
}
