// Checks the installed libraries through their public headers only: each
// function links and works in another project's program, and the listings
// travel with the libraries, into a shared object too. What each function
// does in detail is for the unit tests. Prints every failed check and
// exits with 1 if there was one.

#include <hexalune/notation/eui64.h>
#include <hexalune/notation/parse.h>
#include <hexalune/notation/random_mac.h>
#include <hexalune/notation/render.h>
#include <hexalune/registry/csv_reader.h>
#include <hexalune/registry/lookup.h>
#include <hexalune/registry/registries.h>
#include <hexalune/registry/resource.h>

#include <iostream>
#include <sstream>

#include "lookup_library.h"

using namespace hexalune;

int main() {
    const Bytes mac = parse_mac("00:80:10:A4:00:0C");
    Bytes device;
    const RegistryMap ma_l = parse_oui_database(load_resource_data());
    std::ostringstream report;
    const OwnerTable& table = embedded_owner_table();
    const Owner owner = lookup_owner(parse_mac("70:B3:D5:A4:A0:00"), table);
    const OwnerTableData built = build_owner_table(listing_records({{{}, {}, {}, ma_l}}));
    const std::pair<bool, const char*> checks[] = {
        {mac == Bytes{0x00, 0x80, 0x10, 0xa4, 0x00, 0x0c}, "parse_mac"},
        {is_valid_mac("00:80:10:a4:00:0C"), "is_valid_mac"},
        {parse_device_notation("0080.10a4.000c", device) && device == mac, "parse_device_notation"},
        {split("a:b", ':').size() == 2, "split"},
        {to_hex(convert_to_eui64(mac), true) == "00:80:10:ff:fe:a4:00:0c", "convert_to_eui64"},
        {to_bit_reversed(mac) + to_dot_notation(mac) == "00-01-08-25-00-300080.10a4.000c", "render"},
        {to_ipv6_link_local_canonical(mac) == "fe80::280:10ff:fea4:c", "to_ipv6_link_local"},
        {to_contained_eui48(mac) == "008010fffea4000c" && !is_multicast(mac) && !is_local(mac),
         "eui64.h"},
        {is_valid_mac(generate_random_mac()), "generate_random_mac"},
        {ma_l.size() == table.assignments[3], "load_resource_data, parse_oui_database"},
        {parse_registry_listing("Registry,Assignment,Organization Name,Organization Address\r\n",
                                report).empty(), "parse_registry_listing"},
        {lookup_oui_info("00:80:10:A4:00:0C", ma_l).organization == "COMMODORE INTERNATIONAL" &&
             lookup_oui_info(parse_mac("0:00:bc:00:00:00"), ma_l).organization ==
                 "Rockwell Automation", "lookup_oui_info"},
        {owner.block.registry == Registry::kMaS && assignee(table, owner.block.record)
             .organization == "Beijing Arrow SEED Technology Co,.Ltd.", "lookup_owner, assignee"},
        {view(built).record_count == ma_l.size(), "build_owner_table"},
        {organization_in_library("00:80:10:A4:00:0C") == "COMMODORE INTERNATIONAL",
         "a lookup inside a shared library"},
    };
    int failures = 0;
    for (const auto& [ok, what] : checks) {
        if (!ok) std::cerr << "FAILED: " << what << '\n';
        failures += !ok;
    }
    std::cout << "hexalune consumer: " << failures << " check(s) failed\n";
    return failures == 0 ? 0 : 1;
}
