// The listing readers against the tests' deliberately plain reference readers
// (one character at a time, one map assignment per line): both must
// give the same map and the same reports for the embedded listing and for
// thousands of generated texts full of quotes, commas and line-ending debris.

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "reference/registry_reference.h"
#include "registry/csv_line_reader.h"
#include "registry/csv_record_reader.h"
#include "registry/resource.h"

namespace hexalune {
namespace {

// By lines, then (`records`) by RFC 4180 records.
::testing::AssertionResult same_result(const std::string& text, bool records = false) {
    std::ostringstream report;
    const hexalune_reference::Listing expected =
        records ? hexalune_reference::parse_records(text, kListingRecordLimit)
                : hexalune_reference::parse(text);
    const RegistryMap got =
        records ? parse_registry_listing(text, report) : parse_oui_database(text, report);
    if (report.str() != expected.report) {
        return ::testing::AssertionFailure()
               << "reports differ: " << report.str() << " vs " << expected.report;
    }
    if (!hexalune_reference::same_registry(got, expected.registry)) {
        return ::testing::AssertionFailure() << "records differ: " << got.size() << " records, "
                                             << expected.registry.size() << " expected";
    }
    return records ? ::testing::AssertionSuccess() : same_result(text, true);
}

TEST(CsvReaderDifferential, EmbeddedListing) { EXPECT_TRUE(same_result(load_resource_data())); }

TEST(CsvReaderDifferential, SplitMatchesOnGeneratedLines) {
    std::mt19937 random(7);
    const char alphabet[] = {'a', 'B', '0', ',', ',', '"', '"', '\r', ' ', '\t', '\xc3', '\0'};
    for (int i = 0; i < 20000; ++i) {
        std::string line(random() % 24, ' ');
        for (char& c : line) c = alphabet[random() % sizeof alphabet];
        ASSERT_EQ(split_csv_line(line), hexalune_reference::csv_fields(line)) << line;
    }
}

TEST(CsvReaderDifferential, GeneratedListings) {
    std::mt19937 random(2026);
    // Pieces that make real-looking rows, quoting trouble and short lines.
    const std::vector<std::string> pieces = {
        "MA-L,", "MA-L,", "00801", "0",         "A",      ",",      ",",
        "\"",    "\"\"",  "Name",  "Co., Ltd.", " ",      "\t",     "\r",
        "\r\n",  "\n",    "\n",    "\xc3\xa9",  "ACDE48", "080030", ",,,"};
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        const int count = static_cast<int>(random() % 60);
        for (int p = 0; p < count; ++p) text += pieces[random() % pieces.size()];
        ASSERT_TRUE(same_result(text)) << "text: " << text;
    }
    // Keys that sort tricky: a prefix of another, with NUL bytes, eight bytes
    // long and differing only in the last, longer than eight bytes, the same
    // key quoted and unquoted; 30 rows of 13 keys, so that later rows replace
    // earlier ones; lines longer than 64 KiB, and about as long as a record
    // may be; quotes left open.
    const std::string nul(1, '\0');
    const std::string header = "Registry,Assignment,Organization Name,Organization Address\r\n";
    const std::vector<std::string> keys = {
        "AB",        "AB" + nul,   "AB" + nul + nul, "A",    "",       "ABCDEFGH",     "ABCDEFGA",
        "ABCDEFGHI", "ABCDEFGHIJ", "ABCDEFGHIJK",    "\xff", "\"AB\"", "\"ABCDEFGHI\""};
    for (int i = 0; i < 300; ++i) {
        std::string text = header;
        for (int row = 0; row < 30; ++row) {
            const std::string& key = keys[random() % keys.size()];
            const std::size_t length =
                random() % 2 ? 70000 : kListingRecordLimit - 40 + random() % 64;
            const std::string organization =
                random() % 8 == 0 ? std::string(length, 'x') : "Org " + std::to_string(row);
            const char* street = random() % 16 == 0 ? ",\"Unclosed " : ",Street ";
            text += "MA-L," + key + ",\"" + organization + "\"" + street + std::to_string(row) +
                    " \r\n";
        }
        ASSERT_TRUE(same_result(text)) << text.substr(0, 2000);
    }
}

}  // namespace
}  // namespace hexalune
