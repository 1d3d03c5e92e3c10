#include "notation/random_mac.h"

#include <gtest/gtest.h>

#include <regex>

#include "notation/parse.h"
#include "notation/render.h"

namespace hexalune {
namespace {

TEST(RandomMac, LocallyAdministeredUnicastInColonForm) {
    // Among 2,000 addresses each of the 46 free bits takes both values (odds against: 2^1999 / 46).
    std::uint64_t all_set = ~std::uint64_t{0}, any_set = 0;
    for (int i = 0; i < 2000; ++i) {
        const std::string mac = generate_random_mac();
        ASSERT_TRUE(std::regex_match(mac, std::regex("[0-9a-f][26ae](:[0-9a-f]{2}){5}"))) << mac;
        all_set &= to_integer(parse_mac(mac));
        any_set |= to_integer(parse_mac(mac));
    }
    EXPECT_EQ(any_set & ~all_set, 0xFCFFFFFFFFFFu);
    std::size_t drawn = 0;
    const auto flipping = [&drawn](std::size_t word) {
        drawn = 0;
        return random_mac([&] { return drawn++ == word ? 1u : 0u; });
    };
    const std::string unflipped = flipping(SIZE_MAX);
    EXPECT_GT(32 * drawn, 46u);  // the seed has more bits than the address's 46 free ones
    for (std::size_t word = 0; word < drawn; ++word) EXPECT_NE(flipping(word), unflipped) << word;
}

}  // namespace
}  // namespace hexalune
