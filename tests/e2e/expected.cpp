#include "expected.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "reference/notation_reference.h"
#include "reference/registry_reference.h"
#include "version.h"

namespace hexalune_test {

const char kBanner[] = "Hexalune " HEXALUNE_VERSION
                       " - MAC address converter, OUI lookup\n"
                       "====================================================\n";
const char kPrompt[] = "Enter a MAC address (format: 00:80:10:A4:00:0C): ";
const char kInvalidMessage[] =
    "Error: Invalid MAC address format. Please enter a MAC address in the format "
    "00:80:10:A4:00:0C.\n";

const char kNotFound[] = "No OUI information found for this MAC address.\n";

namespace {

namespace reference = hexalune_reference;

std::string listing_text() {
    std::ifstream in(HEXALUNE_LISTING_FILE, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " HEXALUNE_LISTING_FILE);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string section(const char* heading, const reference::Bytes& b) {
    return "----------------\n" + std::string(heading) + "\n" +
           "Hexadecimal: " + reference::to_hex(b, true) + "\n" +
           "Bit-reversed: " + reference::to_bit_reversed(b) + "\n" +
           "Dot Notation: " + reference::to_dot_notation(b) + "\n" +
           "Byte String: " + reference::to_byte_string(b) + "\n" +
           "Integer: " + std::to_string(reference::to_integer(b)) + "\n" +
           "Base-16 Integer: " + reference::to_base16_integer(b) + "\n";
}

}  // namespace

const std::vector<std::string>& listing_lines() {
    static const std::vector<std::string> lines = reference::record_lines(listing_text());
    return lines;
}

const hexalune::RegistryMap& listing_registry() {
    static const hexalune::RegistryMap registry = reference::parse(listing_text()).registry;
    return registry;
}

std::string expected_address_report(const std::string& text) {
    const reference::Bytes mac = reference::parse_mac(text).value();
    return section("EUI-48 Format:", mac) +
           section("EUI-64 Format:", reference::convert_to_eui64(mac).value()) +
           "----------------\nOther Info:\n" +
           "Contained MAC-48: " + reference::to_contained_mac48(mac).value() + "\n" +
           "Contained EUI-48: " + reference::to_contained_eui48(mac).value() + "\n" +
           "Contained EUI-48 (U/L): " + reference::to_contained_eui48_ul(mac).value() + "\n" +
           "IPv6 Link-Local: " + reference::to_ipv6_link_local(mac).value() + "\n" +
           "----------------\n";
}

Expected expected_run(const std::string& text) {
    Expected expected{expected_address_report(text), ""};
    const auto found = listing_registry().find(reference::lookup_key(text));
    if (found == listing_registry().end()) {
        expected.err = kNotFound;
    } else {
        expected.out += "OUI information:\nAssignment: " + found->second.assignment +
                        "\nOrganization: " + found->second.organization +
                        "\nAddress: " + found->second.address + "\n----------------\n";
    }
    return expected;
}

}  // namespace hexalune_test
