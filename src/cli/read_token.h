#ifndef HEXALUNE_CLI_READ_TOKEN_H_
#define HEXALUNE_CLI_READ_TOKEN_H_

#include <cstddef>
#include <istream>
#include <string>

namespace hexalune {

/// Gives the next byte of input (0 to 255), or -1 at its end or on a read
/// error.
using NextByte = int (*)();

/// Reads one whitespace-delimited token byte by byte, skipping leading
/// white space; the white space that ends it is read too, and nothing
/// after it, so input that cannot be put back (a pipe) is left for the next
/// reader just after it. Reading also stops once the token is longer than
/// `limit` characters, so endless input without white space cannot exhaust
/// memory or hang the run. End of input or a read error gives what was
/// read so far, possibly nothing.
std::string read_token(NextByte next, std::size_t limit);

/// Reads a token as read_token does (from a stream), and then reads and
/// drops the rest of the token's line up to and including its line feed,
/// however long, keeping none of it.
/// Nothing past that line feed is read, nor anything once input has ended,
/// so at a terminal it waits for no further line.
std::string read_token_line(std::istream& in, std::size_t limit);

}  // namespace hexalune

#endif  // HEXALUNE_CLI_READ_TOKEN_H_
