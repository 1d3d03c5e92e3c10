// The line reader on exact texts: the real listing's layout, and listings
// that are damaged, truncated or written with other line endings. Each gives
// exactly the records and reports below, and none stops the parse. (Random
// texts are checked against the reference reader in the differential test.)

#include "registry/csv_line_reader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace hexalune {
namespace {

TEST(SplitCsvLine, Fields) {
    const struct {
        std::string line;
        std::vector<std::string> fields;
    } cases[] = {
        {"", {""}},
        {",", {"", ""}},
        {" a , b ", {" a ", " b "}},  // never trimmed
        {"\"\"\"\"", {"\""}},
        {"\"\",x", {"", "x"}},
        // A quote toggles wherever it stands; text around a quoted part stays.
        {"ab\"c,d\"e,f", {"abc,de", "f"}},
        {"a,\"b\"\"", {"a", "b\""}},
        {"a\tb,\xc3\xa9\r", {"a\tb", "\xc3\xa9\r"}},  // bytes pass through untouched
    };
    for (const auto& c : cases) EXPECT_EQ(split_csv_line(c.line), c.fields) << c.line;
}

struct Record {
    std::string assignment, organization, address;
};

struct ListingCase {
    const char* label;
    std::string text;
    std::vector<Record> records;  // the whole map, in key order
    std::vector<int> bad_lines;   // the lines reported, in order
};

const std::string kHeader = "Registry,Assignment,Organization Name,Organization Address";

std::vector<ListingCase> listing_cases() {
    return {
        {"quoted fields, doubled quotes and a fifth field",
         kHeader + "\r\nMA-L,286FB9,\"Nokia Shanghai Bell Co., Ltd.\",\"No.388, Shanghai \"\r\n" +
             "MA-L,000001,\"UAB \"\"Teltonika Telematics\"\"\",Vilnius \r\n" +
             "MA-L,000002,Five,Fields ,extra\r\n",
         {{"000001", "UAB \"Teltonika Telematics\"", "Vilnius "},
          {"000002", "Five", "Fields "},
          {"286FB9", "Nokia Shanghai Bell Co., Ltd.", "No.388, Shanghai "}},
         {}},
        {"the last record of an assignment wins",
         kHeader + "\r\nMA-L,080030,NETWORK RESEARCH CORPORATION,OXNARD \r\n" +
             "MA-L,ABCDEF,Other,Else \r\nMA-L,080030,ROYAL MELBOURNE INST OF TECH,MELBOURNE \r\n" +
             "MA-L,080030,CERN,GENEVE \r\n",
         {{"080030", "CERN", "GENEVE "}, {"ABCDEF", "Other", "Else "}},
         {}},
        {"empty text", "", {}, {}},
        {"header only, CR LF", kHeader + "\r\n", {}, {}},
        {"header only, no line feed", kHeader, {}, {}},
        {"line feed only", "\n", {}, {}},
        {"one, two and three fields, and quotes that hide commas",
         kHeader + "\r\nMA-L\r\nMA-L,000001\nMA-L,000001,Three Fields\r\nMA-L,\"000003,x,y\",z\n" +
             "MA-L,000002,Four,F \r\n",
         {{"000002", "Four", "F "}},
         {2, 3, 4, 5}},
        {"four empty fields make a record under the empty key",
         kHeader + "\n,,,\n",
         {{"", "", ""}},
         {}},
        {"unbalanced quote in the organization swallows the address",
         kHeader + "\nMA-L,000001,\"Open, Inc,Somewhere \nMA-L,000002,Next,Line \n",
         {{"000002", "Next", "Line "}},
         {2}},
        {"unbalanced quote in the address ends with the line",
         kHeader + "\nMA-L,000001,Org,\"Unit 1, Park \r\nMA-L,000002,Next,Line \r\n",
         {{"000001", "Org", "Unit 1, Park "}, {"000002", "Next", "Line "}},
         {}},
        {"unbalanced quote in the header",
         "Registry,\"Assignment\nMA-L,000001,A,B\n",
         {{"000001", "A", "B"}},
         {}},
        {"no final line feed",
         kHeader + "\r\nMA-L,000001,A,B \r\nMA-L,000002,C,D ",
         {{"000001", "A", "B "}, {"000002", "C", "D "}},
         {}},
        {"no final line feed, final carriage return",
         kHeader + "\r\nMA-L,000001,A,B \r",
         {{"000001", "A", "B "}},
         {}},
        // Lines end at LF only: a CR-only listing is one long header line.
        {"CR-only line endings", kHeader + "\rMA-L,000001,A,B \rMA-L,000002,C,D \r", {}, {}},
        {"mixed line endings",
         kHeader + "\nMA-L,000001,A,B \r\nMA-L,000002,C,D \n",
         {{"000001", "A", "B "}, {"000002", "C", "D "}},
         {}},
        {"only the CR of a line ending goes: CR inside a line, CR CR LF",
         kHeader + "\nMA-L,000001,A\rB,C \r\r\n",
         {{"000001", "A\rB", "C \r"}},
         {}},
        // The byte-order mark belongs to the header, which is never looked at.
        {"byte-order mark before the header",
         "\xef\xbb\xbf" + kHeader + "\r\nMA-L,000001,A,B \r\n",
         {{"000001", "A", "B "}},
         {}},
        {"byte-order mark before a record (the registry field is not read)",
         kHeader + "\r\n\xef\xbb\xbfMA-L,000001,A,B \r\n",
         {{"000001", "A", "B "}},
         {}},
        {"empty lines at the end",
         kHeader + "\r\nMA-L,000001,A,B \r\n\r\n\n",
         {{"000001", "A", "B "}},
         {3, 4}},
        {"NUL bytes and high bytes pass through",
         kHeader + "\nMA-L,000001," + std::string("A\0B", 3) + ",\xff\xc3\xa9\x80\n",
         {{"000001", std::string("A\0B", 3), "\xff\xc3\xa9\x80"}},
         {}},
        {"a line feed inside quotes still ends the line",
         kHeader + "\nMA-L,000001,\"A\nB\",C,D\n",
         {},
         {2, 3}},
    };
}

TEST(ParseOuiDatabase, ExactRecordsAndReports) {
    for (const ListingCase& c : listing_cases()) {
        std::ostringstream report;
        const RegistryMap registry = parse_oui_database(c.text, report);
        std::string expected_report;
        for (int line : c.bad_lines) {
            expected_report += "Error parsing line " + std::to_string(line) +
                               ": Insufficient data columns in CSV\n";
        }
        EXPECT_EQ(report.str(), expected_report) << c.label;
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

}  // namespace
}  // namespace hexalune
