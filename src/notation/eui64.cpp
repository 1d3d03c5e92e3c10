#include "eui64.h"

#include <stdexcept>

#include "hex_pairs.h"
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

const char kDigits[] = "0123456789abcdef";

void write_byte(char*& out, std::uint8_t byte) { out = put_hex_pair(out, kHexPairs, byte); }

// The digits of every input byte, the first one's bits in `first_bits`
// set, with the bytes `fourth` and `fifth` inserted after the third.
char* write_encapsulated(char* out, const Bytes& mac, std::uint8_t first_bits, std::uint8_t fourth,
                         std::uint8_t fifth) {
    // Locals: stores through `out` could otherwise alias the vector's own.
    const std::uint8_t* const data = mac.data();
    return unrolled_for_eui(mac.size(), [&](auto count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (i == 3) {
                write_byte(out, fourth);
                write_byte(out, fifth);
            }
            write_byte(out, i == 0 ? static_cast<std::uint8_t>(data[0] | first_bits) : data[i]);
        }
        if (count == 3) {
            write_byte(out, fourth);
            write_byte(out, fifth);
        }
        return out;
    });
}

// The interface identifier of a link-local address, the modified EUI-64
// (the universal/local bit of `eui64`'s first byte inverted), as four
// 16-bit groups.
void interface_id(const std::uint8_t* eui64, unsigned groups[4]) {
    for (std::size_t i = 0; i < 4; ++i) {
        groups[i] = static_cast<unsigned>(eui64[2 * i]) << 8 | eui64[2 * i + 1];
    }
    groups[0] ^= 0x0200;
}

// The interface identifier a host forms from its MAC address.
void interface_id(const Bytes& mac, unsigned groups[4]) {
    require_bytes(mac, 6, "to_ipv6_link_local");
    const std::uint8_t eui64[8] = {mac[0], mac[1], mac[2], 0xff, 0xfe, mac[3], mac[4], mac[5]};
    interface_id(eui64, groups);
}

// A group's four digits from its first that is not a leading zero (all
// four if `all`; "0" for zero).
char* write_group(char* out, unsigned group, bool all) {
    for (int shift = 12; shift >= 0; shift -= 4) {
        if (all || (group >> shift) != 0 || shift == 0) *out++ = kDigits[(group >> shift) & 0x0f];
    }
    return out;
}

// fe80:: and the interface identifier `groups` in RFC 5952's text.
// fe80:0:0:0 always ends in a run of three zero groups, which "::" stands
// for together with any zero groups that lead the identifier: no later run
// is longer (it follows a nonzero group, so has three at most), and of
// equal runs the first is the one shortened.
char* write_link_local_canonical(char* out, const unsigned groups[4]) {
    for (char c : {'f', 'e', '8', '0', ':', ':'}) *out++ = c;
    std::size_t i = 0;
    while (i < 4 && groups[i] == 0) ++i;
    for (const std::size_t first = i; i < 4; ++i) {
        if (i != first) *out++ = ':';
        out = write_group(out, groups[i], false);
    }
    return out;
}

template <typename Write>
std::string written(std::size_t room, Write write) {
    std::string text(room, '\0');
    text.resize(static_cast<std::size_t>(write(&text[0]) - text.data()));
    return text;
}

}  // namespace

Bytes convert_to_eui64(const Bytes& mac) {
    require_bytes(mac, 6, "convert_to_eui64");
    return {mac[0], mac[1], mac[2], 0xff, 0xfe, mac[3], mac[4], mac[5]};
}

char* write_contained_mac48(char* out, const Bytes& mac) {
    require_bytes(mac, 3, "to_contained_mac48");
    return write_encapsulated(out, mac, 0, 0xff, 0xff);
}

char* write_contained_eui48(char* out, const Bytes& mac) {
    require_bytes(mac, 3, "to_contained_eui48");
    return write_encapsulated(out, mac, 0, 0xff, 0xfe);
}

char* write_contained_eui48_ul(char* out, const Bytes& mac) {
    require_bytes(mac, 3, "to_contained_eui48_ul");
    return write_encapsulated(out, mac, 0x02, 0xff, 0xfe);
}

std::string to_contained_mac48(const Bytes& mac) {
    return written(mac.size() * 2 + 4, [&](char* out) { return write_contained_mac48(out, mac); });
}

std::string to_contained_eui48(const Bytes& mac) {
    return written(mac.size() * 2 + 4, [&](char* out) { return write_contained_eui48(out, mac); });
}

std::string to_contained_eui48_ul(const Bytes& mac) {
    return written(mac.size() * 2 + 4,
                   [&](char* out) { return write_contained_eui48_ul(out, mac); });
}

std::string to_ipv6_link_local(const Bytes& mac) {
    unsigned groups[4];
    interface_id(mac, groups);
    return written(25, [&](char* out) {
        for (char c : {'f', 'e', '8', '0', ':'}) *out++ = c;
        for (unsigned group : groups) {
            *out++ = ':';
            out = write_group(out, group, true);
        }
        return out;
    });
}

char* write_ipv6_link_local_canonical(char* out, const Bytes& mac) {
    unsigned groups[4];
    interface_id(mac, groups);
    return write_link_local_canonical(out, groups);
}

char* write_ipv6_link_local_from_eui64(char* out, const Bytes& eui64) {
    require_bytes(eui64, 8, "write_ipv6_link_local_from_eui64");
    unsigned groups[4];
    interface_id(eui64.data(), groups);
    return write_link_local_canonical(out, groups);
}

std::string to_ipv6_link_local_canonical(const Bytes& mac) {
    return written(25, [&](char* out) { return write_ipv6_link_local_canonical(out, mac); });
}

bool is_multicast(const Bytes& mac) {
    require_bytes(mac, 1, "is_multicast");
    return (mac[0] & 0x01) != 0;
}

bool is_local(const Bytes& mac) {
    require_bytes(mac, 1, "is_local");
    return (mac[0] & 0x02) != 0;
}

}  // namespace hexalune
