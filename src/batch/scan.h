#ifndef HEXALUNE_BATCH_SCAN_H_
#define HEXALUNE_BATCH_SCAN_H_

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "notation/bytes.h"
#include "notation/parse.h"

namespace hexalune {

/// Where a scan of text read in pieces stands, kept from piece to piece.
///
/// An address in text is a run of groups of hexadecimal digits joined by
/// ':', '-' or '.' that is exactly one of the separated EUI-48 or EUI-64
/// notations parse_identifier reads. Its neighbours cannot continue it: a
/// group of other letters ("MAC:") or anything but a letter, a digit or a
/// separator ends it, and a trailing separator is punctuation. A longer run
/// of hexadecimal groups (a client-id of seven pairs), a single group (a
/// hash) and anything in a run with "::" (an IPv6 address) are none.
struct Scanner {
    enum class State { kIdle, kLive, kDead };
    State state = State::kIdle;
    std::size_t line = 1;   // of the text read so far
    std::string address;    // the live run's groups and separators so far
    std::size_t whole = 0;  // of them, up to the end of its last whole group
    int groups = 0;         // whole groups in it
    std::size_t shortest = 0, longest = 0;  // of its whole groups
    std::size_t group = 0;  // characters of the group being read
    bool word = false;      // the group being read holds a letter beyond f
    char separator = 0;     // the character before, if it was a separator
    bool ipv6 = false;      // the run holds "::", as an IPv6 address does: it holds none
    std::string held;       // read, not yet given back: what follows `whole`
};

/// Called for each address found, with its text, what parse_identifier
/// reads in it, and its line, as soon as what follows it shows it ends;
/// `echo` as scan_text's, where what it appends stands right after the
/// address.
using FoundAddress = std::function<void(std::string_view address, InputType type,
                                        const Bytes& bytes, std::size_t line, std::string* echo)>;

/// Scans `piece`, the next text read (empty: the end of the text), calling
/// `found` for each address. With `echo`, appends the text to it as it
/// goes, byte for byte: a few bytes after a possible address wait in the
/// scanner until it is known whether it ends there.
void scan_text(Scanner& scanner, std::string_view piece, std::string* echo,
               const FoundAddress& found);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_SCAN_H_
