#include "well_known.h"

#include <algorithm>
#include <iterator>

namespace hexalune {

namespace {

using Form = WellKnownForm;

constexpr const char kIeeeReserved[] = "Reserved for future standardization";
constexpr const char kIpv4Multicast[] = "IPv4 multicast";
constexpr const char kIpv6Multicast[] = "IPv6 multicast";
constexpr const char kVrid0[] = "VRRP, VRID 0 (not a router)";
constexpr const char kCisco[] = "Cisco documentation";
constexpr const char kBridgeAddresses[] = "IEEE 802.1Q-2022, Table 8-1";
constexpr const char kProviderBridgeAddresses[] = "IEEE 802.1Q-2022, Table 8-2";
constexpr const char kMrpAddresses[] = "IEEE 802.1Q-2022, Table 10-1";
constexpr const char kCfm[] = "IEEE 802.1Q-2022; ITU-T G.8013/Y.1731";
constexpr const char kFip[] = "FC-BB-5";
constexpr const char kVmware[] = "VMware virtual NIC";
constexpr const char kVmwareDocs[] = "VMware documentation";

// What follows the group in the multicast forms' names.
constexpr const char kIpv4Tail[] = " (or one of 31 other groups that map to this address)";
constexpr const char kIpv6Tail[] = ", or another group ending in these 32 bits";

// Every row, sorted by `first`; a row that holds others comes before them.
// Rows either nest or are apart, never overlap otherwise (checked below).
constexpr WellKnownEntry kTable[] = {
    {0x00000C07AC00, 0x00000C07ACFF, Form::kNumber, "HSRP v1 group", "", kCisco},
    {0x00000C9FF000, 0x00000C9FFFFF, Form::kNumber, "HSRP v2 group", "", kCisco},
    {0x00005E000000, 0x00005EFFFFFF, Form::kFixed, "IANA unicast", "", "RFC 9542"},
    {0x00005E000000, 0x00005E0000FF, Form::kFixed, "Reserved (IANA unicast)", "", "RFC 9542"},
    {0x00005E000100, 0x00005E0001FF, Form::kNumber, "VRRP router", " (IPv4)", "RFC 9568"},
    {0x00005E000100, 0x00005E000100, Form::kFixed, kVrid0, "", "RFC 9568"},
    {0x00005E000200, 0x00005E0002FF, Form::kNumber, "VRRP router", " (IPv6)", "RFC 9568"},
    {0x00005E000200, 0x00005E000200, Form::kFixed, kVrid0, "", "RFC 9568"},
    {0x00005E005300, 0x00005E0053FF, Form::kFixed, "Documentation (unicast)", "", "RFC 9542"},
    {0x000569000000, 0x000569FFFFFF, Form::kFixed, kVmware, "", kVmwareDocs},
    {0x000573A00000, 0x000573A00FFF, Form::kNumber, "HSRP IPv6 group", "", kCisco},
    {0x0007B4000000, 0x0007B400FFFF, Form::kFixed, "GLBP virtual forwarder", "", kCisco},
    {0x000C29000000, 0x000C29FFFFFF, Form::kFixed, kVmware, "", kVmwareDocs},
    {0x00155D000000, 0x00155DFFFFFF, Form::kFixed, "Hyper-V virtual NIC", "",
     "Microsoft Hyper-V documentation"},
    {0x00163E000000, 0x00163EFFFFFF, Form::kFixed, "Xen virtual NIC", "",
     "Xen documentation (xl-network-configuration)"},
    {0x001C14000000, 0x001C14FFFFFF, Form::kFixed, kVmware, "", kVmwareDocs},
    {0x001C42000000, 0x001C42FFFFFF, Form::kFixed, "Parallels virtual NIC", "",
     "Parallels documentation"},
    {0x005056000000, 0x005056FFFFFF, Form::kFixed, kVmware, "", kVmwareDocs},
    {0x01000CCCCCCC, 0x01000CCCCCCC, Form::kFixed, "CDP, VTP, DTP, PAgP and UDLD", "", kCisco},
    {0x01000CCCCCCD, 0x01000CCCCCCD, Form::kFixed, "PVST+", "", kCisco},
    {0x01000CCDCDCE, 0x01000CCDCDCE, Form::kFixed, "VLAN-bridge STP (fallback bridging)", "",
     kCisco},
    {0x01000CCDCDD0, 0x01000CCDCDD0, Form::kFixed, "Layer 2 protocol tunnelling", "", kCisco},
    {0x01000CDDDDDD, 0x01000CDDDDDD, Form::kFixed, "CGMP", "", kCisco},
    {0x01005E000000, 0x01005E7FFFFF, Form::kIpv4Group, kIpv4Multicast, "", "RFC 1112"},
    {0x01005E000001, 0x01005E000001, Form::kIpv4Group, kIpv4Multicast, "224.0.0.1 (all hosts)",
     "RFC 1112"},
    {0x01005E000002, 0x01005E000002, Form::kIpv4Group, kIpv4Multicast, "224.0.0.2 (all routers)",
     "RFC 1112; RFC 2236"},
    {0x01005E000005, 0x01005E000005, Form::kIpv4Group, kIpv4Multicast, "224.0.0.5 (OSPF routers)",
     "RFC 1112; RFC 2328"},
    {0x01005E000006, 0x01005E000006, Form::kIpv4Group, kIpv4Multicast,
     "224.0.0.6 (OSPF designated routers)", "RFC 1112; RFC 2328"},
    {0x01005E000009, 0x01005E000009, Form::kIpv4Group, kIpv4Multicast,
     "224.0.0.9 (RIPv2 routers)", "RFC 1112; RFC 2453"},
    {0x01005E00000A, 0x01005E00000A, Form::kIpv4Group, kIpv4Multicast,
     "224.0.0.10 (EIGRP routers)", "RFC 1112; RFC 7868"},
    {0x01005E00000D, 0x01005E00000D, Form::kIpv4Group, kIpv4Multicast, "224.0.0.13 (PIM routers)",
     "RFC 1112; RFC 7761"},
    {0x01005E000012, 0x01005E000012, Form::kIpv4Group, kIpv4Multicast,
     "224.0.0.18 (VRRP routers)", "RFC 1112; RFC 9568"},
    {0x01005E000016, 0x01005E000016, Form::kIpv4Group, kIpv4Multicast,
     "224.0.0.22 (IGMPv3 routers)", "RFC 1112; RFC 9776"},
    {0x01005E000066, 0x01005E000066, Form::kIpv4Group, kIpv4Multicast,
     "224.0.0.102 (HSRPv2 and GLBP)", "RFC 1112; Cisco documentation"},
    {0x01005E0000FB, 0x01005E0000FB, Form::kIpv4Group, kIpv4Multicast, "224.0.0.251 (mDNS)",
     "RFC 1112; RFC 6762"},
    {0x01005E0000FC, 0x01005E0000FC, Form::kIpv4Group, kIpv4Multicast, "224.0.0.252 (LLMNR)",
     "RFC 1112; RFC 4795"},
    {0x01005E7FFFFA, 0x01005E7FFFFA, Form::kIpv4Group, kIpv4Multicast, "239.255.255.250 (SSDP)",
     "RFC 1112; UPnP Device Architecture"},
    {0x01005E800000, 0x01005EFFFFFF, Form::kFixed, "IANA multicast", "", "RFC 9542"},
    {0x01005E800000, 0x01005E8FFFFF, Form::kFixed, "MPLS multicast", "", "RFC 5332"},
    {0x01005E900000, 0x01005E900000, Form::kFixed, "MPLS-TP next hop", "", "RFC 7213"},
    {0x01005E901000, 0x01005E9010FF, Form::kFixed, "Documentation (multicast)", "", "RFC 9542"},
    {0x011018010000, 0x011018010000, Form::kFixed, "FIP all FCoE MACs", "", kFip},
    {0x011018010001, 0x011018010001, Form::kFixed, "FIP all ENode MACs", "", kFip},
    {0x011018010002, 0x011018010002, Form::kFixed, "FIP all FCF MACs", "", kFip},
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
    {0x0180C2000009, 0x0180C200000A, Form::kFixed, kIeeeReserved, "", kBridgeAddresses},
    {0x0180C200000B, 0x0180C200000B, Form::kFixed, "EDE-SS PEP address", "",
     "IEEE 802.1AE-2018, Table 15-1; IEEE 802.1Q-2022, Table 8-1"},
    {0x0180C200000C, 0x0180C200000C, Form::kFixed, kIeeeReserved, "", kBridgeAddresses},
    {0x0180C200000D, 0x0180C200000D, Form::kFixed, "Provider bridge MVRP", "", kBridgeAddresses},
    {0x0180C200000E, 0x0180C200000E, Form::kFixed, "LLDP and PTP peer delay", "",
     "IEEE 802.1AB-2016; IEEE 1588-2008, Annex F"},
    {0x0180C200000F, 0x0180C200000F, Form::kFixed, kIeeeReserved, "", kBridgeAddresses},
    {0x0180C2000013, 0x0180C2000013, Form::kFixed, "IEEE 1905.1 control", "", "IEEE 1905.1-2013"},
    {0x0180C2000014, 0x0180C2000014, Form::kFixed, "IS-IS all level 1 ISs", "", "ISO/IEC 10589"},
    {0x0180C2000015, 0x0180C2000015, Form::kFixed, "IS-IS all level 2 ISs", "", "ISO/IEC 10589"},
    {0x0180C2000020, 0x0180C2000020, Form::kFixed, "MMRP", "", kMrpAddresses},
    {0x0180C2000021, 0x0180C2000021, Form::kFixed, "MVRP", "", kMrpAddresses},
    {0x0180C2000022, 0x0180C200002F, Form::kFixed, "Reserved for MRP applications", "",
     kMrpAddresses},
    {0x0180C2000030, 0x0180C2000037, Form::kNumber, "CFM CCM, MD level",
     " (Y.1731 multicast class 1)", kCfm},
    {0x0180C2000038, 0x0180C200003F, Form::kNumber, "CFM LTM, MD level",
     " (Y.1731 multicast class 2)", kCfm},
    {0x024200000000, 0x0242FFFFFFFF, Form::kFixed,
     "Docker container (bridge network before Engine 28.0, or overlay network)", "",
     "Docker Engine 28.0 release notes"},
    {0x02BF00000000, 0x02BFFFFFFFFF, Form::kFixed, "Microsoft NLB cluster (unicast mode)", "",
     "Microsoft NLB documentation"},
    {0x03BF00000000, 0x03BFFFFFFFFF, Form::kFixed, "Microsoft NLB cluster (multicast mode)", "",
     "Microsoft NLB documentation"},
    {0x080027000000, 0x080027FFFFFF, Form::kFixed, "VirtualBox virtual NIC", "",
     "Oracle VirtualBox documentation"},
    {0x09002B000004, 0x09002B000004, Form::kFixed, "ES-IS all end systems", "", "ISO 9542"},
    {0x09002B000005, 0x09002B000005, Form::kFixed, "ES-IS all intermediate systems", "",
     "ISO 9542"},
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
     "RFC 2464; RFC 9568"},
    {0x333300000016, 0x333300000016, Form::kIpv6Group, kIpv6Multicast, "MLDv2 routers",
     "RFC 2464; RFC 9777"},
    {0x3333000000FB, 0x3333000000FB, Form::kIpv6Group, kIpv6Multicast, "mDNS",
     "RFC 2464; RFC 6762"},
    {0x333300010002, 0x333300010002, Form::kIpv6Group, kIpv6Multicast,
     "DHCPv6 servers and relay agents", "RFC 2464; RFC 9915"},
    {0x333300010003, 0x333300010003, Form::kIpv6Group, kIpv6Multicast, "LLMNR",
     "RFC 2464; RFC 4795"},
    {0x3333FF000000, 0x3333FFFFFFFF, Form::kIpv6Group, kIpv6Multicast, "solicited-node",
     "RFC 2464; RFC 4291"},
    {0x525400000000, 0x525400FFFFFF, Form::kFixed, "QEMU/KVM virtual NIC", "",
     "QEMU and libvirt documentation"},
    {0xBC2411000000, 0xBC2411FFFFFF, Form::kFixed, "Proxmox VE virtual NIC", "",
     "Proxmox VE documentation"},
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
// rows do. A bit for the first byte alone would send their lookups on to
// the search, 78 instructions each; this bit rejects them in a few.
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
            return longest + std::max(length("224.127.255.255"), length(entry.detail)) +
                   length(kIpv4Tail);
        case Form::kIpv6Group:
            return longest + length("ff02::1:ffff:ffff") + length(entry.detail) + 3 +
                   length(kIpv6Tail);
    }
    return kWellKnownNameRoom + 1;
}

