#include "registry/csv_reader.h"

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
        {"a", {"a"}},
        {"a,", {"a", ""}},
        {",", {"", ""}},
        {"a,b,c,d,e", {"a", "b", "c", "d", "e"}},
        {" a , b ", {" a ", " b "}},  // never trimmed
        {"MA-L,286FB9,\"Nokia Shanghai Bell Co., Ltd.\",\"No.388 Ning Qiao Road,Jin Qiao \"",
         {"MA-L", "286FB9", "Nokia Shanghai Bell Co., Ltd.", "No.388 Ning Qiao Road,Jin Qiao "}},
        // A doubled quote inside quotes is one literal quote.
        {"MA-L,1,\"UAB \"\"Teltonika Telematics\"\"\",x",
         {"MA-L", "1", "UAB \"Teltonika Telematics\"", "x"}},
        {"\"\"\"\"", {"\""}},
        {"\"\",x", {"", "x"}},
        // A quote toggles wherever it stands; text around a quoted part stays.
        {"ab\"c,d\"e,f", {"abc,de", "f"}},
        // Never closed: the rest of the line, commas included, is the field's.
        {"a,\"b,c,d", {"a", "b,c,d"}},
        {"a,\"b\"\"", {"a", "b\""}},
        {"a\tb,\xc3\xa9\r", {"a\tb", "\xc3\xa9\r"}},  // bytes pass through untouched
    };
    for (const auto& c : cases) EXPECT_EQ(split_csv_line(c.line), c.fields) << c.line;
}

struct ParseOutcome {
    RegistryMap registry;
    std::string report;
};

ParseOutcome parse(const std::string& text) {
    std::ostringstream report;
    RegistryMap registry = parse_oui_database(text, report);
    return {registry, report.str()};
}

const char kHeader[] = "Registry,Assignment,Organization Name,Organization Address\r\n";

TEST(ParseOuiDatabase, CrLfLineKeepsTheListingsTrailingSpace) {
    const ParseOutcome got = parse(std::string(kHeader) +
                                   "MA-L,10E992,INGRAM MICRO SERVICES,100 CHEMIN DE BAILLOT "
                                   "MONTAUBAN  FR 82000 \r\n");
    ASSERT_EQ(got.registry.size(), 1u);
    const OUIInfo& r = got.registry.at("10E992");
    EXPECT_EQ(r.assignment, "10E992");
    EXPECT_EQ(r.organization, "INGRAM MICRO SERVICES");
    EXPECT_EQ(r.address, "100 CHEMIN DE BAILLOT MONTAUBAN  FR 82000 ");
    EXPECT_EQ(r.note, "");
    EXPECT_EQ(got.report, "");
}

TEST(ParseOuiDatabase, QuotedFieldsAndExtraFields) {
    const ParseOutcome got =
        parse(std::string(kHeader) +
              "MA-L,286FB9,\"Nokia Shanghai Bell Co., Ltd.\",\"No.388, Shanghai \"\r\n"
              "MA-L,000001,\"UAB \"\"Teltonika Telematics\"\"\",Vilnius \r\n"
              "MA-L,000002,Five,Fields ,extra\r\n");
    EXPECT_EQ(got.report, "");
    EXPECT_EQ(got.registry.at("286FB9").organization, "Nokia Shanghai Bell Co., Ltd.");
    EXPECT_EQ(got.registry.at("286FB9").address, "No.388, Shanghai ");
    EXPECT_EQ(got.registry.at("000001").organization, "UAB \"Teltonika Telematics\"");
    EXPECT_EQ(got.registry.at("000002").address, "Fields ");
}

TEST(ParseOuiDatabase, LastRecordOfAnAssignmentWins) {
    const ParseOutcome got = parse(std::string(kHeader) +
                                   "MA-L,080030,NETWORK RESEARCH CORPORATION,OXNARD \r\n"
                                   "MA-L,ABCDEF,Other,Else \r\n"
                                   "MA-L,080030,ROYAL MELBOURNE INST OF TECH,MELBOURNE \r\n"
                                   "MA-L,080030,CERN,GENEVE \r\n");
    ASSERT_EQ(got.registry.size(), 2u);
    EXPECT_EQ(got.registry.at("080030").organization, "CERN");
    EXPECT_EQ(got.registry.at("080030").address, "GENEVE ");
}

TEST(ParseOuiDatabase, ShortLinesAreReportedAndSkipped) {
    const ParseOutcome got = parse(std::string(kHeader) +
                                   "MA-L,000001,One,Here \r\n"
                                   "\r\n"                           // line 3: empty
                                   "MA-L,000002,Two fields only\n"  // line 4: three fields
                                   "MA-L,\"000003,x,y\",z\n"        // line 5: quotes hide commas
                                   "MA-L,000004,Four,There \r\n");
    EXPECT_EQ(got.report,
              "Error parsing line 3: Insufficient data columns in CSV\n"
              "Error parsing line 4: Insufficient data columns in CSV\n"
              "Error parsing line 5: Insufficient data columns in CSV\n");
    ASSERT_EQ(got.registry.size(), 2u);
    EXPECT_EQ(got.registry.at("000004").organization, "Four");
}

TEST(ParseOuiDatabase, TextsWithoutRecords) {
    for (const std::string& text : {std::string(), std::string(kHeader),
                                    std::string("Registry,Assignment"), std::string("\n")}) {
        const ParseOutcome got = parse(text);
        EXPECT_TRUE(got.registry.empty()) << text;
        EXPECT_EQ(got.report, "") << text;
    }
}

TEST(ParseOuiDatabase, LineEndings) {
    // No final line feed: the last line still counts.
    EXPECT_EQ(parse("h\nMA-L,000001,A,B").registry.at("000001").address, "B");
    // LF only.
    EXPECT_EQ(parse("h\nMA-L,000001,A,B \nMA-L,000002,C,D \n").registry.size(), 2u);
    // Only the CR of a line ending goes; a CR inside a line is data.
    EXPECT_EQ(parse("h\r\nMA-L,000001,A\rB,C\r\r\n").registry.at("000001").address, "C\r");
    EXPECT_EQ(parse("h\r\nMA-L,000001,A\rB,C\r\r\n").registry.at("000001").organization, "A\rB");
    // Unbalanced quote: the rest of the line belongs to the field.
    EXPECT_EQ(parse("h\nMA-L,000001,\"A,B,C\nMA-L,000002,x,y\n").report,
              "Error parsing line 2: Insufficient data columns in CSV\n");
    EXPECT_EQ(parse("h\nMA-L,000001,A,\"B,C\r\n").registry.at("000001").address, "B,C");
}

}  // namespace
}  // namespace hexalune
