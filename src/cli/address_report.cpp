#include "address_report.h"

#include <string>

#include "notation/eui64.h"
#include "notation/render.h"

namespace hexalune {

namespace {

// The line that opens and closes each section of the report.
const char kDivider[] = "----------------";

// The six renderings shared by the EUI-48 and EUI-64 sections.
struct Renderings {
    std::string hex, bit_reversed, dot, byte_string;
    std::uint64_t integer;
    std::string base16;
};

Renderings render_all(const Bytes& bytes) {
    return {to_hex(bytes, true),   to_bit_reversed(bytes), to_dot_notation(bytes),
            to_byte_string(bytes), to_integer(bytes),      to_base16_integer(bytes)};
}

void write_section(std::ostream& out, const char* heading, const Renderings& r) {
    out << kDivider << std::endl;
    out << heading << std::endl;
    out << "Hexadecimal: " << r.hex << std::endl;
    out << "Bit-reversed: " << r.bit_reversed << std::endl;
    out << "Dot Notation: " << r.dot << std::endl;
    out << "Byte String: " << r.byte_string << std::endl;
    out << "Integer: " << r.integer << std::endl;
    out << "Base-16 Integer: " << r.base16 << std::endl;
}

}  // namespace

void write_address_report(std::ostream& out, const Bytes& mac) {
    const Renderings eui48 = render_all(mac);
    const std::string mac48 = to_contained_mac48(mac);
    const std::string contained = to_contained_eui48(mac);
    const std::string contained_ul = to_contained_eui48_ul(mac);
    const std::string link_local = to_ipv6_link_local(mac);
    const Renderings eui64 = render_all(convert_to_eui64(mac));

    write_section(out, "EUI-48 Format:", eui48);
    write_section(out, "EUI-64 Format:", eui64);
    out << kDivider << std::endl;
    out << "Other Info:" << std::endl;
    out << "Contained MAC-48: " << mac48 << std::endl;
    out << "Contained EUI-48: " << contained << std::endl;
    out << "Contained EUI-48 (U/L): " << contained_ul << std::endl;
    out << "IPv6 Link-Local: " << link_local << std::endl;
    out << kDivider << std::endl;
}

void write_oui_section(std::ostream& out, std::ostream& err, const OUIInfo& info) {
    if (info.assignment.empty()) {
        err << "No OUI information found for this MAC address." << std::endl;
        return;
    }
    out << "OUI information:" << std::endl;
    out << "Assignment: " << info.assignment << std::endl;
    out << "Organization: " << info.organization << std::endl;
    out << "Address: " << info.address << std::endl;
    out << kDivider << std::endl;
}

}  // namespace hexalune
