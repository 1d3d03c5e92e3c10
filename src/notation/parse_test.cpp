#include "notation/parse.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "reference/notation_reference.h"

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

TEST(ParseIdentifier, EveryFormAndNothingElse) {
    using T = InputType;
    const struct {
        std::string text;
        InputType type;
        std::string hex;  // "": rejected
    } cases[] = {
        {"00-80-10-a4-00-0C", T::kEui48, "008010a4000c"},
        {"00:80:10:FF:FE:A4:00:0c", T::kEui64, "008010fffea4000c"},
        {"00-80-10-ff-fe-a4-00-0c", T::kEui64, "008010fffea4000c"},
        {"0080.10FF.FEA4.000c", T::kEui64, "008010fffea4000c"},
        {"008010fffeA4000C", T::kEui64, "008010fffea4000c"},
        {"00:80:1A", T::kOui, "00801a"},
        {"0080Ab", T::kOui, "0080ab"},
        // One-digit groups, or a zone, make eight groups IPv6 text.
        {"0:80:10:ff:fe:a4:0:c", T::kIpv6, "00000080001000ff00fe00a40000000c"},
        {"00:80:10:ff:fe:a4:00:0c%1", T::kIpv6, "00000080001000ff00fe00a40000000c"},
        {"::", T::kIpv6, "00000000000000000000000000000000"},
        {"fe80::280:10ff:fea4:c%eth0", T::kIpv6, "fe80000000000000028010fffea4000c"},
        {"FE80:0:0:0:0:0:0:1", T::kIpv6, "fe800000000000000000000000000001"},
        {"::ffff:192.0.2.255", T::kIpv6, "00000000000000000000ffffc00002ff"},
        {"1:2:3:4:5:6:1.2.3.4", T::kIpv6, "00010002000300040005000601020304"},
        {"::0.0.0.0", T::kIpv6, "00000000000000000000000000000000"},
        {"1::", T::kIpv6, "00010000000000000000000000000000"},
        {"::1", T::kIpv6, "00000000000000000000000000000001"},
        {"1:2:3:4:5:6:7::", T::kIpv6, "00010002000300040005000600070000"},
        {"", {}, ""},
        {"00:80:10:ff-fe:a4:00:0c", {}, ""},  // mixed separators
        {"00:80:10:ff:fe:a4:00", {}, ""},
        {"00-80-10-ff-fe-a4-00-0c-01", {}, ""},
        {"00:80:10:ff:fe:a4:00:0c:01", {}, ""},
        {"00:80-10", {}, ""},
        {"0080.10", {}, ""},
        {" ::1", {}, ""},
        {"1:2:3:4:5:6:7:8::", {}, ""},
        {"1::2:3:4:5:6:7:8", {}, ""},  // "::" for no group
        {"1::2::3", {}, ""},
        {":::", {}, ""},
        {":1:2:3:4:5:6:7", {}, ""},
        {"1:2:3:4:5:6:7:", {}, ""},
        {"12345::", {}, ""},
        {"::g", {}, ""},
        {"::1.02.3.4", {}, ""},
        {"::256.1.1.1", {}, ""},
        {"::1.2.3", {}, ""},
        {"::1.2.3.4:5", {}, ""},
        {"1.2.3.4::", {}, ""},
        {"1:2:3:4:5:6::1.2.3.4", {}, ""},
        {"1:2:3:4:5:6:7:1.2.3.4", {}, ""},
        {"fe80::1%", {}, ""},
        {"fe80::1%eth 0", {}, ""},
    };
    Bytes bytes;
    bytes.reserve(16);
    const std::uint8_t* const storage = bytes.data();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        InputType type{};
        const bool read = parse_identifier(c.text, type, bytes);
        const std::optional<Bytes> expected = hexalune_reference::parse_identifier(c.text);
        ASSERT_EQ(read, !c.hex.empty());
        ASSERT_EQ(expected.has_value(), read);
        if (!read) continue;
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(bytes.data(), storage);
        EXPECT_EQ(hexalune_reference::joined(bytes, 0), c.hex);
        EXPECT_EQ(bytes, *expected);
    }
}
}  // namespace
}  // namespace hexalune
