#ifndef HEXALUNE_BATCH_ESCAPE_H_
#define HEXALUNE_BATCH_ESCAPE_H_

#include <string>
#include <string_view>

namespace hexalune {

// Text into the two record formats. Both keep the output valid UTF-8
// whatever the text holds: each byte that begins no valid UTF-8 sequence
// becomes U+FFFD, the replacement character.

/// Appends `text` as a JSON string: quoted, with the quote, the backslash
/// and every control character escaped.
void append_json_string(std::string& out, std::string_view text);

/// Appends `text` as a CSV field (RFC 4180): quoted, inner quotes doubled,
/// when it holds a comma, a quote or a control character.
void append_csv_field(std::string& out, std::string_view text);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_ESCAPE_H_
