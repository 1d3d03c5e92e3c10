#include "notation/eui64.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace hexalune {
namespace {

struct DeriveCase {
    Bytes mac;
    Bytes eui64;
    const char* mac48;
    const char* eui48;
    const char* eui48_ul;
    const char* link_local;
};

TEST(Eui64, DerivedIdentifiers) {
    const DeriveCase cases[] = {
        {{0x00, 0x80, 0x10, 0xa4, 0x00, 0x0c},
         {0x00, 0x80, 0x10, 0xff, 0xfe, 0xa4, 0x00, 0x0c},
         "008010ffffa4000c",
         "008010fffea4000c",
         "028010fffea4000c",
         "fe80::0280:10ff:fea4:000c"},
        // Universal/local bit already set: OR keeps it, the link-local form inverts it.
        {{0x02, 0x00, 0x00, 0x00, 0x00, 0x01},
         {0x02, 0x00, 0x00, 0xff, 0xfe, 0x00, 0x00, 0x01},
         "020000ffff000001",
         "020000fffe000001",
         "020000fffe000001",
         "fe80::0000:00ff:fe00:0001"},
        {{0xff, 0xff, 0xff, 0xff, 0xff, 0xff},
         {0xff, 0xff, 0xff, 0xff, 0xfe, 0xff, 0xff, 0xff},
         "ffffffffffffffff",
         "fffffffffeffffff",
         "fffffffffeffffff",
         "fe80::fdff:ffff:feff:ffff"},
        {{0xac, 0xde, 0x48, 0x00, 0x00, 0x80},
         {0xac, 0xde, 0x48, 0xff, 0xfe, 0x00, 0x00, 0x80},
         "acde48ffff000080",
         "acde48fffe000080",
         "aede48fffe000080",
         "fe80::aede:48ff:fe00:0080"},
        {{0, 0, 0, 0, 0, 0},
         {0, 0, 0, 0xff, 0xfe, 0, 0, 0},
         "000000ffff000000",
         "000000fffe000000",
         "020000fffe000000",
         "fe80::0200:00ff:fe00:0000"},
    };
    for (const DeriveCase& c : cases) {
        SCOPED_TRACE(c.eui48);
        EXPECT_EQ(convert_to_eui64(c.mac), c.eui64);
        EXPECT_EQ(to_contained_mac48(c.mac), c.mac48);
        EXPECT_EQ(to_contained_eui48(c.mac), c.eui48);
        EXPECT_EQ(to_contained_eui48_ul(c.mac), c.eui48_ul);
        EXPECT_EQ(to_ipv6_link_local(c.mac), c.link_local);
    }
}

TEST(Eui64, ContainedFormsRenderEveryInputByte) {
    EXPECT_EQ(to_contained_eui48({0x01, 0x02, 0x03}), "010203fffe");
    EXPECT_EQ(to_contained_mac48({1, 2, 3, 4, 5, 6, 7}), "010203ffff04050607");
}

TEST(Eui64, ShortInputIsRejected) {
    const Bytes five = {1, 2, 3, 4, 5};
    const Bytes two = {1, 2};
    EXPECT_THROW(convert_to_eui64(five), std::invalid_argument);
    EXPECT_THROW(to_ipv6_link_local(five), std::invalid_argument);
    EXPECT_THROW(to_ipv6_link_local({}), std::invalid_argument);
    EXPECT_THROW(to_contained_mac48(two), std::invalid_argument);
    EXPECT_THROW(to_contained_eui48(two), std::invalid_argument);
    EXPECT_THROW(to_contained_eui48_ul({}), std::invalid_argument);
    try {
        convert_to_eui64(five);
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "convert_to_eui64 needs at least 6 bytes, got 5");
    }
}

}  // namespace
}  // namespace hexalune
