// The listing reader: split_csv_line on the whole input as one line, and
// parse_oui_database on the input as a listing, both compared with the
// tests' plain character-by-character reference reader.

#include <cstddef>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "check.h"
#include "reference/csv_reference.h"
#include "registry/csv_reader.h"

namespace {

// Commas outside quotes, by the same quote rules.
std::size_t unquoted_commas(const std::string& line) {
    std::size_t commas = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (line[i] == ',' && !quoted) {
            ++commas;
        }
    }
    return commas;
}

bool same_record(const hexalune::OUIInfo& a, const hexalune::OUIInfo& b) {
    return a.assignment == b.assignment && a.organization == b.organization &&
           a.address == b.address && a.note == b.note;
}

// Every report line reads "Error parsing line N: Insufficient data columns
// in CSV" with N from 2 upwards, strictly increasing.
void check_report_lines(const std::string& report) {
    std::istringstream lines(report);
    std::string line;
    long previous = 1;
    const std::string prefix = "Error parsing line ";
    const std::string suffix = ": Insufficient data columns in CSV";
    while (std::getline(lines, line)) {
        FUZZ_CHECK(line.compare(0, prefix.size(), prefix) == 0);
        FUZZ_CHECK(line.size() > prefix.size() + suffix.size());
        FUZZ_CHECK(line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0);
        const std::string number =
            line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
        FUZZ_CHECK(number.find_first_not_of("0123456789") == std::string::npos);
        FUZZ_CHECK(number[0] != '0');
        const long n = std::stol(number);
        FUZZ_CHECK(n > previous);
        previous = n;
    }
    FUZZ_CHECK(report.empty() || report.back() == '\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string> fields = hexalune::split_csv_line(text);
    FUZZ_CHECK(fields.size() == unquoted_commas(text) + 1);
    FUZZ_CHECK(fields == hexalune_reference::csv_fields(text));

    std::ostringstream report;
    const hexalune::RegistryMap registry = hexalune::parse_oui_database(text, report);
    const hexalune_reference::Listing expected = hexalune_reference::parse(text);

    check_report_lines(report.str());
    FUZZ_CHECK(report.str() == expected.report);
    FUZZ_CHECK(registry.size() == expected.registry.size());
    // The second fields of the lines long enough to be records.
    std::set<std::string> held;
    for (const std::string& line : hexalune_reference::record_lines(text)) {
        const std::vector<std::string> f = hexalune_reference::csv_fields(line);
        if (f.size() >= 4) held.insert(f[1]);
    }
    for (const auto& [key, record] : registry) {
        // Every record sits under its own assignment, which some line holds.
        FUZZ_CHECK(record.assignment == key);
        FUZZ_CHECK(held.count(key) == 1);
        const auto found = expected.registry.find(key);
        FUZZ_CHECK(found != expected.registry.end() && same_record(record, found->second));
    }
    return 0;
}
