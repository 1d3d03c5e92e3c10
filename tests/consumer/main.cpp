// Checks the installed libraries through their public headers only: address
// parsing, the link-local address and the lookup in the embedded listing.
// Prints every failed check and exits with 1 if there was one.

#include <hexalune/notation/bytes.h>
#include <hexalune/notation/eui64.h>
#include <hexalune/notation/parse.h>
#include <hexalune/notation/random_mac.h>
#include <hexalune/notation/render.h>
#include <hexalune/registry/csv_reader.h>
#include <hexalune/registry/lookup.h>
#include <hexalune/registry/oui_info.h>
#include <hexalune/registry/resource.h>

#include <functional>
#include <iostream>
#include <stdexcept>
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

template <typename T>
void check_equal(const T& actual, const T& expected, const std::string& what) {
    check(actual == expected, what);
}

// Whether `call` throws an exception of type E.
template <typename E>
bool throws(const std::function<void()>& call) {
    try {
        call();
    } catch (const E&) {
        return true;
    } catch (...) {
    }
    return false;
}

void check_parse_mac() {
    const struct {
        const char* text;
        hexalune::Bytes bytes;
    } cases[] = {
        {"00:80:10:A4:00:0C", {0x00, 0x80, 0x10, 0xa4, 0x00, 0x0c}},
        {"ac:de:48:00:00:80", {0xac, 0xde, 0x48, 0x00, 0x00, 0x80}},
        {"0:8:1:a:0:c", {0x00, 0x08, 0x01, 0x0a, 0x00, 0x0c}},
        {"008010A4000C", {0x00, 0x80, 0x10, 0xa4, 0x00, 0x0c}},
    };
    for (const auto& c : cases) {
        check_equal(hexalune::parse_mac(c.text), c.bytes, std::string("parse_mac ") + c.text);
    }
    for (const char* text : {"00-80-10-A4-00-0C", "00:80:10:A4:00", "0x0:80:10:A4:00:0C", ""}) {
        check(throws<std::runtime_error>([text] { hexalune::parse_mac(text); }),
              std::string("parse_mac rejects \"") + text + "\"");
    }
    check(hexalune::is_valid_mac("00:80:10:a4:00:0C"), "is_valid_mac accepts either case");
    check(!hexalune::is_valid_mac("008010A4000C"), "is_valid_mac wants colons");
}

void check_link_local() {
    const struct {
        const char* text;
        const char* link_local;
    } cases[] = {
        {"00:80:10:A4:00:0C", "fe80::0280:10ff:fea4:000c"},
        {"02:00:00:00:00:01", "fe80::0000:00ff:fe00:0001"},
        {"ff:ff:ff:ff:ff:ff", "fe80::fdff:ffff:feff:ffff"},
    };
    for (const auto& c : cases) {
        check_equal(hexalune::to_ipv6_link_local(hexalune::parse_mac(c.text)),
                    std::string(c.link_local), std::string("to_ipv6_link_local ") + c.text);
    }
    check(throws<std::invalid_argument>([] {
              hexalune::to_ipv6_link_local(hexalune::Bytes{0x00, 0x80, 0x10});
          }),
          "to_ipv6_link_local rejects three bytes");
    check_equal(hexalune::to_hex(
                    hexalune::convert_to_eui64(hexalune::parse_mac("00:80:10:A4:00:0C")), true),
                std::string("00:80:10:ff:fe:a4:00:0c"), "convert_to_eui64");
    check(hexalune::is_valid_mac(hexalune::generate_random_mac()), "generate_random_mac");
}

void check_lookup() {
    const hexalune::RegistryMap registry =
        hexalune::parse_oui_database(hexalune::load_resource_data());
    check_equal(registry.size(), std::size_t{39627}, "the embedded listing's assignments");

    const struct {
        const char* text;
        hexalune::OUIInfo info;
    } cases[] = {
        {"00:80:10:A4:00:0C",
         {"008010", "COMMODORE INTERNATIONAL", "1200 WILSON DRIVE WEST CHESTER PA US 19380 ", ""}},
        {"ac:de:48:00:00:80", {"ACDE48", "Private", "", ""}},
        {"38:8a:21:00:00:01",
         {"388A21", "UAB \"Teltonika Telematics\"", "Saltoniskiu  str. 9B-1 Vilnius  LT LT-08105 ",
          ""}},
        {"02:00:00:00:00:00", {}},
        // One-digit groups: only the bytes give the right key (0000BC, not 000BC0).
        {"0:00:bc:00:00:00",
         {"0000BC", "Rockwell Automation", "1 Allen-Bradley Dr. Mayfield Heights OH US 44124-6118 ",
          ""}},
    };
    for (const auto& c : cases) {
        const hexalune::OUIInfo info =
            hexalune::lookup_oui_info(hexalune::parse_mac(c.text), registry);
        const std::string what = std::string("lookup_oui_info ") + c.text;
        check_equal(info.assignment, c.info.assignment, what + " assignment");
        check_equal(info.organization, c.info.organization, what + " organization");
        check_equal(info.address, c.info.address, what + " address");
    }
    check_equal(organization_in_library("00:80:10:A4:00:0C"),
                std::string("COMMODORE INTERNATIONAL"), "lookup inside a shared library");
}

}  // namespace

int main() {
    check_parse_mac();
    check_link_local();
    check_lookup();
    if (failures != 0) {
        std::cerr << failures << " check(s) failed\n";
        return 1;
    }
    std::cout << "hexalune consumer: all checks passed\n";
    return 0;
}
