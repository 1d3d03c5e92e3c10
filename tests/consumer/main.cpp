// Checks the installed libraries through their public headers only: each
// function links and works in another project's program, and the whole
// listing travels with the registry library, into a shared object too.
// What each function does in detail is for the unit tests. Prints every
// failed check and exits with 1 if there was one.

#include <hexalune/notation/bytes.h>
#include <hexalune/notation/eui64.h>
#include <hexalune/notation/parse.h>
#include <hexalune/notation/random_mac.h>
#include <hexalune/notation/render.h>
#include <hexalune/registry/csv_reader.h>
#include <hexalune/registry/lookup.h>
#include <hexalune/registry/oui_info.h>
#include <hexalune/registry/resource.h>

#include <iostream>
#include <string>

#include "lookup_library.h"

namespace {

int failures = 0;

void check(bool ok, const std::string& what) {
    if (!ok) {
        ++failures;
        std::cerr << "FAILED: " << what << '\n';
    }
}

}  // namespace

int main() {
    const hexalune::Bytes mac = hexalune::parse_mac("00:80:10:A4:00:0C");
    check(mac == hexalune::Bytes{0x00, 0x80, 0x10, 0xa4, 0x00, 0x0c}, "parse_mac");
    check(hexalune::is_valid_mac("00:80:10:a4:00:0C"), "is_valid_mac");
    check(hexalune::to_hex(hexalune::convert_to_eui64(mac), true) == "00:80:10:ff:fe:a4:00:0c",
          "convert_to_eui64, to_hex");
    check(hexalune::to_ipv6_link_local(mac) == "fe80::0280:10ff:fea4:000c", "to_ipv6_link_local");
    check(hexalune::is_valid_mac(hexalune::generate_random_mac()), "generate_random_mac");

    const hexalune::RegistryMap registry =
        hexalune::parse_oui_database(hexalune::load_resource_data());
    check(registry.size() == 39627, "the embedded listing's assignments");
    check(hexalune::lookup_oui_info("00:80:10:A4:00:0C", registry).organization ==
              "COMMODORE INTERNATIONAL",
          "lookup_oui_info by text");
    // One-digit groups: only the bytes give the right key (0000BC, not 000BC0).
    check(
        hexalune::lookup_oui_info(hexalune::parse_mac("0:00:bc:00:00:00"), registry).organization ==
            "Rockwell Automation",
        "lookup_oui_info by bytes");
    check(organization_in_library("00:80:10:A4:00:0C") == "COMMODORE INTERNATIONAL",
          "lookup inside a shared library");

    if (failures != 0) {
        std::cerr << failures << " check(s) failed\n";
        return 1;
    }
    std::cout << "hexalune consumer: all checks passed\n";
    return 0;
}
