#include "well_known.h"

#include <algorithm>
#include <iterator>

namespace hexalune {

namespace {

using Form = WellKnownForm;

constexpr const char kIeeeReserved[] = "Reserved for future standardization";
constexpr const char kIpv6Multicast[] = "IPv6 multicast";
constexpr const char kCisco[] = "Cisco documentation";
constexpr const char kBridgeAddresses[] = "IEEE 802.1Q-2022, Table 8-1";
constexpr const char kProviderBridgeAddresses[] = "IEEE 802.1Q-2022, Table 8-2";
constexpr const char kMrpAddresses[] = "IEEE 802.1Q-2022, Table 10-1";

// What follows the group in the multicast forms' names.
constexpr const char kIpv4Tail[] = " (or one of 31 other groups that map to this address)";
constexpr const char kIpv6Tail[] = ", or another group ending in these 32 bits";

// Every row, sorted by `first`; a row that holds others comes before them.
// Rows either nest or are apart, never overlap otherwise (checked below).
constexpr WellKnownEntry kTable[] = {
    {0x00000C07AC00, 0x00000C07ACFF, Form::kNumber, "HSRP v1 group", "", kCisco},
    {0x00000C9FF000, 0x00000C9FFFFF, Form::kNumber, "HSRP v2 group", "", kCisco},
    {0x00005E000000, 0x00005EFFFFFF, Form::kFixed, "IANA unicast", "", "RFC 7042"},
    {0x00005E000000, 0x00005E0000FF, Form::kFixed, "Reserved (IANA unicast)", "", "RFC 7042"},
    {0x00005E000100, 0x00005E0001FF, Form::kNumber, "VRRP router", " (IPv4)", "RFC 5798"},
    {0x00005E000200, 0x00005E0002FF, Form::kNumber, "VRRP router", " (IPv6)", "RFC 5798"},
    {0x00005E005300, 0x00005E0053FF, Form::kFixed, "Documentation (unicast)", "", "RFC 7042"},
    {0x000573A00000, 0x000573A00FFF, Form::kNumber, "HSRP IPv6 group", "", kCisco},
    {0x01000CCCCCCC, 0x01000CCCCCCC, Form::kFixed, "CDP, VTP, DTP, PAgP and UDLD", "", kCisco},
    {0x01000CCCCCCD, 0x01000CCCCCCD, Form::kFixed, "PVST+", "", kCisco},
    {0x01005E000000, 0x01005E7FFFFF, Form::kIpv4Group, "IPv4 multicast", "", "RFC 1112"},
    {0x01005E800000, 0x01005EFFFFFF, Form::kFixed, "IANA multicast", "", "RFC 7042"},
    {0x01005E800000, 0x01005E8FFFFF, Form::kFixed, "MPLS multicast", "", "RFC 5332"},
    {0x01005E900000, 0x01005E900000, Form::kFixed, "MPLS-TP next hop", "", "RFC 7213"},
    {0x01005E901000, 0x01005E9010FF, Form::kFixed, "Documentation (multicast)", "", "RFC 7042"},
    {0x011B19000000, 0x011B19000000, Form::kFixed, "PTP (all but peer delay)", "",
     "IEEE 1588-2008, Annex F"},
    {0x0180C2000000, 0x0180C2000000, Form::kFixed, "STP (bridge group address)", "",
     kBridgeAddresses},
    {0x0180C2000001, 0x0180C2000001, Form::kFixed, "MAC control (PAUSE)", "",
     "IEEE 802.3-2022, Annex 31B"},
    {0x0180C2000002, 0x0180C2000002, Form::kFixed, "Slow protocols (LACP, LAMP, OAM)", "",
     "IEEE 802.3-2022, Annex 43B"},
    {0x0180C2000003, 0x0180C2000003, Form::kFixed, "Nearest non-TPMR bridge (802.1X PAE)", "",
     "IEEE 802.1Q-2022, Table 8-1; IEEE 802.1X-2020"},
    {0x0180C2000004, 0x0180C2000004, Form::kFixed, "MAC-specific control protocols", "",
     kBridgeAddresses},
    {0x0180C2000005, 0x0180C2000006, Form::kFixed, kIeeeReserved, "", kBridgeAddresses},
    {0x0180C2000007, 0x0180C2000007, Form::kFixed, "MEF E-LMI", "",
     "IEEE 802.1Q-2022, Table 8-1; MEF 16"},
    {0x0180C2000008, 0x0180C2000008, Form::kFixed, "Provider bridge group address (STP of S-VLANs)",
     "", kProviderBridgeAddresses},
    {0x0180C2000009, 0x0180C200000C, Form::kFixed, kIeeeReserved, "", kBridgeAddresses},
    {0x0180C200000D, 0x0180C200000D, Form::kFixed, "Provider bridge MVRP", "",
     kProviderBridgeAddresses},
    {0x0180C200000E, 0x0180C200000E, Form::kFixed, "LLDP and PTP peer delay", "",
     "IEEE 802.1AB-2016; IEEE 1588-2008, Annex F"},
    {0x0180C200000F, 0x0180C200000F, Form::kFixed, kIeeeReserved, "", kBridgeAddresses},
    {0x0180C2000020, 0x0180C2000020, Form::kFixed, "MMRP", "", kMrpAddresses},
    {0x0180C2000021, 0x0180C2000021, Form::kFixed, "MVRP", "", kMrpAddresses},
    {0x0180C2000022, 0x0180C200002F, Form::kFixed, "Reserved for MRP applications", "",
     kMrpAddresses},
    {0x024200000000, 0x0242FFFFFFFF, Form::kFixed, "Docker container (bridge network)", "",
     "Docker documentation"},
    {0x333300000000, 0x3333FFFFFFFF, Form::kIpv6Group, kIpv6Multicast, "", "RFC 2464"},
    {0x333300000001, 0x333300000001, Form::kIpv6Group, kIpv6Multicast, "all nodes",
     "RFC 2464; RFC 4291"},
    {0x333300000002, 0x333300000002, Form::kIpv6Group, kIpv6Multicast, "all routers",
     "RFC 2464; RFC 4291"},
    {0x333300000005, 0x333300000005, Form::kIpv6Group, kIpv6Multicast, "OSPFv3 routers",
     "RFC 2464; RFC 5340"},
    {0x333300000006, 0x333300000006, Form::kIpv6Group, kIpv6Multicast, "OSPFv3 designated routers",
     "RFC 2464; RFC 5340"},
    {0x333300000009, 0x333300000009, Form::kIpv6Group, kIpv6Multicast, "RIPng routers",
     "RFC 2464; RFC 2080"},
    {0x33330000000D, 0x33330000000D, Form::kIpv6Group, kIpv6Multicast, "PIM routers",
     "RFC 2464; RFC 7761"},
    {0x333300000012, 0x333300000012, Form::kIpv6Group, kIpv6Multicast, "VRRP routers",
     "RFC 2464; RFC 5798"},
    {0x333300000016, 0x333300000016, Form::kIpv6Group, kIpv6Multicast, "MLDv2 routers",
     "RFC 2464; RFC 3810"},
    {0x3333000000FB, 0x3333000000FB, Form::kIpv6Group, kIpv6Multicast, "mDNS",
     "RFC 2464; RFC 6762"},
    {0x333300010002, 0x333300010002, Form::kIpv6Group, kIpv6Multicast,
     "DHCPv6 servers and relay agents", "RFC 2464; RFC 8415"},
    {0x333300010003, 0x333300010003, Form::kIpv6Group, kIpv6Multicast, "LLMNR",
     "RFC 2464; RFC 4795"},
    {0x3333FF000000, 0x3333FFFFFFFF, Form::kIpv6Group, kIpv6Multicast, "solicited-node",
     "RFC 2464; RFC 4291"},
    {0x525400000000, 0x525400FFFFFF, Form::kFixed, "QEMU/KVM virtual NIC", "",
     "QEMU and libvirt documentation"},
    {0xFFFFFFFFFFFF, 0xFFFFFFFFFFFF, Form::kFixed, "Broadcast", "", "IEEE 802-2014"},
};
constexpr int kRows = static_cast<int>(std::size(kTable));

constexpr bool holds(const WellKnownEntry& outer, const WellKnownEntry& inner) {
    return outer.first <= inner.first && inner.last <= outer.last;
}

constexpr bool sorted_and_nested() {
    for (int i = 0; i < kRows; ++i) {
        if (kTable[i].first > kTable[i].last || kTable[i].last > 0xFFFFFFFFFFFF) return false;
        for (int j = i + 1; j < kRows; ++j) {
            const WellKnownEntry& a = kTable[i];
            const WellKnownEntry& b = kTable[j];
            if (b.first < a.first || (b.first == a.first && b.last >= a.last)) return false;
            if (b.first <= a.last && !holds(a, b)) return false;
        }
    }
    return true;
}
static_assert(sorted_and_nested(), "rows sorted by first, a holder first, and never overlapping");

// Each row's index of the narrowest row that holds it, or -1. Why: the
// rows that cover an address are the chain of holders of the last row
// that starts at or before it, so a lookup walks that chain instead of
// scanning back through the table.
struct Holders {
    int of[kRows];
};

constexpr Holders find_holders() {
    Holders holders{};
    for (int i = 0; i < kRows; ++i) {
        holders.of[i] = -1;
        for (int j = i - 1; j >= 0; --j) {
            if (holds(kTable[j], kTable[i])) {
                holders.of[i] = j;
                break;
            }
        }
    }
    return holders;
}
constexpr Holders kHolders = find_holders();

// Whether any row's range has addresses with these first two bytes, a bit
// each. Why two bytes: most registered addresses begin with 00, as some
// rows do; with one byte, their lookups took 78 instructions, now a few.
struct FirstBytes {
    std::uint64_t used[65536 / 64];
};

constexpr FirstBytes find_first_bytes() {
    FirstBytes bytes{};
    for (const WellKnownEntry& entry : kTable) {
        for (std::uint64_t prefix = entry.first >> 32; prefix <= entry.last >> 32; ++prefix) {
            bytes.used[prefix / 64] |= std::uint64_t{1} << prefix % 64;
        }
    }
    return bytes;
}
constexpr FirstBytes kFirstBytes = find_first_bytes();

// The narrowest row that covers `first` to `last`, or null.
const WellKnownEntry* narrowest_covering(std::uint64_t first, std::uint64_t last) {
    if ((kFirstBytes.used[first >> 38] >> (first >> 32) % 64 & 1) == 0 &&
        (first >> 32) == (last >> 32)) {
        return nullptr;
    }
    const WellKnownEntry* const after = std::upper_bound(
        std::begin(kTable), std::end(kTable), first,
        [](std::uint64_t address, const WellKnownEntry& entry) { return address < entry.first; });
    int row = static_cast<int>(after - std::begin(kTable)) - 1;
    while (row >= 0 && kTable[row].last < last) row = kHolders.of[row];
    return row >= 0 ? &kTable[row] : nullptr;
}

std::uint64_t integer(const Bytes& bytes) {
    std::uint64_t value = 0;
    for (std::uint8_t byte : bytes) value = value << 8 | byte;
    return value;
}

char* write_text(char* out, const char* text) {
    while (*text != '\0') *out++ = *text++;
    return out;
}

char* write_decimal(char* out, std::uint64_t value) {
    char digits[20];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) *out++ = digits[--count];
    return out;
}

// A 16-bit group in hexadecimal without leading zeros ("0" for zero).
char* write_group(char* out, unsigned group) {
    static const char kDigits[] = "0123456789abcdef";
    int shift = 12;
    while (shift > 0 && (group >> shift) == 0) shift -= 4;
    for (; shift >= 0; shift -= 4) *out++ = kDigits[(group >> shift) & 0x0f];
    return out;
}

// 224. and the low 23 bits as three decimal octets.
char* write_ipv4_group(char* out, std::uint64_t address) {
    out = write_text(out, "224.");
    out = write_decimal(out, address >> 16 & 0x7f);
    *out++ = '.';
    out = write_decimal(out, address >> 8 & 0xff);
    *out++ = '.';
    return write_decimal(out, address & 0xff);
}

// ff02:0:0:0:0:0 and the low 32 bits as two groups in RFC 5952's text, the
// sixth group 1 where the bits begin with ff (the solicited-node group).
// The zero groups after ff02 are always the longest run, "::"; a zero
// seventh group joins it, a zero last group alone is written "0".
char* write_ipv6_group(char* out, std::uint64_t address) {
    const unsigned high = static_cast<unsigned>(address >> 16 & 0xffff);
    const unsigned low = static_cast<unsigned>(address & 0xffff);
    out = write_text(out, "ff02::");
    if (high >> 8 == 0xff) out = write_text(out, "1:");
    if (high != 0) {
        out = write_group(out, high);
        *out++ = ':';
    } else if (low == 0) {
        return out;
    }
    return write_group(out, low);
}

constexpr std::size_t length(const char* text) {
    std::size_t count = 0;
    while (text[count] != '\0') ++count;
    return count;
}

constexpr bool printable(const char* text) {
    for (; *text != '\0'; ++text) {
        if (*text < ' ' || *text > '~') return false;
    }
    return true;
}

// The longest name a row can give.
constexpr std::size_t longest_name(const WellKnownEntry& entry) {
    std::size_t longest = length(entry.name) + 1;
    switch (entry.form) {
        case Form::kFixed:
            return longest - 1;
        case Form::kNumber: {
            std::uint64_t number = entry.last - entry.first;
            do {
                ++longest;
                number /= 10;
            } while (number != 0);
            return longest + length(entry.detail);
        }
        case Form::kIpv4Group:
            return longest + length("224.127.255.255") + length(kIpv4Tail);
        case Form::kIpv6Group:
            return longest + length("ff02::1:ffff:ffff") + length(entry.detail) + 3 +
                   length(kIpv6Tail);
    }
    return kWellKnownNameRoom + 1;
}

constexpr bool every_name_fits() {
    for (const WellKnownEntry& entry : kTable) {
        if (longest_name(entry) > kWellKnownNameRoom) return false;
        if (!printable(entry.name) || !printable(entry.detail) || !printable(entry.reference)) {
            return false;
        }
    }
    return true;
}
static_assert(every_name_fits(), "kWellKnownNameRoom holds every name, all printable");

}  // namespace

