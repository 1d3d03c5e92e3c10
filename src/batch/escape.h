#ifndef HEXALUNE_BATCH_ESCAPE_H_
#define HEXALUNE_BATCH_ESCAPE_H_

#include <cstddef>
#include <string_view>

namespace hexalune {

// Text into the two record formats, written at `out` as the notation's
// write_ functions do; each returns the end of what it wrote. Both keep the
// output valid UTF-8 whatever the text holds: each byte that begins no
// valid UTF-8 sequence becomes U+FFFD, the replacement character.

/// Room enough for either form of `text` (the writers may store up to
/// eight bytes past their end, in this room).
constexpr std::size_t escaped_room(std::size_t bytes) { return bytes * 6 + 10; }
inline std::size_t escaped_room(std::string_view text) { return escaped_room(text.size()); }

/// `text` as a JSON string: quoted, with the quote, the backslash and every
/// control character escaped.
char* write_json_string(char* out, std::string_view text);

/// Whether a spreadsheet takes a field that begins with `c` for a formula:
/// =, +, -, @, a tab or a CR.
bool begins_formula(char c);

/// `text` as a CSV field (RFC 4180): quoted, inner quotes doubled, when it
/// holds a comma, a quote or a control character. Text that a spreadsheet
/// would take for a formula (beginning with =, +, -, @, a tab or a CR) is
/// quoted behind an apostrophe.
char* write_csv_field(char* out, std::string_view text);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_ESCAPE_H_
