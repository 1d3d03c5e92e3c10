#include "notation/parse.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace hexalune {
namespace {

// split is checked by its fuzz target, whose properties fix its result.

struct ParseCase {
    const char* text;
    Bytes bytes;
};

TEST(ParseMac, AcceptedForms) {
    const ParseCase cases[] = {
        {"FF:ff:Ff:fF:00:09", {0xff, 0xff, 0xff, 0xff, 0x00, 0x09}},
        {"1:2:3:4:5:6", {0x01, 0x02, 0x03, 0x04, 0x05, 0x06}},
        {"008010A4000C", {0x00, 0x80, 0x10, 0xa4, 0x00, 0x0c}},
        {"00:80:10:A4:00:0C:", {0x00, 0x80, 0x10, 0xa4, 0x00, 0x0c}},
    };
    for (const ParseCase& c : cases) EXPECT_EQ(parse_mac(c.text), c.bytes) << c.text;
}

TEST(ParseMac, RejectsEverythingElseWithTheFormatError) {
    const char* const cases[] = {
        "100:2:3:4:5:6",   // three digits: never truncated to the low byte
        "-1:2:3:4:5:6",    // sign
        "+1:2:3:4:5:6",    // sign
        "0x1:2:3:4:5:6",   // prefix
        " 1:2:3:4:5:6",    // leading white space
        "1 :2:3:4:5:6",    // trailing white space in a group
        "00:11:22:333",    // twelve characters but not twelve digits
        "00:80:10:A4:00",  // five groups
        "00:80:10:A4:00:0C:0D",
        "00:80:10:A4:00:0C::",
        "::::1:2",  // empty groups
        "g0:80:10:A4:00:0C",
        "008010A4000G",
        "008010A4000",
    };
    for (const char* text : cases) {
        try {
            parse_mac(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "Invalid MAC address format") << text;
        }
    }
}

TEST(IsValidMac, OnlySixColonSeparatedPairs) {
    const struct {
        std::string text;
        bool valid;
    } cases[] = {
        {"00:80:10:a4:00:0C", true},
        // What parse_mac accepts but the program does not.
        {"0:80:10:A4:00:0C", false},
        {"00:80:10:A4:00:0C:", false},
        {"008010A4000C", false},
        // Seventeen characters, but not six pairs.
        {"00-80-10-A4-00-0C", false},
        {"00:80:10:A4:00:0G", false},
        {"00::80:10:A4:00:0", false},
        {"00:80:10:A4:00:0C ", false},
        {std::string("00:80:10:A4:00:0C\0", 18), false},
        {"", false},
        {std::string(100000, '0'), false},  // never handed to the backtracking matcher
    };
    for (const auto& c : cases) EXPECT_EQ(is_valid_mac(c.text), c.valid) << c.text.substr(0, 40);
}

}  // namespace
}  // namespace hexalune
