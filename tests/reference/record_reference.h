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
#include <tuple>
#include <vector>

#include "reference/notation_reference.h"
#include "reference/registry_reference.h"
#include "reference/well_known_reference.h"
#include "registry/short_name.h"

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
           "ipv6_link_local,multicast,local,oui_assignment,oui_organization,oui_address,oui_short,"
           "block_registry,block_assignment,block_organization,block_address,block_short,"
           "input_type,cast,slap,randomized,well_known_name,well_known_reference,line,label,"
           "error\n";
}

/// A well-known use's name and reference.
using Use = std::optional<std::array<std::string, 2>>;

/// The well-known use of an address (six bytes) or of a whole OUI (three):
/// the row of the program's table, its name as the reference writes it.
inline Use well_known_use(const Bytes& bytes) {
    const hexalune::WellKnownEntry* entry =
        bytes.size() == 3 ? hexalune::find_well_known_oui(bytes) : hexalune::find_well_known(bytes);
    if (entry == nullptr) return std::nullopt;
    return std::array<std::string, 2>{well_known_name(*entry, bytes),
                                      std::string(hexalune::well_known_reference(*entry))};
}

/// The JSON Lines or CSV record of a trimmed line, line `line` of the
/// input (0: an argument), with the user's name `label`: an address's,
/// unless the line was `cut` off or is none, then the error record.
inline std::string record(const std::string& input, bool cut, const Maps& maps, bool json,
                          std::size_t line = 0, const std::string* label = nullptr) {
    std::string out;
    bool first = true;
    // A field; in JSON a string when `quoted`, else `value` as it is.
    const auto add = [&](const std::string& name, const std::string& value, bool quoted) {
        if (json) {
            out += (first ? "{\"" : ",\"") + name + "\":" + (quoted ? json_string(value) : value);
        } else {
            out += (first ? "" : ",") + csv_field(value);
        }
        first = false;
    };
    // A field the input gives none of: null in JSON, an empty column in CSV.
    const auto none = [&](const std::string& name) { add(name, json ? "null" : "", !json); };
    // An owner's fields: in JSON an object (its first field opens it), or
    // null for none.
    const auto owner = [&](const std::string& name, const std::optional<Block>& block,
                           bool registry) {
        const Block b = block.value_or(Block{});
        const std::string fields[][2] = {
            {"registry", b.registry},
            {"assignment", b.record.assignment},
            {"organization", b.record.organization},
            {"address", b.record.address},
            {"short", hexalune::short_name(b.record.organization, b.record.assignment)}};
        if (json) out += ",\"" + name + "\":" + (block ? "" : "null");
        first = json;
        for (std::size_t i = registry ? 0 : 1; i < 5 && (block || !json); ++i) {
            add(fields[i][0], fields[i][1], true);
        }
        if (json && block) out += '}';
        first = false;
    };
    add("input", input, true);
    const std::optional<Bytes> id = cut ? std::nullopt : parse_identifier(input);
    // An IPv6 address gives the EUI-48 after FF:FE in its interface identifier.
    const bool ipv6 = id && id->size() == 16;
    const bool no_mac = ipv6 && ((*id)[11] != 0xff || (*id)[12] != 0xfe);
    const std::string number = line != 0 ? std::to_string(line) : json ? "null" : "";
    if (!id || no_mac) {
        for (int i = 0; i < 29 && !json; ++i) add("", "", true);
        add("line", number, false);
        if (!json) add("label", "", true);
        add("error",
            no_mac ? "IPv6 interface identifier holds no MAC address" : "invalid MAC address",
            true);
        return out + (json ? "}\n" : "\n");
    }
    const Bytes& i6 = *id;
    const Bytes lead =
        ipv6 ? Bytes{static_cast<std::uint8_t>(i6[8] ^ 0x02), i6[9], i6[10], i6[13], i6[14], i6[15]}
             : i6;
    const std::string type = ipv6               ? "ipv6"
                             : lead.size() == 8 ? "eui64"
                             : lead.size() == 3 ? "oui"
                                                : "eui48";
    // The EUI-48: given, or held by an EUI-64 after FF:FE or FF:FF.
    std::optional<Bytes> mac;
    if (lead.size() == 6) mac = lead;
    if (type == "eui64" && lead[3] == 0xff && (lead[4] == 0xfe || lead[4] == 0xff)) {
        mac = Bytes{lead[0], lead[1], lead[2], lead[5], lead[6], lead[7]};
    }
    std::optional<Bytes> eui64 = type == "eui64" ? lead
                                 : mac           ? convert_to_eui64(*mac)
                                                 : std::nullopt;
    for (const std::optional<Bytes>* form : {&mac, &eui64}) {
        const std::string name = form == &eui64 ? "eui64" : "eui48";
        const Bytes* bytes = *form ? &**form : nullptr;
        for (const char* part : {"", "_bit_reversed", "_dot", "_integer"}) {
            if (!bytes) none(name + part);
        }
        if (!bytes) continue;
        add(name, to_hex(*bytes, true), true);
        add(name + "_bit_reversed", to_bit_reversed(*bytes), true);
        add(name + "_dot", to_dot_notation(*bytes), true);
        add(name + "_integer", std::to_string(to_integer(*bytes)), true);
    }
    for (const char* name : {"contained_mac48", "contained_eui48", "contained_eui48_ul"}) {
        if (!mac) none(name);
    }
    if (mac) {
        add("contained_mac48", *to_contained_mac48(*mac), true);
        add("contained_eui48", *to_contained_eui48(*mac), true);
        add("contained_eui48_ul", *to_contained_eui48_ul(*mac), true);
    }
    if (type == "eui64") add("ipv6_link_local", *ipv6_link_local_from_eui64(lead), true);
    if (type != "eui64" && mac) add("ipv6_link_local", *to_ipv6_link_local_canonical(*mac), true);
    if (!eui64) none("ipv6_link_local");
    const bool group = lead[0] & 0x01, local = lead[0] & 0x02;
    add("multicast", group ? "true" : "false", false);
    add("local", local ? "true" : "false", false);
    std::string digits = joined(lead, 0);
    for (char& c : digits) c = c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c;
    const auto oui = maps[3].find(digits.substr(0, 6));
    owner("oui", oui == maps[3].end() ? std::nullopt : std::optional<Block>({"", oui->second}),
          false);
    // Of an OUI alone only its MA-L block can be known.
    const auto ma_l =
        oui == maps[3].end() ? std::nullopt : std::optional<Block>({"MA-L", oui->second});
    owner("block",
          type == "oui" ? ma_l : longest_prefix(digits, maps[0], maps[1], maps[2], maps[3]), true);
    add("input_type", type, true);
    const bool broadcast = mac == Bytes(6, 0xff);
    add("cast", !group ? "unicast" : broadcast ? "broadcast" : "multicast", true);
    // IEEE 802c: Y is 0x04, Z is 0x08.
    const bool y = lead[0] & 0x04, z = lead[0] & 0x08;
    if (local) add("slap", !y ? (z ? "ELI" : "AAI") : (z ? "SAI" : "reserved"), true);
    if (!local) none("slap");
    const Use use = type == "oui" ? well_known_use(lead)
                    : mac         ? well_known_use(*mac)
                                  : std::nullopt;
    const bool held = type == "oui"
                          ? ma_l.has_value()
                          : longest_prefix(digits, maps[0], maps[1], maps[2], maps[3]).has_value();
    if (type == "oui") none("randomized");
    if (type != "oui")
        add("randomized", local && !group && !use && !held ? "true" : "false", false);
    if (json) out += std::string(",\"well_known\":") + (use ? "" : "null");
    first = json;
    for (std::size_t i = 0; i < 2 && (use || !json); ++i)
        add(i ? "reference" : "name", use ? (*use)[i] : "", true);
    if (json && use) out += '}';
    first = false;
    add("line", number, false);
    if (label) add("label", *label, true);
    if (!label) none("label");
    if (!json) add("error", "", true);
    return out + (json ? "}\n" : "\n");
}

