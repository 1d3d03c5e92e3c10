#include "record.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <vector>

#include "escape.h"
#include "notation/eui64.h"
#include "notation/render.h"
#include "notation/well_known.h"
#include "registry/owner_table_fast.h"

namespace hexalune {

namespace {

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
    kInputType,
    kCast,
    kSlap,
    kRandomized,
    kWellKnown,
    kError,
};

// What a notation is made from: null where the input gives none (an
// EUI-64 that holds no EUI-48, an OUI alone).
enum class Needs { kNothing, kEui48, kEui64 };

// A nested field's parts, which CSV gives as columns prefixed with the
// field's name; the MA-L record (oui) has no registry.
const char* const kOuiParts[] = {"assignment", "organization", "address"};
const char* const kBlockParts[] = {"registry", "assignment", "organization", "address"};
const char* const kWellKnownParts[] = {"name", "reference"};

// A record's fields, in order: the CSV columns and the JSON keys. In JSON a
// quoted value is a string; the others are numbers, true, false or null,
// or write their own quotes or braces. `room` is the most a value takes,
// escaped texts aside.
struct Field {
    const char* name;
    Value value;
    bool quoted;
    std::size_t room;
    Needs needs = Needs::kNothing;
    const char* const* parts = nullptr;
    std::size_t part_count = 0;
};
constexpr Field kFields[] = {
    {"input", Value::kInput, false, 0},
    {"eui48", Value::kEui48, true, 17, Needs::kEui48},
    {"eui48_bit_reversed", Value::kEui48BitReversed, true, 17, Needs::kEui48},
    {"eui48_dot", Value::kEui48Dot, true, 14, Needs::kEui48},
    {"eui48_integer", Value::kEui48Integer, true, 20, Needs::kEui48},
    {"eui64", Value::kEui64, true, 23, Needs::kEui64},
    {"eui64_bit_reversed", Value::kEui64BitReversed, true, 23, Needs::kEui64},
    {"eui64_dot", Value::kEui64Dot, true, 19, Needs::kEui64},
    {"eui64_integer", Value::kEui64Integer, true, 20, Needs::kEui64},
    {"contained_mac48", Value::kContainedMac48, true, 16, Needs::kEui48},
    {"contained_eui48", Value::kContainedEui48, true, 16, Needs::kEui48},
    {"contained_eui48_ul", Value::kContainedEui48Ul, true, 16, Needs::kEui48},
    {"ipv6_link_local", Value::kIpv6LinkLocal, true, 39, Needs::kEui64},
    {"multicast", Value::kMulticast, false, 5},
    {"local", Value::kLocal, false, 5},
    {"oui", Value::kOui, false, 64, Needs::kNothing, kOuiParts, std::size(kOuiParts)},
    {"block", Value::kBlock, false, 96, Needs::kNothing, kBlockParts, std::size(kBlockParts)},
    {"input_type", Value::kInputType, false, 8},
    {"cast", Value::kCast, false, 11},
    {"slap", Value::kSlap, false, 10},
    {"randomized", Value::kRandomized, false, 5},
    {"well_known", Value::kWellKnown, false, 6 * (kWellKnownNameRoom + 64) + 64, Needs::kNothing,
     kWellKnownParts, std::size(kWellKnownParts)},
    {"error", Value::kError, false, 128},
};
constexpr std::size_t kFieldCount = sizeof kFields / sizeof kFields[0];

// What goes before a field (in JSON the end of the previous quoted value,
// the key and the start of a quoted one; in CSV a comma), and what ends a
// record. Why: each is copied whole, 32 bytes at once (the room holds
// them), and the record goes on from its end.
struct LeadIn {
    char text[32];
    std::size_t size;
};
// A record's lead-ins, by what the input gives: an error record, or an
// address with or without an EUI-48 and an EUI-64.
// A field a record holds: its lead-in and what it writes. Why a list of
// them: a record is written in one pass over its own fields, with no test
// of what the others hold.
struct Step {
    LeadIn lead_in;
    Value value;
    bool null;  // a notation the input gives none of
};
struct Layout {
    std::vector<Step> steps;
    // The same, the fields from input_type to well_known one step, of
    // value kInputType, which writes them whole (Tables::kind_texts).
    std::vector<Step> kind_text_steps;
    LeadIn owner[2][4];  // before each of kBlockParts, of the MA-L record and of the block
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
Layout layout(Format format, bool valid, bool eui48, bool eui64) {
    Layout layout{};
    const bool json = format == Format::kJson;
    bool open = false;  // a quoted value waits for its closing quote
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const Field& field = kFields[i];
        const bool present =
            !json || (valid ? field.value != Value::kError
                            : field.value == Value::kInput || field.value == Value::kError);
        const bool null =
            (field.needs == Needs::kEui48 && !eui48) || (field.needs == Needs::kEui64 && !eui64);
        if (!present) continue;
        const bool quoted = field.quoted && !null;
        std::string text = i == 0 ? "" : ",";
        if (json) {
            text = std::string(open ? "\"" : "") + (i == 0 ? "{" : ",") + '"' + field.name +
                   "\":" + (quoted ? "\"" : "");
        }
        layout.steps.push_back({lead_in(text), field.value, null});
        const bool kind = field.value >= Value::kInputType && field.value <= Value::kWellKnown;
        if (!kind || field.value == Value::kInputType) {
            layout.kind_text_steps.push_back({kind ? LeadIn{} : lead_in(text), field.value, null});
        }
        open = json && quoted;
    }
    layout.end = lead_in(std::string(open ? "\"" : "") + (json ? "}\n" : "\n"));
    for (std::size_t block = 0; block < 2; ++block) {
        for (std::size_t i = 1 - block; i < std::size(kBlockParts); ++i) {
            // The registry's name and the assignment's digits need no
            // escaping: they are quoted here.
            std::string text = i == 1 - block ? (json ? "{" : "") : ",";
            if (json) {
                if ((block && i == 1) || i == 2) text = "\"" + text;
                text += std::string("\"") + kBlockParts[i] + "\":" + (i < 2 ? "\"" : "");
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

// A word: in JSON a string, in CSV as it is.
char* write_word(char* out, Format format, std::string_view word) {
    if (format == Format::kJson) *out++ = '"';
    out = write_text(out, word);
    if (format == Format::kJson) *out++ = '"';
    return out;
}

// Nothing: in JSON null, in CSV an empty column, or `columns` of them.
char* write_null(char* out, Format format, std::size_t columns = 1) {
    if (format == Format::kJson) return write_text(out, "null");
    for (std::size_t i = 1; i < columns; ++i) *out++ = ',';
    return out;
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
    if (source.address == nullptr || record == kNoRecord) {
        return write_null(out, format, block ? std::size(kBlockParts) : std::size(kOuiParts));
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
        const FlaggedAssignee owner = flagged_assignee(*source.table, record);
        if (!block) oui.begin = out;
        out = write_assignment(out, *source.address, assignment_digits(registry));
        next(2);
        out = write_owner_text(out, format, owner.organization, owner.organization_flags);
        next(3);
        out = write_owner_text(out, format, owner.address, owner.address_flags);
        if (!block) oui.end = out;
    }
    if (json) *out++ = '}';
    return out;
}

// The address's EUI-48 and EUI-64, where the input gives them.
struct Forms {
    const Bytes* eui48 = nullptr;
    const Bytes* eui64 = nullptr;
};

// What an address is, from its bytes and what the tables say of it.
const std::string_view kCasts[] = {"unicast", "multicast", "broadcast"};
// IEEE 802c's quadrants, by the Y (0x04) and Z (0x08) bits.
const std::string_view kQuadrants[] = {"AAI", "reserved", "ELI", "SAI"};
struct Kind {
    std::size_t cast = 0;  // of kCasts
    std::size_t slap = 0;  // 0 for a universal address, else 1 + of kQuadrants
    const WellKnownEntry* well_known = nullptr;
    bool randomized = false;
};

Kind kind_of(const RecordSource& source, const Forms& forms) {
    const Bytes& address = *source.address;
    const std::uint8_t first = address[0];
    Kind kind;
    if ((first & 0x01) != 0) {
        // Of an EUI-64, as of the EUI-48 it holds (ff:ff:ff:ff:fe:ff:ff:ff).
        const bool all_ones = forms.eui48 != nullptr &&
                              std::all_of(forms.eui48->begin(), forms.eui48->end(),
                                          [](std::uint8_t byte) { return byte == 0xff; });
        kind.cast = all_ones ? 2 : 1;
    }
    if ((first & 0x02) != 0) kind.slap = 1 + ((first >> 2) & 0x03);
    if (source.type == InputType::kOui) {
        kind.well_known = find_well_known_oui(address);
    } else if (forms.eui48 != nullptr) {
        kind.well_known = find_well_known(*forms.eui48);
    }
    // Randomising systems set the local bit and draw the rest: what no
    // well-known use and no registry block explains.
    kind.randomized = (first & 0x03) == 0x02 && kind.well_known == nullptr &&
                      source.owner.block.record == kNoRecord;
    return kind;
}

// The well-known use: in JSON an object or null, in CSV two columns.
char* write_well_known(char* out, Format format, const RecordSource& source, const Kind& kind,
                       const Forms& forms) {
    if (kind.well_known == nullptr) return write_null(out, format, std::size(kWellKnownParts));
    char name[kWellKnownNameRoom];
    const char* const end = write_well_known_name(
        name, *kind.well_known, forms.eui48 != nullptr ? *forms.eui48 : *source.address);
    const bool json = format == Format::kJson;
    out = write_text(out, json ? "{\"name\":" : "");
    out = write_escaped(out, format, std::string_view(name, static_cast<std::size_t>(end - name)));
    out = write_text(out, json ? ",\"reference\":" : ",");
    out = write_escaped(out, format, well_known_reference(*kind.well_known));
    return json ? write_text(out, "}") : out;
}

// A field of what kind of address it is.
char* write_kind(char* out, Format format, const RecordSource& source, const Forms& forms,
                 const Kind& kind, Value value) {
    switch (value) {
        case Value::kInputType: {
            static const std::string_view kTypes[] = {"eui48", "eui64", "ipv6", "oui"};
            return write_word(out, format, kTypes[static_cast<std::size_t>(source.type)]);
        }
        case Value::kCast:
            return write_word(out, format, kCasts[kind.cast]);
        case Value::kSlap:
            return kind.slap != 0 ? write_word(out, format, kQuadrants[kind.slap - 1])
                                  : write_null(out, format);
        case Value::kRandomized:
            if (source.type == InputType::kOui) return write_null(out, format);
            return write_text(out, kind.randomized ? "true" : "false");
        case Value::kWellKnown:
            return write_well_known(out, format, source, kind, forms);
        default:
            return out;
    }
}

// Why: every value is written in place, with no string of its own; a run
// writes a million records a second.
char* write_value(char* out, Format format, const RecordSource& source, const Forms& forms,
                  const Kind& kind, Value value) {
    switch (value) {
        case Value::kInput:
            return write_escaped(out, format, source.input);
        case Value::kError:
            if (source.address != nullptr) return out;
            return write_escaped(out, format, source.error != nullptr ? source.error : kInvalidMac);
        case Value::kWellKnown:
            if (source.address != nullptr) break;
            return write_null(out, format, std::size(kWellKnownParts));
        default:
            break;
    }
    if (source.address == nullptr) return out;
    const Bytes& address = *source.address;
    switch (value) {
        case Value::kEui48:
            return write_hex(out, *forms.eui48, true);
        case Value::kEui48BitReversed:
            return write_bit_reversed(out, *forms.eui48);
        case Value::kEui48Dot:
            return write_dot_notation(out, *forms.eui48);
        case Value::kEui48Integer:
            return std::to_chars(out, out + 20, to_integer(*forms.eui48)).ptr;
        case Value::kEui64:
            return write_hex(out, *forms.eui64, true);
        case Value::kEui64BitReversed:
            return write_bit_reversed(out, *forms.eui64);
        case Value::kEui64Dot:
            return write_dot_notation(out, *forms.eui64);
        case Value::kEui64Integer:
            return std::to_chars(out, out + 20, to_integer(*forms.eui64)).ptr;
        case Value::kContainedMac48:
            return write_contained_mac48(out, *forms.eui48);
        case Value::kContainedEui48:
            return write_contained_eui48(out, *forms.eui48);
        case Value::kContainedEui48Ul:
            return write_contained_eui48_ul(out, *forms.eui48);
        case Value::kIpv6LinkLocal:
            return source.type == InputType::kEui64
                       ? write_ipv6_link_local_from_eui64(out, *forms.eui64)
                       : write_ipv6_link_local_canonical(out, *forms.eui48);
        case Value::kMulticast:
            return write_text(out, is_multicast(address) ? "true" : "false");
        case Value::kLocal:
            return write_text(out, is_local(address) ? "true" : "false");
        default:
            return write_kind(out, format, source, forms, kind, value);
    }
}

// The fields from input_type to well_known, lead-ins and all, of an
// address of no well-known use: one of 120 texts, by its input's type, its
// cast, its quadrant and whether it is random, written once each. Why:
// copied whole they cost a fifth of writing those five fields.
// What writing a format's records goes by: its layouts (an error record;
// an address whose EUI-48 and EUI-64 are both known; an EUI-64 that holds
// no EUI-48; an OUI alone), and the fields from input_type to well_known
// of an address of no well-known use, one of 120 texts by its input's
// type, its cast, its quadrant and whether it is random, written once
// each. Why: copied whole they cost a fifth of writing those fields.
struct Tables {
    Layout layouts[4];
    std::string kind_texts[4 * 3 * 5 * 2];
};

std::size_t kind_index(InputType type, const Kind& kind) {
    return ((static_cast<std::size_t>(type) * 3 + kind.cast) * 5 + kind.slap) * 2 + kind.randomized;
}

Tables tables(Format format) {
    Tables tables{{layout(format, false, false, false), layout(format, true, true, true),
                   layout(format, true, false, true), layout(format, true, false, false)},
                  {}};
    const Bytes address(8);
    for (std::size_t type = 0; type < 4; ++type) {
        RecordSource source;
        source.type = static_cast<InputType>(type);
        source.address = &address;
        for (std::size_t at = 0; at < 3 * 5 * 2; ++at) {
            const Kind kind{at / 10, at / 2 % 5, nullptr, at % 2 == 1};
            char text[256];
            char* out = text;
            for (const Step& step : tables.layouts[1].steps) {
                if (step.value < Value::kInputType || step.value > Value::kWellKnown) continue;
                out = write_text(out, {step.lead_in.text, step.lead_in.size});
                out = write_kind(out, format, source, Forms{}, kind, step.value);
            }
            tables.kind_texts[kind_index(source.type, kind)].assign(text, out);
        }
    }
    return tables;
}

// A format's tables, made when its first record is written: a run writes
// one format.
const Tables& tables_of(Format format) {
    if (format == Format::kJson) {
        static const Tables kJson = tables(Format::kJson);
        return kJson;
    }
    static const Tables kCsv = tables(Format::kCsv);
    return kCsv;
}

}  // namespace

std::string csv_header() {
    std::string header;
    for (const Field& field : kFields) {
        if (field.parts == nullptr) (header += ',') += field.name;
        for (std::size_t i = 0; i < field.part_count; ++i) {
            ((header += ',') += field.name) += '_';
            header += field.parts[i];
        }
    }
    return header.substr(1) + '\n';
}

std::size_t record_room(const RecordSource& source) {
    std::size_t room = fixed_room() + escaped_room(source.input);
    if (source.address == nullptr) return room;
    for (const std::uint32_t record : {source.owner.oui, source.owner.block.record}) {
        if (record == kNoRecord) continue;
        const Assignee owner = assignee(*source.table, record);
        room += escaped_room(owner.organization) + escaped_room(owner.address);
    }
    return room;
}

char* write_record(char* out, Format format, const RecordSource& source) {
    const Tables& tables = tables_of(format);
    // The forms the input does not give itself, in buffers kept from record
    // to record: convert_to_eui64's expansion, or the EUI-48 an EUI-64
    // holds (after FF:FE or FF:FF).
    thread_local Bytes eui64, eui48;
    Forms forms;
    if (const Bytes* address = source.address) {
        const Bytes& a = *address;
        switch (source.type) {
            case InputType::kEui48:
            case InputType::kIpv6:
                eui64.assign({a[0], a[1], a[2], 0xff, 0xfe, a[3], a[4], a[5]});
                forms = {address, &eui64};
                break;
            case InputType::kEui64:
                forms.eui64 = address;
                if (a[3] == 0xff && (a[4] == 0xfe || a[4] == 0xff)) {
                    eui48.assign({a[0], a[1], a[2], a[5], a[6], a[7]});
                    forms.eui48 = &eui48;
                }
                break;
            case InputType::kOui:
                break;
        }
    }
    const std::size_t shape = source.address == nullptr ? 0
                              : forms.eui48 != nullptr  ? 1
                              : forms.eui64 != nullptr  ? 2
                                                        : 3;
    const Layout& layout = tables.layouts[shape];
    const Kind kind = source.address != nullptr ? kind_of(source, forms) : Kind{};
    const bool kind_text = source.address != nullptr && kind.well_known == nullptr;
    Span oui;
    for (const Step& step : kind_text ? layout.kind_text_steps : layout.steps) {
        std::memcpy(out, step.lead_in.text, sizeof step.lead_in.text);
        out += step.lead_in.size;
        if (step.null) {
            out = write_null(out, format);
        } else if (step.value == Value::kOui || step.value == Value::kBlock) {
            out = write_owner(out, format, source, layout, step.value == Value::kBlock, oui);
        } else if (kind_text && step.value == Value::kInputType) {
            out = write_text(out, tables.kind_texts[kind_index(source.type, kind)]);
        } else {
            out = write_value(out, format, source, forms, kind, step.value);
        }
    }
    std::memcpy(out, layout.end.text, sizeof layout.end.text);
    return out + layout.end.size;
}

}  // namespace hexalune
