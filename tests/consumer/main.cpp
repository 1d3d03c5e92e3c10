// The installed libraries through their public headers only, as another
// project uses them: each links and works, and the listings travel with the
// libraries, into a shared object too. Exits with 1 on a failure.

#include <hexalune/notation/eui64.h>
#include <hexalune/notation/parse.h>
#include <hexalune/registry/csv_line_reader.h>
#include <hexalune/registry/lookup.h>
#include <hexalune/registry/registries.h>
#include <hexalune/registry/resource.h>

#include <iostream>
#include <sstream>

#include "lookup_library.h"

using namespace hexalune;

int main() {
    const std::string listing = load_resource_data();
    const RegistryMap ma_l = parse_oui_database(listing);
    std::ostringstream report;
    const Listings listings = {
        {{}, {}, {}, read_listing_records(Registry::kMaL, listing, report).records}};
    const OwnerTable built = build_owner_table(listings);
    const OwnerTable& table = embedded_owner_table();
    const Owner owner = lookup_owner(parse_mac("70:B3:D5:A4:A0:00"), table);
    const std::pair<bool, const char*> checks[] = {
        {to_ipv6_link_local_canonical(parse_mac("00:80:10:A4:00:0C")) == "fe80::280:10ff:fea4:c",
         "notation"},
        {lookup_oui_info(parse_mac("0:00:bc:00:00:00"), ma_l).organization == "Rockwell Automation",
         "parse_oui_database, lookup_oui_info"},
        {assignee(table, owner.block.record).organization ==
             "Beijing Arrow SEED Technology Co,.Ltd.",
         "embedded_owner_table, lookup_owner, assignee"},
        {record_count(built) == assignment_count(table, Registry::kMaL) &&
             owner_records(built).back().assignment == ma_l.rbegin()->first,
         "read_listing_records, build_owner_table, owner_records"},
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
