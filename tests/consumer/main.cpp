// The installed libraries through their public headers only, as another
// project uses them: each function links and works, and the listings travel
// with the libraries, into a shared object too. Exits with 1 on a failure.

#include <hexalune/notation/eui64.h>
#include <hexalune/notation/parse.h>
#include <hexalune/notation/random_mac.h>
#include <hexalune/notation/render.h>
#include <hexalune/notation/well_known.h>
#include <hexalune/registry/csv_line_reader.h>
#include <hexalune/registry/csv_record_reader.h>
#include <hexalune/registry/lookup.h>
#include <hexalune/registry/registries.h>
#include <hexalune/registry/resource.h>

#include <iostream>
#include <sstream>

#include "lookup_library.h"

using namespace hexalune;

int main() {
    const Bytes mac = parse_mac("00:80:10:A4:00:0C");
    Bytes dot;
    InputType type{};
    const RegistryMap ma_l = parse_oui_database(load_resource_data());
    const OwnerTable& table = embedded_owner_table();
    const Owner owner = lookup_owner(parse_mac("70:B3:D5:A4:A0:00"), table);
    std::ostringstream report;
    const std::pair<bool, const char*> checks[] = {
        {mac == Bytes{0x00, 0x80, 0x10, 0xa4, 0x00, 0x0c} && split("a:b", ':').size() == 2, "parse"},
        {is_valid_mac("00:80:10:a4:00:0C") && is_valid_mac(generate_random_mac()), "is_valid_mac"},
        {parse_device_notation("0080.10a4.000c", dot) && dot == mac, "parse_device_notation"},
        {parse_identifier("00:80:10", type, dot) && find_well_known(parse_mac("52:54:00:0:0:1")),
         "parse_identifier, find_well_known"},
        {to_hex(convert_to_eui64(mac), true) == "00:80:10:ff:fe:a4:00:0c", "convert_to_eui64"},
        {to_bit_reversed(mac) + to_dot_notation(mac) == "00-01-08-25-00-300080.10a4.000c", "render"},
        {to_ipv6_link_local_canonical(mac) == "fe80::280:10ff:fea4:c", "to_ipv6_link_local"},
        {to_contained_eui48(mac) == "008010fffea4000c" && !is_multicast(mac), "contained"},
        {ma_l.size() == table.assignments[3], "load_resource_data, parse_oui_database"},
        {lookup_oui_info(parse_mac("0:00:bc:00:00:00"), ma_l).organization == "Rockwell Automation",
         "lookup_oui_info"},
        {read_registry_records("Registry,Assignment\n", report).records.empty(), "read_records"},
        {assignee(table, owner.block.record).organization == "Beijing Arrow SEED Technology Co,.Ltd.",
         "lookup_owner, assignee"},
        {view(build_owner_table({{{}, {}, {}, read_listing_records(Registry::kMaL, load_resource_data(), report).records}})).record_count == ma_l.size(),
         "build_owner_table"},
        {organization_in_library("00:80:10:A4:00:0C") == "COMMODORE INTERNATIONAL", "shared"},
    };
    int failures = 0;
    for (const auto& [ok, what] : checks) {
        if (!ok) std::cerr << "FAILED: " << what << '\n';
        failures += !ok;
    }
    std::cout << "hexalune consumer: " << failures << " check(s) failed\n";
    return failures == 0 ? 0 : 1;
}
