#include "registry/lookup.h"

#include <gtest/gtest.h>

namespace hexalune {
namespace {

// Further texts are checked against the reference by the lookup fuzz target.
TEST(StripSubstring, RemovesEveryOccurrence) {
    const struct {
        const char* text;
        const char* substring;
        const char* result;
    } cases[] = {
        {"00:80:10:A4:00:0C", ":", "008010A4000C"},
        {"aabb", "ab", ""},  // removing one occurrence makes the next
        {"ababa", "aba", "ba"},
        {"aaa", "aa", "a"},
        {"xaabby", "ab", "xy"},
        {"abc", "", "abc"},  // an empty substring changes nothing
    };
    for (const auto& c : cases) {
        EXPECT_EQ(stripSubstring(c.text, c.substring), c.result) << c.text << " - " << c.substring;
    }
}

TEST(LookupOuiInfo, KeyIsTheFirstSixDigitsInUpperCase) {
    RegistryMap registry;
    registry["008010"] = {"008010", "COMMODORE INTERNATIONAL", "WEST CHESTER ", ""};
    registry["ACDE48"] = {"ACDE48", "Private", "", ""};
    const struct {
        const char* text;
        const char* assignment;  // "": not found
    } cases[] = {
        {"00:80:10:A4:00:0C", "008010"},
        {"ac:de:48:00:00:80", "ACDE48"},
        {"aC:De:48:12:34:56", "ACDE48"},
        {"12:34:56:00:00:00", ""},
        {"", ""},
        {"AC:DE", ""},
        {"00801", ""},
    };
    for (const auto& c : cases) {
        const OUIInfo found = lookup_oui_info(c.text, registry);
        EXPECT_EQ(found.assignment, c.assignment) << c.text;
        EXPECT_EQ(found.organization, *c.assignment ? registry.at(c.assignment).organization : "")
            << c.text;
    }
    // The bytes give the key whatever the text's groups looked like.
    EXPECT_EQ(lookup_oui_info(Bytes{0xac, 0xde, 0x48, 0, 0, 0x80}, registry).organization,
              "Private");
    EXPECT_EQ(lookup_oui_info(Bytes{0x00, 0x80, 0x10, 0xa4, 0, 0x0c}, registry).assignment,
              "008010");
    EXPECT_EQ(lookup_oui_info(Bytes{0x00, 0x80}, registry).assignment, "");
}

}  // namespace
}  // namespace hexalune
