// The listing reader on listings that are damaged, truncated or written with
// other line endings: each gives exactly the records and reports below, and
// none stops the parse.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "registry/csv_reader.h"

namespace hexalune {
namespace {

struct Record {
    std::string assignment, organization, address;
};

struct MalformedCase {
    const char* label;
    std::string text;
    std::vector<Record> records;  // the whole map, in key order
    std::string report;
};

std::string reports(std::initializer_list<int> lines) {
    std::string out;
    for (int line : lines) {
        out +=
            "Error parsing line " + std::to_string(line) + ": Insufficient data columns in CSV\n";
    }
    return out;
}

const std::string kHeader = "Registry,Assignment,Organization Name,Organization Address";

std::vector<MalformedCase> malformed_cases() {
    return {
        {"empty text", "", {}, ""},
        {"header only, CR LF", kHeader + "\r\n", {}, ""},
        {"header only, no line feed", kHeader, {}, ""},
        {"line feed only", "\n", {}, ""},
        {"header, then one empty line", kHeader + "\r\n\r\n", {}, reports({2})},
        {"one, two and three fields",
         kHeader + "\r\nMA-L\r\nMA-L,000001\r\nMA-L,000001,Three Fields\r\nMA-L,000002,Four,F \r\n",
         {{"000002", "Four", "F "}},
         reports({2, 3, 4})},
        {"four empty fields make a record under the empty key",
         kHeader + "\n,,,\n",
         {{"", "", ""}},
         ""},
        {"unbalanced quote in the organization swallows the address",
         kHeader + "\nMA-L,000001,\"Open, Inc,Somewhere \nMA-L,000002,Next,Line \n",
         {{"000002", "Next", "Line "}},
         reports({2})},
        {"unbalanced quote in the address ends with the line",
         kHeader + "\nMA-L,000001,Org,\"Unit 1, Park \r\nMA-L,000002,Next,Line \r\n",
         {{"000001", "Org", "Unit 1, Park "}, {"000002", "Next", "Line "}},
         ""},
        {"unbalanced quote in the header",
         "Registry,\"Assignment\n"
         "MA-L,000001,A,B\n",
         {{"000001", "A", "B"}},
         ""},
        {"no final line feed",
         kHeader + "\r\nMA-L,000001,A,B \r\nMA-L,000002,C,D ",
         {{"000001", "A", "B "}, {"000002", "C", "D "}},
         ""},
        {"no final line feed, final carriage return",
         kHeader + "\r\nMA-L,000001,A,B \r",
         {{"000001", "A", "B "}},
         ""},
        // Lines end at LF only: a CR-only listing is one long header line.
        {"CR-only line endings", kHeader + "\rMA-L,000001,A,B \rMA-L,000002,C,D \r", {}, ""},
        {"LF-only line endings",
         kHeader + "\nMA-L,000001,A,B \nMA-L,000002,C,D \n",
         {{"000001", "A", "B "}, {"000002", "C", "D "}},
         ""},
        {"mixed line endings",
         kHeader + "\nMA-L,000001,A,B \r\nMA-L,000002,C,D \n",
         {{"000001", "A", "B "}, {"000002", "C", "D "}},
         ""},
        {"CR CR LF keeps one CR",
         kHeader + "\nMA-L,000001,A,B \r\r\n",
         {{"000001", "A", "B \r"}},
         ""},
        // The byte-order mark belongs to the header, which is never looked at.
        {"byte-order mark before the header",
         "\xef\xbb\xbf" + kHeader + "\r\nMA-L,000001,A,B \r\n",
         {{"000001", "A", "B "}},
         ""},
        {"byte-order mark before a record (the registry field is not read)",
         kHeader + "\r\n\xef\xbb\xbfMA-L,000001,A,B \r\n",
         {{"000001", "A", "B "}},
         ""},
        {"empty lines at the end",
         kHeader + "\r\nMA-L,000001,A,B \r\n\r\n\n",
         {{"000001", "A", "B "}},
         reports({3, 4})},
        {"NUL bytes and high bytes pass through",
         kHeader + "\nMA-L,000001," + std::string("A\0B", 3) + ",\xff\xc3\xa9\x80\n",
         {{"000001", std::string("A\0B", 3), "\xff\xc3\xa9\x80"}},
         ""},
        {"a line feed inside quotes still ends the line",
         kHeader + "\nMA-L,000001,\"A\nB\",C,D\n",
         {},
         reports({2, 3})},
    };
}

TEST(MalformedListing, ExactRecordsAndReports) {
    for (const MalformedCase& c : malformed_cases()) {
        std::ostringstream report;
        const RegistryMap registry = parse_oui_database(c.text, report);
        EXPECT_EQ(report.str(), c.report) << c.label;
        ASSERT_EQ(registry.size(), c.records.size()) << c.label;
        auto it = registry.begin();
        for (const Record& r : c.records) {
            EXPECT_EQ(it->first, r.assignment) << c.label;
            EXPECT_EQ(it->second.assignment, r.assignment) << c.label;
            EXPECT_EQ(it->second.organization, r.organization) << c.label;
            EXPECT_EQ(it->second.address, r.address) << c.label;
            EXPECT_EQ(it->second.note, "") << c.label;
            ++it;
        }
    }
}

TEST(MalformedListing, LongLinesAndManyBadLines) {
    // A megabyte-long field, and line numbers well past 16 bits.
    const std::string huge(1 << 20, 'x');
    std::string text = kHeader + "\nMA-L,000001," + huge + "," + huge + "\n";
    text += std::string(70000, '\n');
    text += "MA-L,000002,A,B\n";
    std::ostringstream report;
    const RegistryMap registry = parse_oui_database(text, report);
    ASSERT_EQ(registry.size(), 2u);
    EXPECT_EQ(registry.at("000001").organization, huge);
    EXPECT_EQ(registry.at("000001").address, huge);
    EXPECT_EQ(registry.at("000002").address, "B");
    const std::string reported = report.str();
    EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 70000);
    EXPECT_EQ(reported.substr(0, reported.find('\n') + 1), reports({3}));
    EXPECT_EQ(reported.substr(reported.rfind('\n', reported.size() - 2) + 1), reports({70002}));
}

}  // namespace
}  // namespace hexalune
