#include "eui64.h"

#include <stdexcept>

#include "render.h"

namespace hexalune {

namespace {

void require_bytes(const Bytes& mac, std::size_t needed, const char* function) {
    if (mac.size() < needed) {
        throw std::invalid_argument(std::string(function) + " needs at least " +
                                    std::to_string(needed) + " bytes, got " +
                                    std::to_string(mac.size()));
    }
}

// The input with two bytes inserted after its third.
Bytes encapsulate(const Bytes& mac, std::uint8_t fourth, std::uint8_t fifth) {
    Bytes out(mac);
    out.insert(out.begin() + 3, {fourth, fifth});
    return out;
}

}  // namespace

Bytes convert_to_eui64(const Bytes& mac) {
    require_bytes(mac, 6, "convert_to_eui64");
    return {mac[0], mac[1], mac[2], 0xff, 0xfe, mac[3], mac[4], mac[5]};
}

std::string to_contained_mac48(const Bytes& mac) {
    require_bytes(mac, 3, "to_contained_mac48");
    return to_hex(encapsulate(mac, 0xff, 0xff), false);
}

std::string to_contained_eui48(const Bytes& mac) {
    require_bytes(mac, 3, "to_contained_eui48");
    return to_hex(encapsulate(mac, 0xff, 0xfe), false);
}

std::string to_contained_eui48_ul(const Bytes& mac) {
    require_bytes(mac, 3, "to_contained_eui48_ul");
    Bytes eui = encapsulate(mac, 0xff, 0xfe);
    eui[0] |= 0x02;
    return to_hex(eui, false);
}

std::string to_ipv6_link_local(const Bytes& mac) {
    require_bytes(mac, 6, "to_ipv6_link_local");
    Bytes id = convert_to_eui64(mac);
    id[0] ^= 0x02;
    const std::string digits = to_hex(id, false);  // 16 digits
    return "fe80::" + digits.substr(0, 4) + ":" + digits.substr(4, 4) + ":" + digits.substr(8, 4) +
           ":" + digits.substr(12, 4);
}

}  // namespace hexalune
