#ifndef HEXALUNE_TESTS_REFERENCE_RECORD_REFERENCE_H_
#define HEXALUNE_TESTS_REFERENCE_RECORD_REFERENCE_H_

// A deliberately plain model of hexalune-batch's records: text escaped for
// JSON and CSV one character at a time, and the record of a line from the
// notation and registry models. Header-only, and independent of the
// program's code but for the registry map type and the well-known table.

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reference/notation_reference.h"
#include "reference/registry_reference.h"
#include "reference/well_known_reference.h"

namespace hexalune_reference {

/// The characters of `text`: each a valid UTF-8 sequence (RFC 3629: none
/// overlong, no surrogate, nothing past U+10FFFF), or U+FFFD for a byte
/// that begins none.
inline std::vector<std::string> characters(std::string_view text) {
    std::vector<std::string> out;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
        const unsigned lead = byte(0);
        const std::size_t n = lead < 0x80                   ? 1
                              : lead < 0xC0 || lead >= 0xF8 ? 0
                              : lead < 0xE0                 ? 2
                              : lead < 0xF0                 ? 3
                                                            : 4;
        unsigned long code = lead & (0xFFu >> (n + 1));
        bool valid = n != 0 && at + n <= text.size();
        for (std::size_t i = 1; valid && i < n; ++i) {
            valid = (byte(i) & 0xC0) == 0x80;
            code = code << 6 | (byte(i) & 0x3F);
        }
        const unsigned long least[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= least[n] && (code < 0xD800 || code > 0xDFFF) && code <= 0x10FFFF;
        out.push_back(valid ? std::string(text.substr(at, n)) : "\xEF\xBF\xBD");
        at += valid ? n : 1;
    }
    return out;
}

/// A JSON string: the quote and the backslash escaped, LF, CR and TAB as
/// \n, \r and \t, the other control characters as \u00xx.
inline std::string json_string(std::string_view text) {
    std::string out = "\"";
    for (const std::string& c : characters(text)) {
        const std::size_t named = c.size() == 1 ? std::string("\"\\\n\r\t").find(c[0]) : c.npos;
        if (named != c.npos) {
            (out += '\\') += "\"\\nrt"[named];
        } else if (static_cast<unsigned char>(c[0]) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c[0]));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

/// A CSV field: quoted, quotes doubled, when it holds a comma, a quote or a
/// control character; one that begins with = + - @ TAB or CR quoted behind
/// an apostrophe.
inline std::string csv_field(std::string_view text) {
    bool quoted = !text.empty() && std::string("=+-@\t\r").find(text[0]) != std::string::npos;
    std::string out = quoted ? "'" : "";
    for (const std::string& c : characters(text)) {
        quoted = quoted || c == "," || c == "\"" || static_cast<unsigned char>(c[0]) < 0x20;
        out += c == "\"" ? "\"\"" : c;
    }
    return quoted ? "\"" + out + "\"" : out;
}

/// The maps of the MA-S, IAB, MA-M and MA-L listings.
using Maps = std::array<hexalune::RegistryMap, 4>;

inline std::string csv_header() {
    return "input,eui48,eui48_bit_reversed,eui48_dot,eui48_integer,eui64,eui64_bit_reversed,"
           "eui64_dot,eui64_integer,contained_mac48,contained_eui48,contained_eui48_ul,"
           "ipv6_link_local,multicast,local,oui_assignment,oui_organization,oui_address,"
           "block_registry,block_assignment,block_organization,block_address,input_type,cast,"
           "slap,randomized,well_known_name,well_known_reference,error\n";
}

/// A well-known use's name and reference.
using Use = std::optional<std::array<std::string, 2>>;

/// The well-known use of an address (six bytes) or of a whole OUI (three):
/// the row of the program's table, its name as the reference writes it.
inline Use well_known_use(const Bytes& bytes) {
    const hexalune::WellKnownEntry* entry = bytes.size() == 3 ? hexalune::find_well_known_oui(bytes)
                                                              : hexalune::find_well_known(bytes);
    if (entry == nullptr) return std::nullopt;
    return std::array<std::string, 2>{well_known_name(*entry, bytes),
                                      std::string(hexalune::well_known_reference(*entry))};
}

/// The JSON Lines or CSV record of a trimmed line: an address's, unless
/// the line was `cut` off or names none, then the error record.
inline std::string record(const std::string& input, bool cut, const Maps& maps, bool json) {
    std::string out;
    bool first = true;
    // A field; in JSON a string when `quoted`, else `value` as it is; none
    // is null in JSON, an empty column in CSV.
    const auto add = [&](const std::string& name, const std::optional<std::string>& value,
                         bool quoted) {
        if (json) {
            out += (first ? "{\"" : ",\"") + name + "\":" +
                   (!value ? "null" : quoted ? json_string(*value) : *value);
        } else {
            out += (first ? "" : ",") + csv_field(value.value_or(""));
        }
        first = false;
    };
    // A nested record's fields: in JSON an object (its first field opens
    // it), or null for none.
    const auto nested = [&](const std::string& name, const std::vector<std::string>& keys,
                            const std::optional<std::vector<std::string>>& values) {
        if (json) out += ",\"" + name + "\":" + (values ? "" : "null");
        first = json;
        for (std::size_t i = 0; i < keys.size() && (values || !json); ++i) {
            add(keys[i], values ? (*values)[i] : "", true);
        }
        if (json && values) out += '}';
        first = false;
    };
    add("input", input, true);
    std::optional<Bytes> bytes = cut ? std::nullopt : parse_identifier(input);
    std::string error = "invalid MAC address";
    std::optional<Bytes> eui48, eui64;
    const char* type = "oui";
    if (bytes && bytes->size() == 16) {
        const Bytes iid(bytes->begin() + 8, bytes->end());
        type = "ipv6";
        if (iid[3] == 0xff && iid[4] == 0xfe) {
            eui48 = Bytes{static_cast<std::uint8_t>(iid[0] ^ 0x02), iid[1], iid[2], iid[5], iid[6],
                          iid[7]};
        } else {
            error = "IPv6 interface identifier holds no MAC address";
            bytes.reset();
        }
    } else if (bytes && bytes->size() == 6) {
        type = "eui48";
        eui48 = bytes;
    } else if (bytes && bytes->size() == 8) {
        type = "eui64";
        eui64 = bytes;
        const Bytes& b = *bytes;
        if (b[3] == 0xff && (b[4] == 0xfe || b[4] == 0xff)) eui48 = Bytes{b[0], b[1], b[2], b[5], b[6], b[7]};
    }
    if (!bytes) {
        for (int i = 0; i < 27 && !json; ++i) add("", "", true);
        add("error", error, true);
        return out + (json ? "}\n" : "\n");
    }
    if (eui48 && !eui64) eui64 = convert_to_eui64(*eui48);
    const Bytes lead = eui64 && type == std::string("eui64") ? *eui64 : eui48 ? *eui48 : *bytes;
    for (const std::optional<Bytes>* form : {&eui48, &eui64}) {
        const std::string name = form == &eui64 ? "eui64" : "eui48";
        const auto text = [&](std::string (*render)(const Bytes&)) {
            return *form ? std::optional<std::string>(render(**form)) : std::nullopt;
        };
        add(name, text([](const Bytes& b) { return to_hex(b, true); }), true);
        add(name + "_bit_reversed", text(to_bit_reversed), true);
        add(name + "_dot", text(to_dot_notation), true);
        add(name + "_integer", text([](const Bytes& b) { return std::to_string(to_integer(b)); }),
            true);
    }
    const auto from48 = [&](auto render) {
        return eui48 ? render(*eui48) : std::nullopt;
    };
    add("contained_mac48", from48(to_contained_mac48), true);
    add("contained_eui48", from48(to_contained_eui48), true);
    add("contained_eui48_ul", from48(to_contained_eui48_ul), true);
    add("ipv6_link_local",
        type == std::string("eui64") ? ipv6_link_local_from_eui64(*eui64)
                                     : from48(to_ipv6_link_local_canonical),
        true);
    const bool group = (lead[0] & 0x01) != 0, local = (lead[0] & 0x02) != 0;
    add("multicast", group ? "true" : "false", false);
    add("local", local ? "true" : "false", false);
    std::string digits = joined(lead, 0);
    for (char& c : digits) c = c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c;
    const auto oui = maps[3].find(digits.substr(0, 6));
    const std::optional<std::vector<std::string>> ma_l =
        oui == maps[3].end() ? std::nullopt
                             : std::optional<std::vector<std::string>>(
                                   {oui->first, oui->second.organization, oui->second.address});
    nested("oui", {"assignment", "organization", "address"}, ma_l);
    std::optional<Block> block = longest_prefix(digits, maps[0], maps[1], maps[2], maps[3]);
    if (type == std::string("oui")) {
        block = ma_l ? std::optional<Block>({"MA-L", oui->second}) : std::nullopt;
    }
    nested("block", {"registry", "assignment", "organization", "address"},
           block ? std::optional<std::vector<std::string>>(
                       {block->registry, block->record.assignment, block->record.organization,
                        block->record.address})
                 : std::nullopt);
    add("input_type", std::string(type), true);
    const bool all_ones = type != std::string("oui") &&
                          lead == Bytes(lead.size(), 0xff);
    add("cast", std::string(!group ? "unicast" : all_ones ? "broadcast" : "multicast"), true);
    // IEEE 802c: Y is 0x04, Z is 0x08.
    const bool y = (lead[0] & 0x04) != 0, z = (lead[0] & 0x08) != 0;
    add("slap",
        !local ? std::nullopt
               : std::optional<std::string>(!y ? (z ? "ELI" : "AAI") : (z ? "SAI" : "reserved")),
        true);
    const Use use = type == std::string("oui") ? well_known_use(lead)
                    : eui48                    ? well_known_use(*eui48)
                                               : std::nullopt;
    add("randomized",
        type == std::string("oui")
            ? std::nullopt
            : std::optional<std::string>(local && !group && !use && !block ? "true" : "false"),
        false);
    nested("well_known", {"name", "reference"},
           use ? std::optional<std::vector<std::string>>({(*use)[0], (*use)[1]}) : std::nullopt);
    if (!json) add("error", "", true);
    return out + (json ? "}\n" : "\n");
}

}  // namespace hexalune_reference

#endif  // HEXALUNE_TESTS_REFERENCE_RECORD_REFERENCE_H_
