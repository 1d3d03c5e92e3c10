#include "notation/parse.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace hexalune {
namespace {

struct SplitCase {
    const char* text;
    std::vector<std::string> pieces;
};

TEST(Split, PiecesAtEveryDelimiter) {
    const SplitCase cases[] = {
        {"a::b", {"a", "", "b"}},
        {"a:", {"a"}},
        {":a", {"", "a"}},
        {"", {}},
        {":", {""}},
        {"::", {"", ""}},
        {"abc", {"abc"}},
        {"00:80:10:A4:00:0C:", {"00", "80", "10", "A4", "00", "0C"}},
    };
    for (const SplitCase& c : cases) EXPECT_EQ(split(c.text, ':'), c.pieces) << c.text;
}

struct ParseCase {
    const char* text;
    Bytes bytes;
};

TEST(ParseMac, AcceptedForms) {
    const ParseCase cases[] = {
        {"00:80:10:A4:00:0C", {0x00, 0x80, 0x10, 0xa4, 0x00, 0x0c}},
        {"00:80:10:a4:00:0c", {0x00, 0x80, 0x10, 0xa4, 0x00, 0x0c}},
        {"1:2:3:4:5:6", {0x01, 0x02, 0x03, 0x04, 0x05, 0x06}},
        {"008010A4000C", {0x00, 0x80, 0x10, 0xa4, 0x00, 0x0c}},
        {"00:80:10:A4:00:0C:", {0x00, 0x80, 0x10, 0xa4, 0x00, 0x0c}},
        {"FF:ff:Ff:fF:00:09", {0xff, 0xff, 0xff, 0xff, 0x00, 0x09}},
    };
    for (const ParseCase& c : cases) EXPECT_EQ(parse_mac(c.text), c.bytes) << c.text;
}

TEST(ParseMac, RejectsEverythingElseWithTheFormatError) {
    const char* const cases[] = {
        "100:2:3:4:5:6",      // three digits: never truncated to the low byte
        "-1:2:3:4:5:6",       // sign
        "+1:2:3:4:5:6",       // sign
        "0x1:2:3:4:5:6",      // prefix
        " 1:2:3:4:5:6",       // leading white space
        "1 :2:3:4:5:6",       // trailing white space in a group
        "00:11:22:333",       // twelve characters but not twelve digits
        "00-80-10-A4-00-0C",  // one piece of 17 characters
        "00:80:10:A4:00",     // five groups
        "00:80:10:A4:00:0C:0D",
        "00:80:10:A4:00:0C::",
        "::::1:2",  // empty groups
        "g0:80:10:A4:00:0C",
        "008010A4000G",
        "008010A4000",
        "",
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
        {"00:80:10:A4:00:0C", true},       {"00:80:10:a4:00:0C", true},
        {"ff:ff:ff:ff:ff:ff", true},       {"0:80:10:A4:00:0C", false},
        {"00:80:10:A4:00:0C:", false},     {"00:80:10:A4:00", false},
        {"00.80.10.A4.00.0C", false},      {"00-80-10-A4-00-0C", false},
        {"008010A4000C", false},           {"", false},
        {" 00:80:10:A4:00:0C", false},     {"00:80:10:A4:00:0C ", false},
        {"00:80:10:A4:00:0C\n", false},    {std::string("00:80:10:A4:00:0C\0", 18), false},
        {"00:80:10:A4:00:0G", false},      {"00::80:10:A4:00:0", false},
        {std::string(100000, '0'), false},
    };
    for (const auto& c : cases) EXPECT_EQ(is_valid_mac(c.text), c.valid) << c.text.substr(0, 40);
}

TEST(IsValidMac, AcceptedTextAlwaysParses) {
    for (const char* text : {"00:80:10:A4:00:0C", "ac:de:48:00:00:80", "Ff:00:aB:cD:eF:01"}) {
        ASSERT_TRUE(is_valid_mac(text));
        EXPECT_EQ(parse_mac(text).size(), 6u);
    }
}

}  // namespace
}  // namespace hexalune
