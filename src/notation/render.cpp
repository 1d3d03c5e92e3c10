#include "render.h"

#include "hex_pairs.h"

namespace hexalune {

namespace {

// Writes the bytes' two-digit groups with `separator` between them (none
// when 0), each byte's bits reversed first if `kReversed`. Why: made for
// each separator, so that the loop has no branch but its own; a writer of
// records renders millions of these.
template <char kSeparator, bool kReversed>
char* write_groups(char* out, const Bytes& bytes) {
    const HexPairs& pairs = kReversed ? kReversedHexPairs : kHexPairs;
    // Locals: stores through `out` could otherwise alias the vector's own.
    const std::uint8_t* const data = bytes.data();
    return unrolled_for_eui(bytes.size(), [&](auto count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (kSeparator != 0 && i != 0) *out++ = kSeparator;
            out = put_hex_pair(out, pairs, data[i]);
        }
        return out;
    });
}

// The text a write_ function gives, as a string of its own.
template <typename Write>
std::string written(std::size_t room, Write write) {
    std::string text(room, '\0');
    text.resize(static_cast<std::size_t>(write(&text[0]) - text.data()));
    return text;
}

}  // namespace

char* write_hex(char* out, const Bytes& bytes, bool with_separators) {
    return with_separators ? write_groups<':', false>(out, bytes)
                           : write_groups<0, false>(out, bytes);
}

char* write_bit_reversed(char* out, const Bytes& bytes) {
    return write_groups<'-', true>(out, bytes);
}

char* write_dot_notation(char* out, const Bytes& bytes) {
    const std::uint8_t* const data = bytes.data();
    return unrolled_for_eui(bytes.size(), [&](auto count) {
        for (std::size_t i = 0; i < count; ++i) {
            out = put_hex_pair(out, kHexPairs, data[i]);
            if (i % 2 == 1 && i + 1 != count) *out++ = '.';
        }
        return out;
    });
}

std::string to_hex(const Bytes& bytes, bool with_separators) {
    return written(bytes.size() * 3,
                   [&](char* out) { return write_hex(out, bytes, with_separators); });
}

std::string to_bit_reversed(const Bytes& bytes) {
    return written(bytes.size() * 3, [&](char* out) { return write_bit_reversed(out, bytes); });
}

std::string to_dot_notation(const Bytes& bytes) {
    return written(bytes.size() * 3, [&](char* out) { return write_dot_notation(out, bytes); });
}

std::string to_byte_string(const Bytes& bytes) {
    return written(bytes.size() * 3 + 2, [&](char* out) {
        *out++ = '{';
        out = write_groups<',', false>(out, bytes);
        *out++ = '}';
        return out;
    });
}

std::uint64_t to_integer(const Bytes& bytes) {
    std::uint64_t value = 0;
    for (std::uint8_t byte : bytes) value = (value << 8) | byte;
    return value;
}

std::string to_base16_integer(const Bytes& bytes) {
    return written(bytes.size() * 2 + 2, [&](char* out) {
        *out++ = '0';
        *out++ = 'x';
        return write_hex(out, bytes, false);
    });
}

}  // namespace hexalune