// Whether a row that names an IPv4 group covers the one address the group
// maps to: its detail begins with the group, 224.0.0.0 to 239.255.255.255,
// whose low 23 bits are the address's.
constexpr bool maps_to_its_address(const WellKnownEntry& entry) {
    const char* text = entry.detail;
    std::uint64_t group = 0;
    for (int octet = 0; octet < 4; ++octet) {
        if (octet > 0 && *text++ != '.') return false;
        unsigned value = 0, digits = 0;
        for (; *text >= '0' && *text <= '9' && digits < 3; ++text, ++digits) {
            value = value * 10 + static_cast<unsigned>(*text - '0');
        }
        if (digits == 0 || value > 255) return false;
        group = group << 8 | value;
    }
    return *text == ' ' && group >> 28 == 0xE && entry.first == entry.last &&
           entry.first >> 23 == 0x01005E000000 >> 23 &&
           (entry.first & 0x7FFFFF) == (group & 0x7FFFFF);
}

constexpr bool every_name_fits() {
    for (const WellKnownEntry& entry : kTable) {
        if (longest_name(entry) > kWellKnownNameRoom ||
            length(entry.reference) > kWellKnownReferenceRoom) {
            return false;
        }
        if (entry.form == Form::kIpv4Group && *entry.detail != '\0' &&
            !maps_to_its_address(entry)) {
            return false;
        }
        if (!printable(entry.name) || !printable(entry.detail) || !printable(entry.reference)) {
            return false;
        }
    }
    return true;
}
static_assert(every_name_fits(),
              "the rooms hold every name and reference, all printable; IPv4 groups where they map");

}  // namespace

WellKnownRows well_known_rows() { return {kTable, std::size(kTable)}; }

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
            out = *entry.detail != '\0' ? write_text(out, entry.detail)
                                        : write_ipv4_group(out, address);
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
