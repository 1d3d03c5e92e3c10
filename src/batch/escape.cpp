#include "escape.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace hexalune {

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";

bool continuation(std::string_view text, std::size_t at) {
    return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence of two to four bytes at `at`
// (RFC 3629: no overlong forms, surrogates or values past U+10FFFF), or 0.
std::size_t sequence_length(std::string_view text, std::size_t at) {
    const unsigned lead = static_cast<unsigned char>(text[at]);
    const unsigned next = at + 1 < text.size() ? static_cast<unsigned char>(text[at + 1]) : 0;
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
        if (!continuation(text, at + i)) return 0;
    }
    return length;
}

// Whether any of the eight bytes in `word` is a control character or at
// least 0x80, or equals one of the bytes in `special` (each repeated in
// every byte of its word). Why: nearly all of the listings' text needs no
// escaping, and is checked eight bytes at a time (whatever the byte order).
bool needs_care(std::uint64_t word, std::uint64_t special_a, std::uint64_t special_b) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
    const auto has_zero = [](std::uint64_t x) { return (x - kOnes) & ~x & kHighs; };
    // A byte below 0x20 has neither 0x40 nor 0x20 set; nor has a byte from
    // 0x80 to 0x9F, which the high bits catch anyway.
    return ((word & kHighs) | has_zero(word & 0x6060606060606060u) | has_zero(word ^ special_a) |
            has_zero(word ^ special_b)) != 0;
}

// Appends the bytes from `at` on that need no escaping in `plain`, and
// each valid multi-byte sequence, replacing invalid bytes; stops at the
// first ASCII byte that is not plain and gives its position. `a` and `b`
// are the bytes besides the control characters that plain() refuses.
template <typename Plain>
std::size_t append_until(std::string& out, std::string_view text, std::size_t at, Plain plain,
                         char a, char b) {
    const std::uint64_t special_a = 0x0101010101010101u * static_cast<unsigned char>(a);
    const std::uint64_t special_b = 0x0101010101010101u * static_cast<unsigned char>(b);
    while (at < text.size()) {
        std::size_t end = at;
        std::uint64_t word;
        while (end + 8 <= text.size() && (std::memcpy(&word, text.data() + end, 8),
                                          !needs_care(word, special_a, special_b))) {
            end += 8;
        }
        while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80 &&
               plain(text[end])) {
            ++end;
        }
        out.append(text, at, end - at);
        at = end;
        if (at == text.size() || static_cast<unsigned char>(text[at]) < 0x80) break;
        const std::size_t length = sequence_length(text, at);
        if (length == 0) {
            out += kReplacement;
            ++at;
        } else {
            out.append(text, at, length);
            at += length;
        }
    }
    return at;
}

bool plain_in_json(char c) { return c >= 0x20 && c != '"' && c != '\\'; }

bool plain_in_csv(char c) { return c >= 0x20 && c != '"' && c != ','; }

}  // namespace

void append_json_string(std::string& out, std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    for (std::size_t at = append_until(out, text, 0, plain_in_json, '"', '\\'); at < text.size();
         at = append_until(out, text, at + 1, plain_in_json, '"', '\\')) {
        const char c = text[at];
        out += '\\';
        switch (c) {
            case '"':
            case '\\':
                out += c;
                break;
            case '\n':
                out += 'n';
                break;
            case '\r':
                out += 'r';
                break;
            case '\t':
                out += 't';
                break;
            default:
                out += "u00";
                out += kHex[(c >> 4) & 0x0f];
                out += kHex[c & 0x0f];
        }
    }
    out += '"';
}

void append_csv_field(std::string& out, std::string_view text) {
    const std::size_t start = out.size();
    std::size_t at = append_until(out, text, 0, plain_in_csv, '"', ',');
    if (at == text.size()) return;
    // A character that needs quoting: the field again, quoted.
    out.resize(start);
    out += '"';
    for (at = 0; at < text.size();) {
        at = append_until(
            out, text, at, [](char c) { return c != '"'; }, '"', '"');
        if (at < text.size()) {
            out += "\"\"";
            ++at;
        }
    }
    out += '"';
}

}  // namespace hexalune