/// The JSON Lines or CSV record of the block of the addresses that begin
/// with the first `bits` bits of `first`, a number whose other bits are 0:
/// its prefix in upper-case digits, rounded up to whole ones; `address`
/// none for a user's name.
inline std::string block_record(const std::string& registry, unsigned bits, std::uint64_t first,
                                const std::string& organization,
                                const std::optional<std::string>& address,
                                const std::string& short_name, bool json) {
    const std::uint64_t last = first + (std::uint64_t{1} << (48 - bits)) - 1;
    const auto hex = [](std::uint64_t value) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%012llX", static_cast<unsigned long long>(value));
        return std::string(digits);
    };
    // Each field's name, its value, and whether that is a JSON number.
    const std::tuple<const char*, std::optional<std::string>, bool> fields[] = {
        {"registry", registry, false},
        {"assignment", hex(first).substr(0, (bits + 3) / 4), false},
        {"bits", std::to_string(bits), true},
        {"first", to_hex(*parse_mac(hex(first)), true), false},
        {"last", to_hex(*parse_mac(hex(last)), true), false},
        {"first_integer", std::to_string(first), true},
        {"last_integer", std::to_string(last), true},
        {"organization", organization, false},
        {"address", address, false},
        {"short", short_name, false}};
    std::string out;
    for (const auto& [name, value, number] : fields) {
        out += !json ? (out.empty() ? "" : ",")
                     : (out.empty() ? "{\"" : ",\"") + std::string(name) + "\":";
        out += !value   ? (json ? "null" : "")
               : !json  ? csv_field(*value)
               : number ? *value
                        : json_string(*value);
    }
    return out + (json ? "}\n" : "\n");
}

}  // namespace hexalune_reference

#endif  // HEXALUNE_TESTS_REFERENCE_RECORD_REFERENCE_H_
