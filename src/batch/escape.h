#ifndef HEXALUNE_BATCH_ESCAPE_H_
#define HEXALUNE_BATCH_ESCAPE_H_

#include <cstddef>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace hexalune {

// Text into the two record formats, written at `out` as the notation's
// write_ functions do; each returns the end of what it wrote. Both keep the
// output valid UTF-8 whatever the text holds: each byte that begins no
// valid UTF-8 sequence becomes U+FFFD, the replacement character.

/// Room enough for either form of a text of `bytes` bytes, or of `text`
/// (the writers may read and store up to 32 bytes past their end, in this
/// room).
constexpr std::size_t escaped_room(std::size_t bytes) { return bytes * 6 + 40; }
inline std::size_t escaped_room(std::string_view text) { return escaped_room(text.size()); }

/// Copies `text` to `out` as it is; gives the end. Why: in moves of 32,
/// 16, 8 or 4 bytes, the last overlapping the one before, without a call,
/// a record's short texts take a third less time (perf, --csv).
inline char* copy_text(char* out, std::string_view text) {
    const char* const from = text.data();
    const std::size_t size = text.size();
    const auto moves = [&](auto width) {
        constexpr std::size_t kWidth = decltype(width)::value;
        for (std::size_t at = 0; at + kWidth < size; at += kWidth) {
            std::memcpy(out + at, from + at, kWidth);
        }
        std::memcpy(out + size - kWidth, from + size - kWidth, kWidth);
    };
    if (size >= 32) {
        moves(std::integral_constant<std::size_t, 32>{});
    } else if (size >= 16) {
        moves(std::integral_constant<std::size_t, 16>{});
    } else if (size >= 8) {
        moves(std::integral_constant<std::size_t, 8>{});
    } else if (size >= 4) {
        moves(std::integral_constant<std::size_t, 4>{});
    } else {
        for (std::size_t i = 0; i < size; ++i) out[i] = from[i];
    }
    return out + size;
}

/// `text` as a JSON string: quoted, with the quote, the backslash and every
/// control character escaped.
char* write_json_string(char* out, std::string_view text);

/// Whether a spreadsheet takes a field that begins with `c` for a formula:
/// =, +, -, @, a tab or a CR. Why a switch: one bit test, on each of a
/// record's seven texts.
inline bool begins_formula(char c) {
    switch (c) {
        case '=':
        case '+':
        case '-':
        case '@':
        case '\t':
        case '\r':
            return true;
        default:
            return false;
    }
}

/// `text` as a CSV field (RFC 4180): quoted, inner quotes doubled, when it
/// holds a comma, a quote or a control character. Text that a spreadsheet
/// would take for a formula (beginning with =, +, -, @, a tab or a CR) is
/// quoted behind an apostrophe.
char* write_csv_field(char* out, std::string_view text);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_ESCAPE_H_
