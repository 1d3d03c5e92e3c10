#include "random_mac.h"

#include <array>
#include <cstdint>
#include <random>

#include "render.h"

namespace hexalune {

std::string generate_random_mac() {
    std::random_device source;
    return random_mac([&source] { return source(); });
}

std::string random_mac(const std::function<std::uint32_t()>& source) {
    // Seeded with 256 bits: one 32-bit seed would allow only 2^32 different
    // addresses, and repeats among a few tens of thousands of calls.
    std::array<std::uint32_t, 8> seed;
    for (std::uint32_t& word : seed) word = source();
    std::seed_seq sequence(seed.begin(), seed.end());
    std::mt19937 generator(sequence);
    std::uniform_int_distribution<int> octet(0, 255);
    Bytes mac;
    for (int i = 0; i < 6; ++i) mac.push_back(static_cast<std::uint8_t>(octet(generator)));
    mac[0] = static_cast<std::uint8_t>((mac[0] & ~0x01) | 0x02);  // unicast, locally administered
    return to_hex(mac, true);
}

}  // namespace hexalune
