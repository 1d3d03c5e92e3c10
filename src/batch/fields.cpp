#include "fields.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "escape.h"
#include "notation/eui64.h"
#include "notation/hex_pairs.h"
#include "notation/render.h"

namespace hexalune {

namespace {

char* put(char* out, std::string_view text) { return copy_text(out, text); }

char* put_bool(char* out, bool value) { return put(out, value ? "true" : "false"); }

// The first `digits` hexadecimal digits of the address, upper case: the
// assignment of its block.
char* put_assignment(char* out, const Bytes& mac, std::size_t digits) {
    for (std::size_t i = 0; i < digits / 2; ++i) out = put_hex_pair(out, kUpperHexPairs, mac[i]);
    if (digits % 2 != 0) *out++ = kUpperHexPairs.digits[2 * mac[digits / 2]];
    return out;
}

const std::string_view kTypes[] = {"eui48", "eui64", "ipv6", "oui"};
const std::string_view kCasts[] = {"unicast", "multicast", "broadcast"};
// IEEE 802c's quadrants, by the Y (0x04) and Z (0x08) bits.
const std::string_view kQuadrants[] = {"AAI", "reserved", "ELI", "SAI"};

using Write = char* (*)(char* out, const Facts& facts);
using TextOf = Text (*)(const Facts& facts, char* scratch);

Part word(std::size_t room, Write write) { return {nullptr, Style::kWord, room, write}; }
Part literal(Write write, std::size_t room = 5) { return {nullptr, Style::kLiteral, room, write}; }
Part text(TextOf text, std::size_t room = 0) {
    return {nullptr, Style::kText, room, nullptr, text};
}
Part named(const char* name, Part part) {
    part.name = name;
    return part;
}

// A notation of the address's EUI-48 or EUI-64.
template <char* (*Write)(char*, const Bytes&)>
Field eui48(const char* name, std::size_t room) {
    return {name,
            {word(room, [](char* out, const Facts& f) { return Write(out, *f.eui48); })},
            Shown::kValid,
            Needs::kEui48};
}
template <char* (*Write)(char*, const Bytes&)>
Field eui64(const char* name, std::size_t room) {
    return {name,
            {word(room, [](char* out, const Facts& f) { return Write(out, *f.eui64); })},
            Shown::kValid,
            Needs::kEui64};
}

// A field of what kind of address it is.
Field kind(const char* name, Part part, Needs needs = Needs::kKind) {
    return {name, {part}, Shown::kValid, needs, true};
}

char* hex(char* out, const Bytes& bytes) { return write_hex(out, bytes, true); }

const char kDecimalPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// `piece`, below 10^8, in eight decimal digits.
char* put_eight_digits(char* out, std::uint32_t piece) {
    const std::uint32_t high = piece / 10000, low = piece % 10000;
    std::memcpy(out, kDecimalPairs + 2 * (high / 100), 2);
    std::memcpy(out + 2, kDecimalPairs + 2 * (high % 100), 2);
    std::memcpy(out + 4, kDecimalPairs + 2 * (low / 100), 2);
    std::memcpy(out + 6, kDecimalPairs + 2 * (low % 100), 2);
    return out + 8;
}

// `piece`, below 10^8, in as many decimal digits as it takes.
char* put_digits(char* out, std::uint32_t piece) {
    const int count = 1 + (piece >= 10) + (piece >= 100) + (piece >= 1000) + (piece >= 10000) +
                      (piece >= 100000) + (piece >= 1000000) + (piece >= 10000000);
    char* at = out + count;
    for (; piece >= 100; piece /= 100) {
        at -= 2;
        std::memcpy(at, kDecimalPairs + 2 * (piece % 100), 2);
    }
    if (piece >= 10) {
        std::memcpy(at - 2, kDecimalPairs + 2 * piece, 2);
    } else {
        at[-1] = static_cast<char>('0' + piece);
    }
    return out + count;
}

}  // namespace

// A number in decimal. Why: in pieces of eight digits, each
// in 32-bit arithmetic two digits a step, it takes 0.6 of std::to_chars's
// time (perf, hexalune-batch on 1,000,000 lines).
char* put_decimal(char* out, std::uint64_t value) {
    constexpr std::uint64_t kPiece = 100000000;
    const std::uint64_t high = value / kPiece;
    if (high == 0) return put_digits(out, static_cast<std::uint32_t>(value));
    if (high < kPiece) {
        out = put_digits(out, static_cast<std::uint32_t>(high));
    } else {
        out = put_digits(out, static_cast<std::uint32_t>(high / kPiece));
        out = put_eight_digits(out, static_cast<std::uint32_t>(high % kPiece));
    }
    return put_eight_digits(out, static_cast<std::uint32_t>(value % kPiece));
}

namespace {

char* integer(char* out, const Bytes& bytes) { return put_decimal(out, to_integer(bytes)); }

// An owner's record: the MA-L record's (`Block` false) or the block's.
template <bool Block>
std::vector<Part> owner_parts() {
    std::vector<Part> parts;
    if (Block) {
        parts.push_back(named(
            "registry", word(4, [](char* out, const Facts& f) {
                static const auto kNames = [] {
                    std::array<std::string_view, 4> names;
                    for (Registry r : kRegistries) {
                        names[static_cast<std::size_t>(r)] = registry_name(r);
                    }
                    return names;
                }();
                return put(out, kNames[static_cast<std::size_t>(f.source.owner.block.registry)]);
            })));
    }
    parts.push_back(
        named("assignment", word(9, [](char* out, const Facts& f) {
                  const Registry registry = Block ? f.source.owner.block.registry : Registry::kMaL;
                  return put_assignment(out, *f.source.address, assignment_digits(registry));
              })));
    parts.push_back(named("organization", text([](const Facts& f, char*) {
                              const FlaggedAssignee& a = Block ? f.source.block : f.source.oui;
                              return Text{a.organization, a.organization_flags};
                          })));
    parts.push_back(named("address", text([](const Facts& f, char*) {
                              const FlaggedAssignee& a = Block ? f.source.block : f.source.oui;
                              return Text{a.address, a.address_flags};
                          })));
    parts.push_back(named("short", text([](const Facts& f, char*) {
                              const FlaggedAssignee& a = Block ? f.source.block : f.source.oui;
                              return Text{a.short_name, a.short_name_flags};
                          })));
    return parts;
}

std::vector<Field> fields() {
    return {
        {"input",
         {text([](const Facts& f, char*) { return Text{f.source.input}; })},
         Shown::kAlways},
        eui48<hex>("eui48", 17),
        eui48<write_bit_reversed>("eui48_bit_reversed", 17),
        eui48<write_dot_notation>("eui48_dot", 14),
        eui48<integer>("eui48_integer", 20),
        eui64<hex>("eui64", 23),
        eui64<write_bit_reversed>("eui64_bit_reversed", 23),
        eui64<write_dot_notation>("eui64_dot", 19),
        eui64<integer>("eui64_integer", 20),
        eui48<write_contained_mac48>("contained_mac48", 16),
        eui48<write_contained_eui48>("contained_eui48", 16),
        eui48<write_contained_eui48_ul>("contained_eui48_ul", 16),
        {"ipv6_link_local",
         {word(39,
               [](char* out, const Facts& f) {
                   return f.source.type == InputType::kEui64
                              ? write_ipv6_link_local_from_eui64(out, *f.eui64)
                              : write_ipv6_link_local_canonical(out, *f.eui48);
               })},
         Shown::kValid,
         Needs::kEui64},
        kind("multicast",
             literal([](char* out, const Facts& f) { return put_bool(out, f.kind.cast != 0); })),
        kind("local",
             literal([](char* out, const Facts& f) { return put_bool(out, f.kind.slap != 0); })),
        {"oui", owner_parts<false>(), Shown::kValid, Needs::kOuiAssignee, false,
         [](const Facts& f) { return f.source.owner.oui != kNoRecord; }},
        {"block", owner_parts<true>(), Shown::kValid, Needs::kBlockAssignee, false,
         [](const Facts& f) { return f.source.owner.block.record != kNoRecord; }},
        kind("input_type",
             word(5,
                  [](char* out, const Facts& f) {
                      return put(out, kTypes[static_cast<std::size_t>(f.source.type)]);
                  }),
             Needs::kNothing),
        kind("cast",
             word(9, [](char* out, const Facts& f) { return put(out, kCasts[f.kind.cast]); })),
        kind("slap", word(8,
                          [](char* out, const Facts& f) {
                              return f.kind.slap == 0 ? nullptr
                                                      : put(out, kQuadrants[f.kind.slap - 1]);
                          })),
        kind("randomized", literal([](char* out, const Facts& f) {
                 return f.source.type == InputType::kOui ? nullptr
                                                         : put_bool(out, f.kind.randomized);
             })),
        {"well_known",
         {named("name", text(
                            [](const Facts& f, char* scratch) {
                                const Bytes& mac =
                                    f.eui48 != nullptr ? *f.eui48 : *f.source.address;
                                const char* end =
                                    write_well_known_name(scratch, *f.kind.well_known, mac);
                                return Text{{scratch, static_cast<std::size_t>(end - scratch)}};
                            },
                            escaped_room(kWellKnownNameRoom))),
          named("reference",
                text([](const Facts& f,
                        char*) { return Text{well_known_reference(*f.kind.well_known)}; },
                     escaped_room(kWellKnownReferenceRoom)))},
         Shown::kValid,
         Needs::kKind,
         true,
         [](const Facts& f) { return f.kind.well_known != nullptr; }},
        {"line",
         {literal(
             [](char* out, const Facts& f) {
                 return f.source.line != 0 ? put_decimal(out, f.source.line) : nullptr;
             },
             20)},
         Shown::kAlways},
        {"label",
         {text([](const Facts& f, char*) {
             return Text{f.source.label.name, f.source.label.flags};
         })},
         Shown::kValid,
         Needs::kLabel},
        {"error",
         {text([](const Facts& f, char*) {
             if (f.source.address != nullptr) return Text{};
             return Text{f.source.error != nullptr ? f.source.error : kInvalidMac};
         })},
         Shown::kError},
    };
}

}  // namespace

std::size_t kind_key(InputType type, const Kind& kind) {
    return ((static_cast<std::size_t>(type) * 3 + kind.cast) * 5 + kind.slap) * 2 + kind.randomized;
}

Facts facts_of(const RecordSource& source, Needs needs, Bytes& eui48, Bytes& eui64) {
    Facts facts{source};
    if (source.address == nullptr || !any_of(needs, Needs::kEui48 | Needs::kEui64 | Needs::kKind)) {
        return facts;
    }
    const Bytes& a = *source.address;
    // Why element by element into buffers that keep their size: a vector's
    // assign costs more than the rest of this (callgrind).
    switch (source.type) {
        case InputType::kEui48:
        case InputType::kIpv6:
            eui64.resize(8);
            for (std::size_t i = 0; i < 3; ++i) eui64[i] = a[i], eui64[i + 5] = a[i + 3];
            eui64[3] = 0xff;
            eui64[4] = 0xfe;
            facts.eui48 = &a;
            facts.eui64 = &eui64;
            break;
        case InputType::kEui64:
            // The EUI-48 it holds after FF:FE or FF:FF.
            facts.eui64 = &a;
            if (a[3] == 0xff && (a[4] == 0xfe || a[4] == 0xff)) {
                eui48.resize(6);
                for (std::size_t i = 0; i < 3; ++i) eui48[i] = a[i], eui48[i + 3] = a[i + 5];
                facts.eui48 = &eui48;
            }
            break;
        case InputType::kOui:
            break;
    }
    if (!any_of(needs, Needs::kKind)) return facts;
    Kind& kind = facts.kind;
    const std::uint8_t first = a[0];
    if ((first & 0x01) != 0) {
        // Of an EUI-64, as of the EUI-48 it holds (ff:ff:ff:ff:fe:ff:ff:ff).
        const bool all_ones =
            facts.eui48 != nullptr && std::all_of(facts.eui48->begin(), facts.eui48->end(),
                                                  [](std::uint8_t byte) { return byte == 0xff; });
        kind.cast = all_ones ? 2 : 1;
    }
    if ((first & 0x02) != 0) kind.slap = 1 + ((first >> 2) & 0x03);
    if (source.type == InputType::kOui) {
        kind.well_known = find_well_known_oui(a);
    } else if (facts.eui48 != nullptr) {
        kind.well_known = find_well_known(*facts.eui48);
    }
    // Randomising systems set the local bit and draw the rest: what no
    // well-known use and no registry block explains.
    kind.randomized = (first & 0x03) == 0x02 && kind.well_known == nullptr &&
                      source.owner.block.record == kNoRecord;
    return facts;
}

const std::vector<Field>& record_fields() {
    static const std::vector<Field> kFields = fields();
    return kFields;
}

}  // namespace hexalune
