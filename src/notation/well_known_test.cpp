#include "notation/well_known.h"

#include <gtest/gtest.h>

#include <string>

#include "notation/parse.h"

namespace hexalune {
namespace {

std::string name_of(const WellKnownEntry& entry, const Bytes& mac) {
    char name[kWellKnownNameRoom];
    return std::string(name, write_well_known_name(name, entry, mac));
}

struct Case {
    const char* mac;
    std::string name;  // empty: no row
    const char* reference;
};

const char kIpv4Tail[] = " (or one of 31 other groups that map to this address)";
const char kIpv6Tail[] = ", or another group ending in these 32 bits";

// Each row, the ends of the ranges and the addresses just outside them,
// rows nested in wider ones, and the names filled in from the address.
TEST(WellKnown, Addresses) {
    const std::string v4 = "IPv4 multicast 224.";
    const std::string v6 = "IPv6 multicast ff02::";
    const Case cases[] = {
        {"ff:ff:ff:ff:ff:ff", "Broadcast", "IEEE 802-2014"},
        {"ff:ff:ff:ff:ff:fe", "", nullptr},
        {"00:80:10:a4:00:0c", "", nullptr},
        {"01:00:5d:ff:ff:ff", "", nullptr},
        {"01:00:5e:00:00:00", v4 + "0.0.0" + kIpv4Tail, "RFC 1112"},
        {"01:00:5e:00:00:fb", v4 + "0.0.251" + kIpv4Tail, "RFC 1112"},
        {"01:00:5e:7f:ff:ff", v4 + "127.255.255" + kIpv4Tail, "RFC 1112"},
        {"01:00:5e:80:00:00", "MPLS multicast", "RFC 5332"},
        {"01:00:5e:8f:ff:ff", "MPLS multicast", "RFC 5332"},
        {"01:00:5e:90:00:00", "MPLS-TP next hop", "RFC 7213"},
        {"01:00:5e:90:00:01", "IANA multicast", "RFC 7042"},
        {"01:00:5e:90:10:00", "Documentation (multicast)", "RFC 7042"},
        {"01:00:5e:90:10:ff", "Documentation (multicast)", "RFC 7042"},
        {"01:00:5e:90:11:00", "IANA multicast", "RFC 7042"},
        {"01:00:5e:ff:ff:ff", "IANA multicast", "RFC 7042"},
        {"01:00:5f:00:00:00", "", nullptr},
        {"33:32:ff:ff:ff:ff", "", nullptr},
        {"33:33:00:00:00:00", v6 + kIpv6Tail, "RFC 2464"},
        {"33:33:00:00:00:01", v6 + "1 (all nodes)" + kIpv6Tail, "RFC 2464; RFC 4291"},
        {"33:33:00:00:00:02", v6 + "2 (all routers)" + kIpv6Tail, "RFC 2464; RFC 4291"},
        {"33:33:00:00:00:03", v6 + "3" + kIpv6Tail, "RFC 2464"},
        {"33:33:00:00:00:fb", v6 + "fb (mDNS)" + kIpv6Tail, "RFC 2464; RFC 6762"},
        {"33:33:00:01:00:02", v6 + "1:2 (DHCPv6 servers and relay agents)" + kIpv6Tail,
         "RFC 2464; RFC 8415"},
        {"33:33:12:34:00:00", v6 + "1234:0" + kIpv6Tail, "RFC 2464"},
        {"33:33:fe:ff:ff:ff", v6 + "feff:ffff" + kIpv6Tail, "RFC 2464"},
        {"33:33:ff:a4:00:0c", v6 + "1:ffa4:c (solicited-node)" + kIpv6Tail,
         "RFC 2464; RFC 4291"},
        {"33:33:ff:00:00:00", v6 + "1:ff00:0 (solicited-node)" + kIpv6Tail,
         "RFC 2464; RFC 4291"},
        {"33:34:00:00:00:00", "", nullptr},
        {"01:80:c2:00:00:00", "STP (bridge group address)", "IEEE 802.1Q-2022, Table 8-1"},
        {"01:80:c2:00:00:01", "MAC control (PAUSE)", "IEEE 802.3-2022, Annex 31B"},
        {"01:80:c2:00:00:02", "Slow protocols (LACP, LAMP, OAM)", "IEEE 802.3-2022, Annex 43B"},
        {"01:80:c2:00:00:03", "Nearest non-TPMR bridge (802.1X PAE)",
         "IEEE 802.1Q-2022, Table 8-1; IEEE 802.1X-2020"},
        {"01:80:c2:00:00:04", "MAC-specific control protocols", "IEEE 802.1Q-2022, Table 8-1"},
        {"01:80:c2:00:00:06", "Reserved for future standardization", "IEEE 802.1Q-2022, Table 8-1"},
        {"01:80:c2:00:00:07", "MEF E-LMI", "IEEE 802.1Q-2022, Table 8-1; MEF 16"},
        {"01:80:c2:00:00:08", "Provider bridge group address (STP of S-VLANs)",
         "IEEE 802.1Q-2022, Table 8-2"},
        {"01:80:c2:00:00:09", "Reserved for future standardization", "IEEE 802.1Q-2022, Table 8-1"},
        {"01:80:c2:00:00:0d", "Provider bridge MVRP", "IEEE 802.1Q-2022, Table 8-2"},
        {"01:80:c2:00:00:0e", "LLDP and PTP peer delay",
         "IEEE 802.1AB-2016; IEEE 1588-2008, Annex F"},
        {"01:80:c2:00:00:0f", "Reserved for future standardization", "IEEE 802.1Q-2022, Table 8-1"},
        {"01:80:c2:00:00:10", "", nullptr},
        {"01:80:c2:00:00:20", "MMRP", "IEEE 802.1Q-2022, Table 10-1"},
        {"01:80:c2:00:00:21", "MVRP", "IEEE 802.1Q-2022, Table 10-1"},
        {"01:80:c2:00:00:2f", "Reserved for MRP applications", "IEEE 802.1Q-2022, Table 10-1"},
        {"01:80:c2:00:00:30", "", nullptr},
        {"01:1b:19:00:00:00", "PTP (all but peer delay)", "IEEE 1588-2008, Annex F"},
        {"01:1b:19:00:00:01", "", nullptr},
        {"00:00:5d:ff:ff:ff", "", nullptr},
        {"00:00:5e:00:00:00", "Reserved (IANA unicast)", "RFC 7042"},
        {"00:00:5e:00:00:ff", "Reserved (IANA unicast)", "RFC 7042"},
        {"00:00:5e:00:01:00", "VRRP router 0 (IPv4)", "RFC 5798"},
        {"00:00:5e:00:01:0a", "VRRP router 10 (IPv4)", "RFC 5798"},
        {"00:00:5e:00:02:ff", "VRRP router 255 (IPv6)", "RFC 5798"},
        {"00:00:5e:00:03:00", "IANA unicast", "RFC 7042"},
        {"00:00:5e:00:53:00", "Documentation (unicast)", "RFC 7042"},
        {"00:00:5e:00:53:ff", "Documentation (unicast)", "RFC 7042"},
        {"00:00:5e:ff:ff:ff", "IANA unicast", "RFC 7042"},
        {"00:00:0c:07:ab:ff", "", nullptr},
        {"00:00:0c:07:ac:0a", "HSRP v1 group 10", "Cisco documentation"},
        {"00:00:0c:07:ad:00", "", nullptr},
        {"00:00:0c:9f:ef:ff", "", nullptr},
        {"00:00:0c:9f:f0:00", "HSRP v2 group 0", "Cisco documentation"},
        {"00:00:0c:9f:ff:ff", "HSRP v2 group 4095", "Cisco documentation"},
        {"00:05:73:a0:0f:ff", "HSRP IPv6 group 4095", "Cisco documentation"},
        {"00:05:73:a0:10:00", "", nullptr},
        {"01:00:0c:cc:cc:cc", "CDP, VTP, DTP, PAgP and UDLD", "Cisco documentation"},
        {"01:00:0c:cc:cc:cd", "PVST+", "Cisco documentation"},
        {"01:00:0c:cc:cc:ce", "", nullptr},
        {"52:54:00:12:34:56", "QEMU/KVM virtual NIC", "QEMU and libvirt documentation"},
        {"52:54:01:00:00:00", "", nullptr},
        {"02:41:ff:ff:ff:ff", "", nullptr},
        {"02:42:00:00:00:00", "Docker container (bridge network)", "Docker documentation"},
        {"02:42:ff:ff:ff:ff", "Docker container (bridge network)", "Docker documentation"},
        {"02:43:00:00:00:00", "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mac);
        const Bytes mac = parse_mac(c.mac);
        const WellKnownEntry* entry = find_well_known(mac);
        ASSERT_EQ(entry != nullptr, !c.name.empty());
        if (entry == nullptr) continue;
        EXPECT_EQ(name_of(*entry, mac), c.name);
        EXPECT_EQ(well_known_reference(*entry), c.reference);
    }
}

// An OUI alone: one row covering all of it, the narrowest if rows nest, and
// its name without what needs the whole address.
TEST(WellKnown, OuiAlone) {
    const struct {
        Bytes oui;
        const char* name;  // null: no row
        const char* reference;
    } cases[] = {
        {{0x52, 0x54, 0x00}, "QEMU/KVM virtual NIC", "QEMU and libvirt documentation"},
        {{0x02, 0x42, 0xac}, "Docker container (bridge network)", "Docker documentation"},
        {{0x00, 0x00, 0x5e}, "IANA unicast", "RFC 7042"},
        {{0x33, 0x33, 0x00}, "IPv6 multicast", "RFC 2464"},
        {{0x33, 0x33, 0xff}, "IPv6 multicast", "RFC 2464; RFC 4291"},
        // Two rows, IPv4 groups and the rest.
        {{0x01, 0x00, 0x5e}, nullptr, nullptr},
        {{0x01, 0x80, 0xc2}, nullptr, nullptr},
        {{0xff, 0xff, 0xff}, nullptr, nullptr},
        {{0x00, 0x80, 0x10}, nullptr, nullptr},
        {{0x52, 0x54, 0x00, 0x00}, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name == nullptr ? "none" : c.name);
        const WellKnownEntry* entry = find_well_known_oui(c.oui);
        ASSERT_EQ(entry != nullptr, c.name != nullptr);
        if (entry == nullptr) continue;
        EXPECT_EQ(name_of(*entry, c.oui), c.name);
        EXPECT_EQ(well_known_reference(*entry), c.reference);
    }
}

}  // namespace
}  // namespace hexalune
