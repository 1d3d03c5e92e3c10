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

// The universal/local bit clear, set, and among all bits set (the worked
// example is checked literally end to end).
TEST(Eui64, DerivedIdentifiers) {
    const DeriveCase cases[] = {
        {{0xac, 0xde, 0x48, 0x00, 0x00, 0x80},
         {0xac, 0xde, 0x48, 0xff, 0xfe, 0x00, 0x00, 0x80},
         "acde48ffff000080",
         "acde48fffe000080",
         "aede48fffe000080",
         "fe80::aede:48ff:fe00:0080"},
        // Already set: OR keeps it, the link-local form inverts it.
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

// The contained forms render every input byte, and need three; the others six.
TEST(Eui64, InputLength) {
    EXPECT_EQ(to_contained_eui48({0x01, 0x02, 0x03}), "010203fffe");
    EXPECT_EQ(to_contained_mac48({1, 2, 3, 4, 5, 6, 7}), "010203ffff04050607");
    const Bytes five = {1, 2, 3, 4, 5};
    const Bytes two = {1, 2};
    EXPECT_THROW(convert_to_eui64(five), std::invalid_argument);
    EXPECT_THROW(to_ipv6_link_local(five), std::invalid_argument);
    EXPECT_THROW(to_contained_mac48(two), std::invalid_argument);
    EXPECT_THROW(to_contained_eui48(two), std::invalid_argument);
    EXPECT_THROW(to_contained_eui48_ul(two), std::invalid_argument);
    char out[25];
    EXPECT_THROW(write_ipv6_link_local_from_eui64(out, {1, 2, 3, 4, 5, 6, 7}),
                 std::invalid_argument);
}

}  // namespace
}  // namespace hexalune