const WellKnownEntry* find_well_known(const Bytes& mac) {
    if (mac.size() != 6) return nullptr;
    const std::uint64_t address = integer(mac);
    return narrowest_covering(address, address);
}

const WellKnownEntry* find_well_known_oui(const Bytes& oui) {
    if (oui.size() != 3) return nullptr;
    const std::uint64_t first = integer(oui) << 24;
    return narrowest_covering(first, first | 0xFFFFFF);
}

char* write_well_known_name(char* out, const WellKnownEntry& entry, const Bytes& mac) {
    out = write_text(out, entry.name);
    if (entry.form == Form::kFixed || mac.size() != 6) return out;
    const std::uint64_t address = integer(mac);
    if (address < entry.first || address > entry.last) return out;
    *out++ = ' ';
    switch (entry.form) {
        case Form::kFixed:
            break;
        case Form::kNumber:
            out = write_decimal(out, address - entry.first);
            out = write_text(out, entry.detail);
            break;
        case Form::kIpv4Group:
            out = write_ipv4_group(out, address);
            out = write_text(out, kIpv4Tail);
            break;
        case Form::kIpv6Group:
            out = write_ipv6_group(out, address);
            if (*entry.detail != '\0') {
                out = write_text(out, " (");
                out = write_text(out, entry.detail);
                *out++ = ')';
            }
            out = write_text(out, kIpv6Tail);
            break;
    }
    return out;
}

std::string_view well_known_reference(const WellKnownEntry& entry) { return entry.reference; }

}  // namespace hexalune
