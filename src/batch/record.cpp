#include "record.h"

#include <array>
#include <charconv>
#include <cstdint>

#include "escape.h"
#include "notation/eui64.h"
#include "notation/render.h"

namespace hexalune {

namespace {

const char kInvalid[] = "invalid MAC address";

// The address's fields in order, then its flags. In CSV a record's fields
// become columns, prefixed with the record's name.
const char* const kFields[] = {"eui48",
                               "eui48_bit_reversed",
                               "eui48_dot",
                               "eui48_integer",
                               "eui64",
                               "eui64_bit_reversed",
                               "eui64_dot",
                               "eui64_integer",
                               "contained_mac48",
                               "contained_eui48",
                               "contained_eui48_ul",
                               "ipv6_link_local",
                               "multicast",
                               "local"};
const std::size_t kFieldCount = sizeof kFields / sizeof kFields[0];
const char* const kRecordFields[] = {"assignment", "organization", "address"};

// What goes before each of kFields: in JSON the end of the previous value
// and the key (the twelve text values are strings, the flags not), in CSV
// a comma.
using LeadIns = std::array<std::string, kFieldCount>;

LeadIns json_lead_ins() {
    LeadIns lead_ins;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        lead_ins[i] = std::string(i == 0 || i == 13 ? "," : "\",") + '"' + kFields[i] + "\":";
        if (i < 12) lead_ins[i] += '"';
    }
    return lead_ins;
}

void append_decimal(std::string& out, std::uint64_t value) {
    char digits[20];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// Why: a record is appended in place, with no string of its own for any
// value; a run writes a million of them a second.
void append_address(std::string& out, const Bytes& mac, const LeadIns& lead) {
    const Bytes eui64 = convert_to_eui64(mac);
    out += lead[0];
    append_hex(out, mac, true);
    out += lead[1];
    append_bit_reversed(out, mac);
    out += lead[2];
    append_dot_notation(out, mac);
    out += lead[3];
    append_decimal(out, to_integer(mac));
    out += lead[4];
    append_hex(out, eui64, true);
    out += lead[5];
    append_bit_reversed(out, eui64);
    out += lead[6];
    append_dot_notation(out, eui64);
    out += lead[7];
    append_decimal(out, to_integer(eui64));
    out += lead[8];
    append_contained_mac48(out, mac);
    out += lead[9];
    append_contained_eui48(out, mac);
    out += lead[10];
    append_contained_eui48_ul(out, mac);
    out += lead[11];
    append_ipv6_link_local_canonical(out, mac);
    out += lead[12];
    out += is_multicast(mac) ? "true" : "false";
    out += lead[13];
    out += is_local(mac) ? "true" : "false";
}

// `,"name":{...}` for a record, or `,"name":null`.
void append_json_record(std::string& out, const char* name, const char* registry,
                        const OUIInfo* record) {
    ((out += ",\"") += name) += "\":";
    if (record == nullptr) {
        out += "null";
        return;
    }
    out += '{';
    if (registry != nullptr) ((out += "\"registry\":\"") += registry) += "\",";
    out += "\"assignment\":";
    append_json_string(out, record->assignment);
    out += ",\"organization\":";
    append_json_string(out, record->organization);
    out += ",\"address\":";
    append_json_string(out, record->address);
    out += '}';
}

// The CSV columns of a record, empty for none.
void append_csv_record(std::string& out, const char* registry, const OUIInfo* record) {
    if (registry != nullptr) {
        out += ',';
        if (record != nullptr) out += registry;
    }
    if (record == nullptr) {
        out += ",,,";
        return;
    }
    out += ',';
    append_csv_field(out, record->assignment);
    out += ',';
    append_csv_field(out, record->organization);
    out += ',';
    append_csv_field(out, record->address);
}

}  // namespace

void append_csv_header(std::string& out) {
    out += "input";
    for (const char* field : kFields) (out += ',') += field;
    for (const char* field : kRecordFields) (out += ",oui_") += field;
    out += ",block_registry";
    for (const char* field : kRecordFields) (out += ",block_") += field;
    out += ",error\n";
}

void append_record(std::string& out, Format format, std::string_view input, const Bytes& mac,
                   const Owner& owner) {
    static const LeadIns kJson = json_lead_ins();
    static const LeadIns kCsv = [] {
        LeadIns commas;
        commas.fill(",");
        return commas;
    }();
    const char* const registry = registry_name(owner.block.registry);
    if (format == Format::kCsv) {
        append_csv_field(out, input);
        append_address(out, mac, kCsv);  // digits and separators: nothing to quote
        append_csv_record(out, nullptr, owner.oui);
        append_csv_record(out, registry, owner.block.record);
        out += ",\n";
        return;
    }
    out += "{\"input\":";
    append_json_string(out, input);
    append_address(out, mac, kJson);
    append_json_record(out, "oui", nullptr, owner.oui);
    append_json_record(out, "block", registry, owner.block.record);
    out += "}\n";
}

void append_invalid_record(std::string& out, Format format, std::string_view input) {
    if (format == Format::kCsv) {
        append_csv_field(out, input);
        // The 21 fields of an address's record, empty.
        (out += std::string(22, ',')) += kInvalid;
        out += '\n';
        return;
    }
    out += "{\"input\":";
    append_json_string(out, input);
    ((out += ",\"error\":\"") += kInvalid) += "\"}\n";
}

}  // namespace hexalune
