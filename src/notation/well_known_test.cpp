#include "notation/well_known.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "notation/parse.h"
#include "reference/well_known_reference.h"

namespace hexalune {
namespace {

std::string name_of(const WellKnownEntry& entry, const Bytes& mac) {
    char name[kWellKnownNameRoom];
    return std::string(name, write_well_known_name(name, entry, mac));
}

struct Case {
    const char* mac;
    std::string name;
    const char* reference;
};

const char kBridges[] = "IEEE 802.1Q-2022, Table 8-1";
const char kCisco[] = "Cisco documentation";
const char kReserved[] = "Reserved for future standardization";
const char kIpv4Tail[] = " (or one of 31 other groups that map to this address)";
const char kIpv6Tail[] = ", or another group ending in these 32 bits";

// Each row, the ends of the ranges, rows nested in wider ones, and the
// names filled in from the address.
TEST(WellKnown, Addresses) {
    const std::string v4 = "IPv4 multicast 224.";
    const std::string v6 = "IPv6 multicast ff02::";
    const Case cases[] = {
        {"ff:ff:ff:ff:ff:ff", "Broadcast", "IEEE 802-2014"},
        {"01:00:5e:00:00:fb", v4 + "0.0.251 (mDNS)" + kIpv4Tail, "RFC 1112; RFC 6762"},
        {"01:00:5e:00:00:fd", v4 + "0.0.253" + kIpv4Tail, "RFC 1112"},
        {"01:00:5e:7f:ff:ff", v4 + "127.255.255" + kIpv4Tail, "RFC 1112"},
        {"01:00:5e:7f:ff:fa", "IPv4 multicast 239.255.255.250 (SSDP)" + std::string(kIpv4Tail),
         "RFC 1112; UPnP Device Architecture"},
        {"01:00:5e:90:00:01", "IANA multicast", "RFC 9542"},
        {"33:33:00:00:00:00", v6 + kIpv6Tail, "RFC 2464"},
        {"33:33:00:00:00:01", v6 + "1 (all nodes)" + kIpv6Tail, "RFC 2464; RFC 4291"},
        {"33:33:00:01:00:02", v6 + "1:2 (DHCPv6 servers and relay agents)" + kIpv6Tail,
         "RFC 2464; RFC 9915"},
        {"33:33:fe:ff:ff:ff", v6 + "feff:ffff" + kIpv6Tail, "RFC 2464"},
        {"33:33:ff:a4:00:0c", v6 + "1:ffa4:c (solicited-node)" + kIpv6Tail, "RFC 2464; RFC 4291"},
        {"01:80:c2:00:00:00", "STP (bridge group address)", kBridges},
        {"01:80:c2:00:00:09", kReserved, kBridges},
        {"01:80:c2:00:00:0b", "EDE-SS PEP address",
         "IEEE 802.1AE-2018, Table 15-1; IEEE 802.1Q-2022, Table 8-1"},
        {"01:80:c2:00:00:0d", "Provider bridge MVRP", kBridges},
        {"01:80:c2:00:00:3b", "CFM LTM, MD level 3 (Y.1731 multicast class 2)",
         "IEEE 802.1Q-2022; ITU-T G.8013/Y.1731"},
        {"01:80:c2:00:00:0e", "LLDP and PTP peer delay",
         "IEEE 802.1AB-2016; IEEE 1588-2008, Annex F"},
        {"01:80:c2:00:00:2f", "Reserved for MRP applications", "IEEE 802.1Q-2022, Table 10-1"},
        {"00:00:5e:00:01:00", "VRRP, VRID 0 (not a router)", "RFC 9568"},
        {"00:00:5e:00:01:0a", "VRRP router 10 (IPv4)", "RFC 9568"},
        {"00:00:5e:00:02:ff", "VRRP router 255 (IPv6)", "RFC 9568"},
        {"00:00:5e:ff:ff:ff", "IANA unicast", "RFC 9542"},
        {"00:00:0c:07:ac:0a", "HSRP v1 group 10", kCisco},
        {"00:00:0c:9f:ff:ff", "HSRP v2 group 4095", kCisco},
        {"01:00:0c:cc:cc:cc", "CDP, VTP, DTP, PAgP and UDLD", kCisco},
        {"52:54:00:12:34:56", "QEMU/KVM virtual NIC", "QEMU and libvirt documentation"},
        {"00:50:56:12:34:56", "VMware virtual NIC", "VMware documentation"},
        {"02:42:00:00:00:00",
         "Docker container (bridge network before Engine 28.0, or overlay network)",
         "Docker Engine 28.0 release notes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mac);
        const Bytes mac = parse_mac(c.mac);
        const WellKnownEntry* entry = find_well_known(mac);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(name_of(*entry, mac), c.name);
        EXPECT_EQ(well_known_reference(*entry), c.reference);
    }
}

// Just outside the ranges, and a universal address of a registered OUI.
TEST(WellKnown, NoRow) {
    const char* const outside[] = {
        "ff:ff:ff:ff:ff:fe", "00:80:10:a4:00:0c", "01:00:5d:ff:ff:ff", "01:00:5f:00:00:00",
        "33:32:ff:ff:ff:ff", "33:34:00:00:00:00", "01:80:c2:00:00:10", "01:80:c2:00:00:40",
        "01:1b:19:00:00:01", "00:00:5d:ff:ff:ff", "00:00:0c:07:ab:ff", "00:00:0c:9f:ef:ff",
        "00:05:73:a0:10:00", "52:54:01:00:00:00", "02:41:ff:ff:ff:ff", "02:43:00:00:00:00"};
    for (const char* mac : outside) {
        EXPECT_EQ(find_well_known(parse_mac(mac)), nullptr) << mac;
    }
}

// An OUI alone: one row covering all of it, the narrowest if rows nest, and
// its name without what needs the whole address.
TEST(WellKnown, OuiAlone) {
    const struct {
        Bytes oui;
        const char* name;
        const char* reference;
    } cases[] = {
        {{0x52, 0x54, 0x00}, "QEMU/KVM virtual NIC", "QEMU and libvirt documentation"},
        {{0x00, 0x00, 0x5e}, "IANA unicast", "RFC 9542"},
        {{0x08, 0x00, 0x27}, "VirtualBox virtual NIC", "Oracle VirtualBox documentation"},
        {{0x33, 0x33, 0xff}, "IPv6 multicast", "RFC 2464; RFC 4291"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const WellKnownEntry* entry = find_well_known_oui(c.oui);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(name_of(*entry, c.oui), c.name);
        EXPECT_EQ(well_known_reference(*entry), c.reference);
    }
    // 01:00:5E has two rows, IPv4 groups and the rest; 01:80:C2 and
    // FF:FF:FF rows of single addresses; 00:80:10 none.
    for (const Bytes& oui :
         {Bytes{0x01, 0x00, 0x5e}, Bytes{0x01, 0x80, 0xc2}, Bytes{0xff, 0xff, 0xff},
          Bytes{0x00, 0x80, 0x10}, Bytes{0x52, 0x54, 0x00, 0x00}}) {
        EXPECT_EQ(find_well_known_oui(oui), nullptr) << oui.size();
    }
}

// Every row (their order and nesting are checked where the table is
// compiled): found at both ends as itself or a row it holds, named as the
// reference model names it, and citing its sources, none of them replaced.
TEST(WellKnown, EveryRow) {
    const std::regex replaced(".*RFC (7042|5798|3810|3376|8415)\\b.*");
    for (const WellKnownEntry& row : well_known_rows()) {
        SCOPED_TRACE(row.name);
        for (const std::uint64_t end : {row.first, row.last}) {
            Bytes mac;
            for (int shift = 40; shift >= 0; shift -= 8) mac.push_back(end >> shift & 0xff);
            const WellKnownEntry* found = find_well_known(mac);
            ASSERT_NE(found, nullptr);
            EXPECT_TRUE(row.first <= found->first && found->last <= row.last);
            EXPECT_EQ(name_of(*found, mac), hexalune_reference::well_known_name(*found, mac));
        }
        EXPECT_TRUE(*row.name != '\0' && *row.reference != '\0');
        EXPECT_FALSE(std::regex_match(row.reference, replaced)) << row.reference;
    }
}

}  // namespace
}  // namespace hexalune
