#include "registry/lookup.h"

#include <gtest/gtest.h>

namespace hexalune {
namespace {

TEST(StripSubstring, RemovesEveryOccurrence) {
    const struct {
        const char* text;
        const char* substring;
        const char* result;
    } cases[] = {
        {"00:80:10", ":", "008010"},
        {"00:80:10:A4:00:0C", ":", "008010A4000C"},
        {"aabb", "ab", ""},  // removing one occurrence makes the next
        {"ababa", "aba", "ba"},
        {"aaa", "aa", "a"},
        {"xaabby", "ab", "xy"},
        {"abc", "", "abc"},  // an empty substring changes nothing
        {"", ":", ""},
        {"::::", ":", ""},
        {"abc", "abcd", "abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(stripSubstring(c.text, c.substring), c.result) << c.text << " - " << c.substring;
    }
}

TEST(LookupOuiInfo, KeyIsTheFirstSixDigitsInUpperCase) {
    RegistryMap registry;
    registry["008010"] = {"008010", "COMMODORE INTERNATIONAL", "WEST CHESTER ", ""};
    registry["ACDE48"] = {"ACDE48", "Private", "", ""};
    EXPECT_EQ(lookup_oui_info("00:80:10:A4:00:0C", registry).organization,
              "COMMODORE INTERNATIONAL");
    for (const char* text : {"AC:DE:48:00:00:80", "ac:de:48:00:00:80", "aC:De:48:12:34:56"}) {
        const OUIInfo found = lookup_oui_info(text, registry);
        EXPECT_EQ(found.assignment, "ACDE48") << text;
        EXPECT_EQ(found.organization, "Private") << text;
        EXPECT_EQ(found.address, "") << text;
    }
    // The bytes give the key whatever the text's groups looked like.
    EXPECT_EQ(lookup_oui_info(Bytes{0xac, 0xde, 0x48, 0, 0, 0x80}, registry).organization,
              "Private");
    EXPECT_EQ(lookup_oui_info(Bytes{0x00, 0x80, 0x10, 0xa4, 0, 0x0c}, registry).assignment,
              "008010");
    EXPECT_EQ(lookup_oui_info(Bytes{0x00, 0x80}, registry).assignment, "");
    for (const char* text : {"12:34:56:00:00:00", "", "AC:DE", "00801"}) {
        const OUIInfo missing = lookup_oui_info(text, registry);
        EXPECT_EQ(missing.assignment, "") << text;
        EXPECT_EQ(missing.organization, "") << text;
    }
}

}  // namespace
}  // namespace hexalune
