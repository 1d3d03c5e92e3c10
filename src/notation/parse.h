#ifndef HEXALUNE_NOTATION_PARSE_H_
#define HEXALUNE_NOTATION_PARSE_H_

#include <string>
#include <string_view>
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

/// Reads an address in any of the forms devices print: six groups of two
/// hexadecimal digits separated by ':' or '-' ("00-80-10-A4-00-0C"), three
/// groups of four separated by '.' ("0080.10a4.000c"), or twelve bare
/// digits ("008010A4000C"), either case. Sets `bytes` to its six bytes and
/// gives true; gives false, leaving `bytes` unspecified, for any other
/// text: no white space, no mixed separators, no one-digit groups. Like
/// std::from_chars it writes into the caller's object, so that reading
/// millions of addresses allocates nothing.
bool parse_device_notation(std::string_view text, Bytes& bytes);

/// Whether `text` is exactly six colon-separated pairs of hexadecimal
/// digits, either case. A regular-expression failure is reported on
/// standard output as "Regex error: ..." and gives false.
bool is_valid_mac(const std::string& text);

}  // namespace hexalune

#endif  // HEXALUNE_NOTATION_PARSE_H_
