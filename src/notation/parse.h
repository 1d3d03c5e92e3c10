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

/// What an input names: an EUI-48, an EUI-64, an IPv6 address or an OUI alone.
enum class InputType { kEui48, kEui64, kIpv6, kOui };

/// Reads `text` as any identifier hexalune-batch takes, either case:
/// - an EUI-48, as parse_device_notation, or as switches and BSD systems
///   print it: three groups of four digits joined by '-' (Huawei VRP, H3C,
///   HPE Comware), two groups of six joined by '-' (HP ProCurve,
///   ArubaOS-Switch), six groups of one or two digits joined by ':' (macOS
///   and BSD `arp -a`) (6 bytes);
/// - an EUI-64: eight pairs of digits joined by ':' or '-' (the same
///   separator throughout), four groups of four joined by '.', or 16 bare
///   digits (8 bytes). Eight two-digit pairs are always an EUI-64, though
///   IPv6 text could read them too;
/// - an IPv6 address in any text form RFC 4291 section 2.2 allows (one to
///   four digits a group, one "::" for one or more zero groups, a dotted
///   IPv4 quad, without leading zeros, in the last 32 bits), with an
///   optional "%zone" suffix (zone: one or more characters, none of them
///   white space; ignored) (16 bytes);
/// - an OUI alone: three pairs joined by ':' or '-', or six bare digits
///   (3 bytes).
/// Sets `type` and `bytes` and gives true; false for anything else (bytes
/// unspecified). Allocates nothing once `bytes` has capacity for 16.
bool parse_identifier(std::string_view text, InputType& type, Bytes& bytes);

/// Whether `text` is exactly six colon-separated pairs of hexadecimal
/// digits, either case. A regular-expression failure is reported on
/// standard output as "Regex error: ..." and gives false.
bool is_valid_mac(const std::string& text);

}  // namespace hexalune

#endif  // HEXALUNE_NOTATION_PARSE_H_
