// The OUI section end to end: the listing carried in the executable, looked
// up for addresses of every kind, compared byte for byte with what the
// listing file itself says.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>

#include "expected.h"
#include "process.h"
#include "reference/registry_reference.h"

namespace hexalune_test {
namespace {

void expect_run(const std::string& text) {
    const Outcome got = run_with_argument(text);
    const Expected expected = expected_run(text);
    EXPECT_EQ(got.exit_status, 0) << text;
    EXPECT_EQ(got.out, kBanner + expected.out) << text;
    EXPECT_EQ(got.err, expected.err) << text;
}

// Sections written out, in case the program and the reference reader agree
// on something wrong: a key typed in mixed case with an empty address
// column, and the last of three rows of one assignment; when there is none,
// the not-found line goes to standard error, and the run still succeeds.
TEST(Registry, SectionsWrittenOut) {
    const struct {
        const char* text;
        const char* section;  // "": not found
    } cases[] = {
        {"aC:dE:48:00:00:80",
         "OUI information:\n"
         "Assignment: ACDE48\n"
         "Organization: Private\n"
         "Address: \n"
         "----------------\n"},
        {"08:00:30:12:34:56",
         "OUI information:\n"
         "Assignment: 080030\n"
         "Organization: CERN\n"
         "Address: CH-1211  GENEVE SUISSE/SWITZ CH 023 \n"
         "----------------\n"},
        {"12:34:56:78:9A:BC", ""},
    };
    for (const auto& c : cases) {
        const Outcome got = run_with_argument(c.text);
        EXPECT_EQ(got.exit_status, 0) << c.text;
        EXPECT_EQ(got.out, kBanner + expected_address_report(c.text) + c.section) << c.text;
        EXPECT_EQ(got.err, *c.section ? "" : kNotFound) << c.text;
    }
}

// Hundreds of addresses: the extremes, every row with doubled quotes or
// tabs, rows with bytes above 0x7F, duplicated assignments, a random
// sample, and prefixes the listing lacks, each typed in random case.
TEST(Registry, SampledAddressesMatchTheListing) {
    std::mt19937 random(20261208);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    auto address = [&](const std::string& prefix) {
        static const char kDigits[] = "0123456789abcdef";
        std::string text;
        for (std::size_t i = 0; i < 12; ++i) {
            char c = i < prefix.size() ? prefix[i] : kDigits[pick(16)];
            if (c >= 'A' && c <= 'F' && pick(2) == 0) c = static_cast<char>(c - 'A' + 'a');
            if (c >= 'a' && c <= 'f' && pick(2) == 0) c = static_cast<char>(c - 'a' + 'A');
            if (i != 0 && i % 2 == 0) text += ':';
            text += c;
        }
        return text;
    };

    const auto& lines = listing_lines();
    const auto assignment = [&](std::size_t i) {
        return hexalune_reference::csv_fields(lines[i])[1];
    };
    std::set<std::string> prefixes = {"080030", "0001C8", "ACDE48"};
    int quotes = 0, tabs = 0, high = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.find("\"\"") != std::string::npos && quotes++ < 40) prefixes.insert(assignment(i));
        if (line.find('\t') != std::string::npos && tabs++ < 40) prefixes.insert(assignment(i));
        bool above = false;
        for (unsigned char c : line) above = above || c >= 0x80;
        if (above && high++ % 50 == 0) prefixes.insert(assignment(i));
    }
    while (prefixes.size() < 200) prefixes.insert(assignment(pick(static_cast<int>(lines.size()))));
    std::vector<std::string> texts = {"FF:FF:FF:FF:FF:FF", "00:00:00:00:00:00",
                                      "02:00:00:00:00:01"};
    for (const std::string& prefix : prefixes) texts.push_back(address(prefix));
    for (int absent = 0; absent < 40;) {
        const std::string text = address("");
        if (listing_registry().count(hexalune_reference::lookup_key(text)) == 0) {
            texts.push_back(text);
            ++absent;
        }
    }
    for (const std::string& text : texts) expect_run(text);
}

// The build named by the environment variable `name`, or `fallback`.
std::string variant(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : fallback;
}

// Builds that carry no listing, or an empty one: the address report is
// complete, then the failure to obtain the listing, and status 2.
TEST(Registry, BuildsWithoutAUsableListing) {
    const struct {
        std::string program;
        const char* address;
        const char* error;
    } cases[] = {
        {variant("HEXALUNE_EXE_WITHOUT_LISTING", HEXALUNE_EXE_WITHOUT_LISTING), "00:80:10:A4:00:0C",
         "Error: Failed to find resource.\n"},
        {variant("HEXALUNE_EXE_EMPTY_LISTING", HEXALUNE_EXE_EMPTY_LISTING), "ac:de:48:00:00:80",
         "Error: Failed to get resource size.\n"},
    };
    for (const auto& c : cases) {
        Invocation run;
        run.program = c.program;
        run.args = {c.address};
        const Outcome got = run_hexalune(run);
        EXPECT_EQ(got.exit_status, 2) << c.program;
        EXPECT_EQ(got.out, kBanner + expected_address_report(c.address)) << c.program;
        EXPECT_EQ(got.err, c.error) << c.program;
    }
}

}  // namespace
}  // namespace hexalune_test
