#ifndef HEXALUNE_CLI_READ_TOKEN_H_
#define HEXALUNE_CLI_READ_TOKEN_H_

#include <cstddef>
#include <istream>
#include <string>

namespace hexalune {

/// Reads one whitespace-delimited token, skipping leading white space and
/// stopping before the white space that ends it; nothing after the token
/// is read. Reading also stops once the token is longer than `limit`
/// characters, so endless input without white space cannot exhaust memory
/// or hang the run. End of input or a read error gives what was read so
/// far, possibly nothing.
std::string read_token(std::istream& in, std::size_t limit);

/// As read_token, and then reads and drops the rest of the token's line up
/// to and including its line feed, however long, keeping none of it.
/// Nothing past that line feed is read, nor anything once input has ended,
/// so at a terminal it waits for no further line.
std::string read_token_line(std::istream& in, std::size_t limit);

}  // namespace hexalune

#endif  // HEXALUNE_CLI_READ_TOKEN_H_
