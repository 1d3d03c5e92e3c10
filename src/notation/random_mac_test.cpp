#include "notation/random_mac.h"

#include <gtest/gtest.h>

#include <set>

#include "notation/parse.h"

namespace hexalune {
namespace {

TEST(RandomMac, LocallyAdministeredUnicastInColonForm) {
    std::set<std::string> seen;
    std::set<char> second_digits;
    for (int i = 0; i < 2000; ++i) {
        const std::string mac = generate_random_mac();
        ASSERT_EQ(mac.size(), 17u) << mac;
        ASSERT_TRUE(is_valid_mac(mac)) << mac;
        for (char c : mac) ASSERT_FALSE(c >= 'A' && c <= 'F') << mac;  // lower case only
        const Bytes bytes = parse_mac(mac);
        EXPECT_EQ(bytes[0] & 0x01, 0) << mac;     // unicast
        EXPECT_EQ(bytes[0] & 0x02, 0x02) << mac;  // locally administered
        seen.insert(mac);
        second_digits.insert(mac[1]);
    }
    // Every legal first octet pattern turns up, and of 46 random bits one
    // repeat among 250,000 comes in 1 run of 2,000, two never; a generator
    // seeded with 32 bits gives about seven.
    for (int i = 2000; i < 250000; ++i) seen.insert(generate_random_mac());
    EXPECT_GE(seen.size(), 250000u - 1);
    EXPECT_EQ(second_digits, (std::set<char>{'2', '6', 'a', 'e'}));
}

}  // namespace
}  // namespace hexalune
