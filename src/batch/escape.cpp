#include "escape.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace hexalune {

namespace {

// The length of the valid UTF-8 sequence of two to four bytes at `at`
// (RFC 3629: no overlong forms, surrogates or values past U+10FFFF), or 0.
std::size_t sequence_length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
    };
    const unsigned lead = byte(0), next = byte(1);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        if ((lead == 0xE0 && next < 0xA0) || (lead == 0xED && next > 0x9F)) return 0;
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        if ((lead == 0xF0 && next < 0x90) || (lead == 0xF4 && next > 0x8F)) return 0;
        length = 4;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
    }
    return length;
}

// Whether any of the eight bytes of `word` is a control character, at
// least 0x80, or one of the two bytes repeated in `a` and `b`.
bool needs_care(std::uint64_t word, std::uint64_t a, std::uint64_t b) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
    const auto has_zero = [](std::uint64_t x) { return (x - kOnes) & ~x & kHighs; };
    // A byte below 0x20 has neither 0x40 nor 0x20 set; neither has one from
    // 0x80 to 0x9F, which its high bit marks anyway.
    return ((word & kHighs) | has_zero(word & 0x6060606060606060u) | has_zero(word ^ a) |
            has_zero(word ^ b)) != 0;
}

// Copies the text from `at` on up to the first byte that is a control
// character, `special_a` or `special_b`, writing each valid multi-byte
// sequence as it is and U+FFFD for each byte that begins none; gives the
// position of that byte (or the end). Why: nearly all of the listings'
// text needs no escaping, and is checked and copied eight bytes at a time.
std::size_t copy_plain(char*& out, std::string_view text, std::size_t at, char special_a,
                       char special_b) {
    const std::uint64_t a = 0x0101010101010101u * static_cast<unsigned char>(special_a);
    const std::uint64_t b = 0x0101010101010101u * static_cast<unsigned char>(special_b);
    while (at < text.size()) {
        // Eight bytes, or the last few padded with a plain letter.
        const std::size_t take = std::min<std::size_t>(8, text.size() - at);
        std::uint64_t word;
        if (take == 8) {
            std::memcpy(&word, text.data() + at, 8);
        } else {
            char bytes[8] = {'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A'};
            for (std::size_t i = 0; i < take; ++i) bytes[i] = text[at + i];
            std::memcpy(&word, bytes, 8);
        }
        if (!needs_care(word, a, b)) {
            std::memcpy(out, &word, 8);  // the room holds all eight; the end moves by `take`
            out += take;
            at += take;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (c < 0x80) {
            if (c < 0x20 || c == static_cast<unsigned char>(special_a) ||
                c == static_cast<unsigned char>(special_b)) {
                break;
            }
            *out++ = static_cast<char>(c);
            ++at;
            continue;
        }
        const std::size_t length = sequence_length(text, at);
        if (length == 0) {
            for (char r : {'\xEF', '\xBF', '\xBD'}) *out++ = r;
            ++at;
        } else {
            std::memcpy(out, text.data() + at, length);
            out += length;
            at += length;
        }
    }
    return at;
}

}  // namespace

char* write_json_string(char* out, std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    *out++ = '"';
    for (std::size_t at = copy_plain(out, text, 0, '"', '\\'); at < text.size();
         at = copy_plain(out, text, at + 1, '"', '\\')) {
        const char c = text[at];
        *out++ = '\\';
        switch (c) {
            case '"':
            case '\\':
                *out++ = c;
                break;
            case '\n':
                *out++ = 'n';
                break;
            case '\r':
                *out++ = 'r';
                break;
            case '\t':
                *out++ = 't';
                break;
            default:
                for (char d : {'u', '0', '0', kHex[(c >> 4) & 0x0f], kHex[c & 0x0f]}) *out++ = d;
        }
    }
    *out++ = '"';
    return out;
}

char* write_csv_field(char* out, std::string_view text) {
    // A spreadsheet takes a cell that begins with one of these for a formula
    // and runs it (OWASP's "CSV Injection"); behind an apostrophe, in
    // quotes, Calc and Excel show it as the text it is.
    const bool formula = !text.empty() && begins_formula(text[0]);
    // Written one place on, leaving room for an opening quote, which the
    // first character that needs quoting puts there; a field without one
    // moves back. Why: one pass over the text, quoted or not.
    char* const start = out++;
    if (formula) *out++ = '\'';
    std::size_t at = copy_plain(out, text, 0, '"', ',');
    if (at == text.size() && !formula) {
        // Moved back 32 bytes at a time, each block read before it is
        // written (the room holds the bytes read past the end). Why: no
        // call, on nearly every field.
        for (char* from = start + 1; from < out; from += 32) {
            char block[32];
            std::memcpy(block, from, 32);
            std::memcpy(from - 1, block, 32);
        }
        return out - 1;
    }
    *start = '"';
    while (at < text.size()) {
        // A quote doubled; a comma or a control character as it is.
        if (text[at] == '"') *out++ = '"';
        *out++ = text[at++];
        at = copy_plain(out, text, at, '"', ',');
    }
    *out++ = '"';
    return out;
}

}  // namespace hexalune
