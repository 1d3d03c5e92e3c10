#include "random_mac.h"

#include <random>

#include "render.h"

namespace hexalune {

std::string generate_random_mac() {
    std::random_device source;
    std::mt19937 generator(source());
    std::uniform_int_distribution<int> octet(0, 255);
    Bytes mac;
    for (int i = 0; i < 6; ++i) mac.push_back(static_cast<std::uint8_t>(octet(generator)));
    mac[0] = static_cast<std::uint8_t>((mac[0] & ~0x01) | 0x02);  // unicast, locally administered
    return to_hex(mac, true);
}

}  // namespace hexalune
