#ifndef HEXALUNE_NOTATION_RENDER_H_
#define HEXALUNE_NOTATION_RENDER_H_

#include <cstdint>
#include <string>

#include "bytes.h"

namespace hexalune {

// Every byte below is written as two lower-case, zero-filled hexadecimal
// digits; no separator follows the last byte. Any length is accepted.

/// "00:80:10:a4:00:0c" with separators, "008010a4000c" without.
std::string to_hex(const Bytes& bytes, bool with_separators);

/// Each byte with its bit order reversed (the MSB-first form of Token Ring
/// and FDDI), groups joined by "-": 00:80:10:A4:00:0C gives
/// "00-01-08-25-00-30".
std::string to_bit_reversed(const Bytes& bytes);

/// Groups of two bytes joined by ".": "0080.10a4.000c"; an odd count leaves
/// a final single byte.
std::string to_dot_notation(const Bytes& bytes);

/// "{00,80,10,a4,00,0c}".
std::string to_byte_string(const Bytes& bytes);

/// The bytes as one big-endian unsigned 64-bit number; beyond eight bytes
/// the leading ones are shifted out.
std::uint64_t to_integer(const Bytes& bytes);

/// "0x" followed by the undivided digits: "0x008010a4000c".
std::string to_base16_integer(const Bytes& bytes);

// The same renderings written at `out`, which must have room for them
// (three characters a byte is always enough); each returns the end of what
// it wrote. For writers of many addresses that cannot afford a string for
// each (hexalune-batch's records), as std::to_chars is for numbers.

char* write_hex(char* out, const Bytes& bytes, bool with_separators);
char* write_bit_reversed(char* out, const Bytes& bytes);
char* write_dot_notation(char* out, const Bytes& bytes);

}  // namespace hexalune

#endif  // HEXALUNE_NOTATION_RENDER_H_
