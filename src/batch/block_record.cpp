#include "block_record.h"

#include <cstdint>
#include <string_view>

#include "escape.h"
#include "fields.h"
#include "notation/render.h"

namespace hexalune {

namespace {

using Write = char* (*)(char* out, const AddressBlock& block);
using TextOf = std::string_view (*)(const AddressBlock& block);

// A field of the block record: its name (the JSON key and the CSV column)
// and how its value is written (Style): a word or a literal by `write`, a
// text by `text`.
struct BlockField {
    std::string_view name;
    Style style;
    Write write;
    TextOf text;
};

constexpr BlockField word(std::string_view name, Write write) {
    return {name, Style::kWord, write, nullptr};
}
constexpr BlockField literal(std::string_view name, Write write) {
    return {name, Style::kLiteral, write, nullptr};
}
constexpr BlockField text(std::string_view name, TextOf text) {
    return {name, Style::kText, nullptr, text};
}

// The most a word or a literal takes: an EUI-48's 17 characters.
constexpr std::size_t kValueRoom = 17;

// An EUI-48, given as a number, as the address record's eui48 is written.
char* eui48(char* out, std::uint64_t value) {
    // Why a buffer kept from record to record: a new one would be an
    // allocation for each of 100,000 values.
    thread_local Bytes mac(6);
    for (std::size_t i = 0; i < 6; ++i) mac[i] = static_cast<std::uint8_t>(value >> (40 - 8 * i));
    return write_hex(out, mac, true);
}

constexpr BlockField kFields[] = {
    word("registry", [](char* out, const AddressBlock& b) { return copy_text(out, b.registry); }),
    word("assignment",
         [](char* out, const AddressBlock& b) { return write_assignment(out, b); }),
    literal("bits", [](char* out, const AddressBlock& b) { return put_decimal(out, b.bits); }),
    word("first", [](char* out, const AddressBlock& b) { return eui48(out, b.first); }),
    word("last", [](char* out, const AddressBlock& b) { return eui48(out, b.last); }),
    literal("first_integer",
            [](char* out, const AddressBlock& b) { return put_decimal(out, b.first); }),
    literal("last_integer",
            [](char* out, const AddressBlock& b) { return put_decimal(out, b.last); }),
    text("organization", [](const AddressBlock& b) { return b.organization; }),
    text("address", [](const AddressBlock& b) { return b.address; }),
    // An assignee without a short name has an empty one.
    text("short",
         [](const AddressBlock& b) {
             return b.short_name.data() != nullptr ? b.short_name : std::string_view("");
         }),
};

}  // namespace

std::string block_header(Format format) {
    if (format == Format::kJson) return "";
    std::string header;
    for (const BlockField& field : kFields) (header += header.empty() ? "" : ",") += field.name;
    return header + '\n';
}

std::size_t block_room(const AddressBlock& block) {
    std::size_t room = 2;
    for (const BlockField& field : kFields) {
        room += field.name.size() + 6 +
                (field.style == Style::kText ? escaped_room(field.text(block)) : kValueRoom);
    }
    return room;
}

char* write_block_record(char* out, Format format, const AddressBlock& block) {
    const bool json = format == Format::kJson;
    if (json) *out++ = '{';
    for (const BlockField& field : kFields) {
        if (&field != kFields) *out++ = ',';
        if (json) {
            *out++ = '"';
            out = copy_text(out, field.name);
            out = copy_text(out, "\":");
        }
        if (field.style == Style::kText) {
            const std::string_view text = field.text(block);
            if (text.data() == nullptr) {
                out = json ? copy_text(out, "null") : out;
            } else {
                out = json ? write_json_string(out, text) : write_csv_field(out, text);
            }
            continue;
        }
        const bool quoted = json && field.style == Style::kWord;
        if (quoted) *out++ = '"';
        out = field.write(out, block);
        if (quoted) *out++ = '"';
    }
    if (json) *out++ = '}';
    *out++ = '\n';
    return out;
}

int write_block_records(const std::vector<AddressBlock>& blocks, Format format,
                        const Writer& write) {
    // Why pieces of 1 MiB: the whole registry, some 10 MB, then takes ten
    // writes.
    constexpr std::size_t kPiece = 1 << 20;
    Output output{write, write};
    const std::string header = block_header(format);
    append_records(output, header.size(), [&](char* out) { return copy_text(out, header); });
    for (const AddressBlock& block : blocks) {
        append_records(output, block_room(block),
                       [&](char* out) { return write_block_record(out, format, block); });
        if (output.size >= kPiece && !flush_output(output)) return output.error;
    }
    flush_output(output);
    return output.error;
}

}  // namespace hexalune
