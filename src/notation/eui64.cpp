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

const char kDigits[] = "0123456789abcdef";

// The universal/local bit, 0x02 of the first byte, is 0x2 of its second
// digit: these set or invert it in that (lower-case) digit.
void set_local_bit(char& digit) {
    digit = kDigits[(digit <= '9' ? digit - '0' : digit - 'a' + 10) | 0x2];
}
void flip_local_bit(char& digit) {
    digit = kDigits[(digit <= '9' ? digit - '0' : digit - 'a' + 10) ^ 0x2];
}

// The digits of every input byte, with `middle` (two bytes' digits)
// inserted after the third, and the universal/local bit set if `set_local`.
void append_encapsulated(std::string& out, const Bytes& mac, const char* middle, bool set_local) {
    const std::size_t start = out.size();
    append_hex(out, mac, false);
    out.insert(start + 6, middle, 4);
    if (set_local) set_local_bit(out[start + 1]);
}

// The link-local address's interface identifier, the modified EUI-64
// (universal/local bit inverted), as four groups of four digits joined by
// ':': "0280:10ff:fea4:000c".
void append_interface_id(std::string& out, const Bytes& mac) {
    require_bytes(mac, 6, "to_ipv6_link_local");
    const std::size_t start = out.size();
    append_hex(out, mac, false);
    out.resize(start + 12);  // b0 b1 b2 b3 b4 b5, of the first six bytes alone
    flip_local_bit(out[start + 1]);
    out.insert(start + 8, 1, ':');      // b3 : b4 b5
    out.insert(start + 6, "ff:fe", 5);  // b2 ff : fe b3
    out.insert(start + 4, 1, ':');      // b0 b1 : b2
}

}  // namespace

Bytes convert_to_eui64(const Bytes& mac) {
    require_bytes(mac, 6, "convert_to_eui64");
    return {mac[0], mac[1], mac[2], 0xff, 0xfe, mac[3], mac[4], mac[5]};
}

void append_contained_mac48(std::string& out, const Bytes& mac) {
    require_bytes(mac, 3, "to_contained_mac48");
    append_encapsulated(out, mac, "ffff", false);
}

void append_contained_eui48(std::string& out, const Bytes& mac) {
    require_bytes(mac, 3, "to_contained_eui48");
    append_encapsulated(out, mac, "fffe", false);
}

void append_contained_eui48_ul(std::string& out, const Bytes& mac) {
    require_bytes(mac, 3, "to_contained_eui48_ul");
    append_encapsulated(out, mac, "fffe", true);
}

std::string to_contained_mac48(const Bytes& mac) {
    std::string out;
    append_contained_mac48(out, mac);
    return out;
}

std::string to_contained_eui48(const Bytes& mac) {
    std::string out;
    append_contained_eui48(out, mac);
    return out;
}

std::string to_contained_eui48_ul(const Bytes& mac) {
    std::string out;
    append_contained_eui48_ul(out, mac);
    return out;
}

std::string to_ipv6_link_local(const Bytes& mac) {
    std::string out = "fe80::";
    append_interface_id(out, mac);
    return out;
}

void append_ipv6_link_local_canonical(std::string& out, const Bytes& mac) {
    // fe80:0:0:0 is always a run of zero groups, which "::" stands for. The
    // identifier's second and third groups never are zero (they hold ff and
    // fe), so a zero first group joins that run, and a zero last group is
    // written "0".
    const std::size_t start = out.size();
    append_interface_id(out, mac);  // four groups of four digits
    std::size_t kept = start;
    for (std::size_t group = start; group < out.size(); group += 5) {
        std::size_t first = group;
        while (first < group + 3 && out[first] == '0') ++first;
        if (group == start && out[first] == '0') continue;
        if (kept != start) out[kept++] = ':';
        for (std::size_t i = first; i < group + 4; ++i) out[kept++] = out[i];
    }
    out.resize(kept);
    out.insert(start, "fe80::", 6);
}

std::string to_ipv6_link_local_canonical(const Bytes& mac) {
    std::string out;
    append_ipv6_link_local_canonical(out, mac);
    return out;
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
