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

// What a field holds.
enum class Value {
    kInput,
    kEui48,
    kEui48BitReversed,
    kEui48Dot,
    kEui48Integer,
    kEui64,
    kEui64BitReversed,
    kEui64Dot,
    kEui64Integer,
    kContainedMac48,
    kContainedEui48,
    kContainedEui48Ul,
    kIpv6LinkLocal,
    kMulticast,
    kLocal,
    kOui,
    kBlock,
    kError,
};

// A record's fields, in order: the CSV columns and the JSON keys. In JSON a
// quoted value is a string; the others are numbers, true or false, or
// write their own quotes or braces. An owner's fields are the registry
// record's own, which CSV gives as columns prefixed with the field's name.
// `room` is the most a value takes, escaped texts aside.
struct Field {
    const char* name;
    Value value;
    bool quoted;
    std::size_t room;
};
constexpr Field kFields[] = {
    {"input", Value::kInput, false, 0},
    {"eui48", Value::kEui48, true, 17},
    {"eui48_bit_reversed", Value::kEui48BitReversed, true, 17},
    {"eui48_dot", Value::kEui48Dot, true, 14},
    {"eui48_integer", Value::kEui48Integer, true, 20},
    {"eui64", Value::kEui64, true, 23},
    {"eui64_bit_reversed", Value::kEui64BitReversed, true, 23},
    {"eui64_dot", Value::kEui64Dot, true, 19},
    {"eui64_integer", Value::kEui64Integer, true, 20},
    {"contained_mac48", Value::kContainedMac48, true, 16},
    {"contained_eui48", Value::kContainedEui48, true, 16},
    {"contained_eui48_ul", Value::kContainedEui48Ul, true, 16},
    {"ipv6_link_local", Value::kIpv6LinkLocal, true, 39},
    {"multicast", Value::kMulticast, false, 5},
    {"local", Value::kLocal, false, 5},
    {"oui", Value::kOui, false, 64},
    {"block", Value::kBlock, false, 96},
    {"error", Value::kError, false, 2 * sizeof kInvalid},
};
constexpr std::size_t kFieldCount = sizeof kFields / sizeof kFields[0];
// An owner's fields; the MA-L record (oui) has no registry.
const char* const kOwnerFields[] = {"registry", "assignment", "organization", "address"};

// What goes before a field (in JSON the end of the previous quoted value,
// the key and the start of a quoted one; in CSV a comma), and what ends a
// record. Why: each is copied whole, 32 bytes at once (the room holds
// them), and the record goes on from its end.
struct LeadIn {
    char text[32];
    std::size_t size;
};
struct Layout {
    bool present[kFieldCount];
    LeadIn lead_in[kFieldCount];
    LeadIn owner[2][4];  // before each of kOwnerFields, of the MA-L record and of the block
    LeadIn end;
};

// Room for everything of a record but its escaped texts.
constexpr std::size_t fixed_room() {
    std::size_t room = sizeof(LeadIn::text);
    for (const Field& field : kFields) room += sizeof(LeadIn::text) + field.room;
    return room;
}

LeadIn lead_in(const std::string& text) {
    LeadIn lead_in{};
    text.copy(lead_in.text, sizeof lead_in.text - 1);
    lead_in.size = text.size();
    return lead_in;
}

