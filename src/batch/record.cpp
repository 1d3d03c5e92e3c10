#include "record.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

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

// Room for everything of a record but its escaped texts.
const std::size_t kFixedRoom = 1024;

char* write_text(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// What goes before each of kFields: in JSON the end of the previous value
// and the key (the twelve text values are strings, the flags not), in CSV
// a comma. Why: each is copied whole, 32 bytes at once (the room holds
// them), and the record goes on from its end.
struct LeadIn {
    char text[32];
    std::size_t size;
};
using LeadIns = std::array<LeadIn, kFieldCount>;

LeadIns lead_ins(Format format) {
    LeadIns lead_ins{};
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        std::string text = ",";
        if (format == Format::kJson) {
            text = std::string(i == 0 || i == 13 ? "," : "\",") + '"' + kFields[i] + "\":";
            if (i < 12) text += '"';
        }
        text.copy(lead_ins[i].text, sizeof lead_ins[i].text - 1);
        lead_ins[i].size = text.size();
    }
    return lead_ins;
}

// Why: every value is written in place, with no string of its own; a run
// writes a million records a second.
char* write_address(char* out, const Bytes& mac, const LeadIns& lead) {
    const Bytes eui64 = convert_to_eui64(mac);
    const auto next = [&](std::size_t i) {
        std::memcpy(out, lead[i].text, sizeof lead[i].text);
        out += lead[i].size;
    };
    next(0);
    out = write_hex(out, mac, true);
    next(1);
    out = write_bit_reversed(out, mac);
    next(2);
    out = write_dot_notation(out, mac);
    next(3);
    out = std::to_chars(out, out + 20, to_integer(mac)).ptr;
    next(4);
    out = write_hex(out, eui64, true);
    next(5);
    out = write_bit_reversed(out, eui64);
    next(6);
    out = write_dot_notation(out, eui64);
    next(7);
    out = std::to_chars(out, out + 20, to_integer(eui64)).ptr;
    next(8);
    out = write_contained_mac48(out, mac);
    next(9);
    out = write_contained_eui48(out, mac);
    next(10);
    out = write_contained_eui48_ul(out, mac);
    next(11);
    out = write_ipv6_link_local_canonical(out, mac);
    next(12);
    out = write_text(out, is_multicast(mac) ? "true" : "false");
    next(13);
    return write_text(out, is_local(mac) ? "true" : "false");
}

// A record's three fields: in JSON `"assignment":...,"organization":...,
// "address":...`, in CSV three columns, each after a comma.
char* write_fields(char* out, Format format, const OUIInfo& record) {
    if (format == Format::kCsv) {
        out = write_csv_field(write_text(out, ","), record.assignment);
        out = write_csv_field(write_text(out, ","), record.organization);
        return write_csv_field(write_text(out, ","), record.address);
    }
    out = write_json_string(write_text(out, "\"assignment\":"), record.assignment);
    out = write_json_string(write_text(out, ",\"organization\":"), record.organization);
    return write_json_string(write_text(out, ",\"address\":"), record.address);
}

// The owner's two records: the MA-L one (oui), then the block with its
// registry; in JSON objects or null, in CSV columns, empty for none. Why:
// the block is most often the MA-L record itself, whose fields are then
// copied rather than escaped again.
char* write_owner(char* out, Format format, const Owner& owner) {
    const bool json = format == Format::kJson;
    const char* oui_begin = nullptr;
    const char* oui_end = nullptr;
    if (owner.oui == nullptr) {
        out = write_text(out, json ? ",\"oui\":null" : ",,,");
    } else {
        if (json) out = write_text(out, ",\"oui\":{");
        oui_begin = out;
        out = write_fields(out, format, *owner.oui);
        oui_end = out;
        if (json) *out++ = '}';
    }
    if (owner.block.record == nullptr) return write_text(out, json ? ",\"block\":null" : ",,,,");
    const std::string_view registry = registry_name(owner.block.registry);
    out = write_text(write_text(out, json ? ",\"block\":{\"registry\":\"" : ","), registry);
    if (json) out = write_text(out, "\",");
    if (owner.block.record == owner.oui) {
        const std::size_t length = static_cast<std::size_t>(oui_end - oui_begin);
        std::memmove(out, oui_begin, length);
        out += length;
    } else {
        out = write_fields(out, format, *owner.block.record);
    }
    if (json) *out++ = '}';
    return out;
}

std::size_t room_for(const OUIInfo* record) {
    return record == nullptr
               ? 0
               : escaped_room(record->assignment) + escaped_room(record->organization) +
                     escaped_room(record->address);
}

}  // namespace

std::string csv_header() {
    std::string header = "input";
    for (const char* field : kFields) (header += ',') += field;
    for (const char* field : kRecordFields) (header += ",oui_") += field;
    header += ",block_registry";
    for (const char* field : kRecordFields) (header += ",block_") += field;
    return header + ",error\n";
}

std::size_t record_room(std::string_view input, const Owner* owner) {
    return kFixedRoom + escaped_room(input) +
           (owner == nullptr ? 0 : room_for(owner->oui) + room_for(owner->block.record));
}

char* write_record(char* out, Format format, std::string_view input, const Bytes& mac,
                   const Owner& owner) {
    static const LeadIns kJson = lead_ins(Format::kJson);
    static const LeadIns kCsv = lead_ins(Format::kCsv);
    if (format == Format::kCsv) {
        out = write_csv_field(out, input);
        out = write_address(out, mac, kCsv);  // digits and separators: nothing to quote
        return write_text(write_owner(out, format, owner), ",\n");
    }
    out = write_json_string(write_text(out, "{\"input\":"), input);
    out = write_address(out, mac, kJson);
    return write_text(write_owner(out, format, owner), "}\n");
}

char* write_invalid_record(char* out, Format format, std::string_view input) {
    if (format == Format::kCsv) {
        // The 21 fields of an address's record, empty.
        out = write_text(write_csv_field(out, input), ",,,,,,,,,,,,,,,,,,,,,,");
        return write_text(write_text(out, kInvalid), "\n");
    }
    out = write_json_string(write_text(out, "{\"input\":"), input);
    return write_text(write_text(write_text(out, ",\"error\":\""), kInvalid), "\"}\n");
}

}  // namespace hexalune
