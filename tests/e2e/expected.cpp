#include "expected.h"

#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <stdexcept>

#include "listing.h"
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

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

std::string format(const char* pattern, ...) {
    char buffer[256];
    va_list args;
    va_start(args, pattern);
    int n = std::vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    return std::string(buffer, static_cast<std::size_t>(n));
}

// Bit reversal by the multiply-and-mask method, unlike the program's loop.
unsigned reversed(unsigned b) {
    return static_cast<unsigned>(((b * 0x0202020202ull) & 0x010884422010ull) % 1023);
}

template <std::size_t N>
std::string section(const char* heading, const std::array<std::uint8_t, N>& b) {
    std::string hex, rev, dot, list;
    std::uint64_t integer = 0;
    for (std::size_t i = 0; i < N; ++i) {
        hex += format(i ? ":%02x" : "%02x", b[i]);
        rev += format(i ? "-%02x" : "%02x", reversed(b[i]));
        dot += format(i && i % 2 == 0 ? ".%02x" : "%02x", b[i]);
        list += format(i ? ",%02x" : "%02x", b[i]);
        integer = integer * 256 + b[i];
    }
    std::string plain;
    for (std::uint8_t byte : b) plain += format("%02x", byte);
    return "----------------\n" + std::string(heading) + "\n" + "Hexadecimal: " + hex + "\n" +
           "Bit-reversed: " + rev + "\n" + "Dot Notation: " + dot + "\n" + "Byte String: {" + list +
           "}\n" + format("Integer: %" PRIu64 "\n", integer) + "Base-16 Integer: 0x" + plain + "\n";
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw std::invalid_argument("not a hexadecimal digit");
}

}  // namespace

Mac mac_from_text(const std::string& text) {
    Mac mac{};
    for (std::size_t i = 0; i < 6; ++i) {
        mac[i] = static_cast<std::uint8_t>(hex_value(text.at(i * 3)) * 16 +
                                           hex_value(text.at(i * 3 + 1)));
    }
    return mac;
}

std::string expected_address_report(const Mac& m) {
    const std::array<std::uint8_t, 8> eui64 = {m[0], m[1], m[2], 0xff, 0xfe, m[3], m[4], m[5]};
    return section("EUI-48 Format:", m) + section("EUI-64 Format:", eui64) +
           "----------------\nOther Info:\n" +
           format("Contained MAC-48: %02x%02x%02xffff%02x%02x%02x\n", m[0], m[1], m[2], m[3], m[4],
                  m[5]) +
           format("Contained EUI-48: %02x%02x%02xfffe%02x%02x%02x\n", m[0], m[1], m[2], m[3], m[4],
                  m[5]) +
           format("Contained EUI-48 (U/L): %02x%02x%02xfffe%02x%02x%02x\n", m[0] | 2, m[1], m[2],
                  m[3], m[4], m[5]) +
           format("IPv6 Link-Local: fe80::%02x%02x:%02xff:fe%02x:%02x%02x\n", m[0] ^ 2, m[1], m[2],
                  m[3], m[4], m[5]) +
           "----------------\n";
}

Expected expected_run(const std::string& text) {
    Expected expected{expected_address_report(mac_from_text(text)), ""};
    std::string key;
    for (char c : text.substr(0, 8)) {
        if (c != ':') key += static_cast<char>(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c);
    }
    const auto& registry = listing_by_assignment();
    const auto row = registry.find(key);
    if (row == registry.end()) {
        expected.err = kNotFound;
    } else {
        expected.out += "OUI information:\nAssignment: " + row->second.assignment +
                        "\nOrganization: " + row->second.organization +
                        "\nAddress: " + row->second.address + "\n----------------\n";
    }
    return expected;
}

}  // namespace hexalune_test