// In CSV every field is written; in JSON an address's record has all but
// the error, an error record only the input and the error.
Layout layout(Format format, bool valid) {
    Layout layout{};
    const bool json = format == Format::kJson;
    bool open = false;  // a quoted value waits for its closing quote
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const Value value = kFields[i].value;
        layout.present[i] = !json || (valid ? value != Value::kError
                                            : value == Value::kInput || value == Value::kError);
        if (!layout.present[i]) continue;
        std::string text = i == 0 ? "" : ",";
        if (json) {
            text = std::string(open ? "\"" : "") + (i == 0 ? "{" : ",") + '"' + kFields[i].name +
                   "\":" + (kFields[i].quoted ? "\"" : "");
        }
        layout.lead_in[i] = lead_in(text);
        open = json && kFields[i].quoted;
    }
    layout.end = lead_in(std::string(open ? "\"" : "") + (json ? "}\n" : "\n"));
    for (std::size_t block = 0; block < 2; ++block) {
        for (std::size_t i = 1 - block; i < std::size(kOwnerFields); ++i) {
            // The registry's name and the assignment's digits need no
            // escaping: they are quoted here.
            std::string text = i == 1 - block ? (json ? "{" : "") : ",";
            if (json) {
                if ((block && i == 1) || i == 2) text = "\"" + text;
                text += std::string("\"") + kOwnerFields[i] + "\":" + (i < 2 ? "\"" : "");
            }
            layout.owner[block][i] = lead_in(text);
        }
    }
    return layout;
}

char* write_text(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

char* write_escaped(char* out, Format format, std::string_view text) {
    return format == Format::kJson ? write_json_string(out, text) : write_csv_field(out, text);
}

// An owner's text. Why: nearly all of them (97%) need no escaping, which
// the table says, and are copied whole: in JSON quoted, in CSV quoted if
// they hold a comma.
char* write_owner_text(char* out, Format format, std::string_view text, unsigned flags) {
    if ((flags & kPlain) == 0 || (!text.empty() && begins_formula(text[0]))) {
        return write_escaped(out, format, text);
    }
    const bool quoted = format == Format::kJson || (flags & kNoComma) == 0;
    if (quoted) *out++ = '"';
    out = write_text(out, text);
    if (quoted) *out++ = '"';
    return out;
}

// The first `digits` hexadecimal digits of the address, upper case: the
// assignment of its block.
char* write_assignment(char* out, const Bytes& mac, std::size_t digits) {
    static const char kDigits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < digits; ++i) {
        *out++ = kDigits[(mac[i / 2] >> (i % 2 == 0 ? 4 : 0)) & 0x0f];
    }
    return out;
}

// Where the MA-L record's fields were written, from its assignment's
// value to the end of its address.
struct Span {
    const char* begin = nullptr;
    const char* end = nullptr;
};

// An owner's record: in JSON an object or null, in CSV its columns, empty
// for none. Why: the block is most often the MA-L record itself, whose
// fields are then copied rather than escaped again.
char* write_owner(char* out, Format format, const RecordSource& source, const Layout& layout,
                  bool block, Span& oui) {
    const bool json = format == Format::kJson;
    const Registry registry = block ? source.owner.block.registry : Registry::kMaL;
    const std::uint32_t record = block ? source.owner.block.record : source.owner.oui;
    if (source.mac == nullptr || record == kNoRecord) {
        if (json) return write_text(out, "null");
        // A comma between each two of its columns.
        for (std::size_t i = block ? 1 : 2; i < std::size(kOwnerFields); ++i) *out++ = ',';
        return out;
    }
    const LeadIn* leads = layout.owner[block];
    const auto next = [&](std::size_t i) {
        std::memcpy(out, leads[i].text, sizeof leads[i].text);
        out += leads[i].size;
    };
    if (block) {
        next(0);
        out = write_text(out, registry_name(registry));
    }
    next(1);
    if (block && record == source.owner.oui && oui.begin != nullptr) {
        const auto size = static_cast<std::size_t>(oui.end - oui.begin);
        std::memmove(out, oui.begin, size);
        out += size;
    } else {
        const Assignee owner = assignee(*source.table, record);
        if (!block) oui.begin = out;
        out = write_assignment(out, *source.mac, assignment_digits(registry));
        next(2);
        out = write_owner_text(out, format, owner.organization, owner.organization_flags);
        next(3);
        out = write_owner_text(out, format, owner.address, owner.address_flags);
        if (!block) oui.end = out;
    }
    if (json) *out++ = '}';
    return out;
}

