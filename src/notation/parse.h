#ifndef HEXALUNE_NOTATION_PARSE_H_
#define HEXALUNE_NOTATION_PARSE_H_

#include <string>
#include <vector>

#include "bytes.h"

namespace hexalune {

/// Splits `text` at every `delimiter`. Adjacent delimiters give an empty
/// piece, a leading one an empty first piece; a delimiter at the very end
/// adds no empty piece, and empty text gives no pieces at all.
std::vector<std::string> split(const std::string& text, char delimiter);

/// Converts address text to six bytes. Accepts six colon-separated groups
/// of one or two hexadecimal digits (a single trailing colon is tolerated)
/// or exactly twelve bare hexadecimal digits; anything else throws
/// std::runtime_error("Invalid MAC address format").
Bytes parse_mac(const std::string& text);

/// Whether `text` is exactly six colon-separated pairs of hexadecimal
/// digits, either case. A regular-expression failure is reported on
/// standard output as "Regex error: ..." and gives false.
bool is_valid_mac(const std::string& text);

}  // namespace hexalune

#endif  // HEXALUNE_NOTATION_PARSE_H_