// Why: every value is written in place, with no string of its own; a run
// writes a million records a second.
char* write_value(char* out, Format format, const RecordSource& source, const Bytes& eui64,
                  Value value) {
    switch (value) {
        case Value::kInput:
            return write_escaped(out, format, source.input);
        case Value::kError:
            return source.mac == nullptr ? write_escaped(out, format, kInvalid) : out;
        default:
            break;
    }
    if (source.mac == nullptr) return out;
    const Bytes& mac = *source.mac;
    switch (value) {
        case Value::kEui48:
            return write_hex(out, mac, true);
        case Value::kEui48BitReversed:
            return write_bit_reversed(out, mac);
        case Value::kEui48Dot:
            return write_dot_notation(out, mac);
        case Value::kEui48Integer:
            return std::to_chars(out, out + 20, to_integer(mac)).ptr;
        case Value::kEui64:
            return write_hex(out, eui64, true);
        case Value::kEui64BitReversed:
            return write_bit_reversed(out, eui64);
        case Value::kEui64Dot:
            return write_dot_notation(out, eui64);
        case Value::kEui64Integer:
            return std::to_chars(out, out + 20, to_integer(eui64)).ptr;
        case Value::kContainedMac48:
            return write_contained_mac48(out, mac);
        case Value::kContainedEui48:
            return write_contained_eui48(out, mac);
        case Value::kContainedEui48Ul:
            return write_contained_eui48_ul(out, mac);
        case Value::kIpv6LinkLocal:
            return write_ipv6_link_local_canonical(out, mac);
        case Value::kMulticast:
            return write_text(out, is_multicast(mac) ? "true" : "false");
        case Value::kLocal:
            return write_text(out, is_local(mac) ? "true" : "false");
        default:
            return out;
    }
}

}  // namespace

std::string csv_header() {
    std::string header;
    for (const Field& field : kFields) {
        const bool owner = field.value == Value::kOui || field.value == Value::kBlock;
        if (!owner) (header += ',') += field.name;
        for (std::size_t i = field.value == Value::kOui ? 1 : 0; owner && i < 4; ++i) {
            ((header += ',') += field.name) += '_';
            header += kOwnerFields[i];
        }
    }
    return header.substr(1) + '\n';
}

std::size_t record_room(const RecordSource& source) {
    std::size_t room = fixed_room() + escaped_room(source.input);
    if (source.mac == nullptr) return room;
    for (const std::uint32_t record : {source.owner.oui, source.owner.block.record}) {
        if (record == kNoRecord) continue;
        const Assignee owner = assignee(*source.table, record);
        room += escaped_room(owner.organization) + escaped_room(owner.address);
    }
    return room;
}

char* write_record(char* out, Format format, const RecordSource& source) {
    static const Layout kLayouts[2][2] = {
        {layout(Format::kJson, false), layout(Format::kJson, true)},
        {layout(Format::kCsv, false), layout(Format::kCsv, true)}};
    const Layout& layout = kLayouts[format == Format::kCsv][source.mac != nullptr];
    // convert_to_eui64's expansion, in a buffer kept from record to record.
    thread_local Bytes eui64;
    if (const Bytes* mac = source.mac) {
        eui64.assign({(*mac)[0], (*mac)[1], (*mac)[2], 0xff, 0xfe, (*mac)[3], (*mac)[4], (*mac)[5]});
    }
    Span oui;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (!layout.present[i]) continue;
        std::memcpy(out, layout.lead_in[i].text, sizeof layout.lead_in[i].text);
        out += layout.lead_in[i].size;
        const Value value = kFields[i].value;
        out = value == Value::kOui || value == Value::kBlock
                  ? write_owner(out, format, source, layout, value == Value::kBlock, oui)
                  : write_value(out, format, source, eui64, value);
    }
    std::memcpy(out, layout.end.text, sizeof layout.end.text);
    return out + layout.end.size;
}

}  // namespace hexalune
