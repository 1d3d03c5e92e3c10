#ifndef HEXALUNE_BATCH_NAMES_H_
#define HEXALUNE_BATCH_NAMES_H_

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "notation/bytes.h"

namespace hexalune {

/// A user's name for the addresses that begin with a prefix: the first
/// `bits` (1 to 48) bits of `first`, an EUI-48 as a number whose other
/// bits are 0.
struct UserName {
    std::uint64_t first = 0;
    unsigned bits = 48;
    std::string name;
};

/// A user's name for an address, and what it holds (TextFlags,
/// owner_table_fast.h), so that a writer can copy it as it is.
struct Label {
    std::string_view name;  // data() null for none
    unsigned flags = 0;
};

/// The user's names, from their files in order: of names for the same
/// prefix, the last read wins.
class Names {
public:
    /// Adds the names of `text`, a names file's bytes, read from `file`:
    /// lines "PREFIX NAME", separated by a TAB or spaces. PREFIX is hex
    /// digits with any accepted separators or none, a whole address or a
    /// prefix of any whole number of digits, with "/BITS" (1 to 48) if any.
    /// "#" at a line's start or after white space begins a comment; blank
    /// lines are skipped. A bad line is reported on `report` as
    /// "FILE:LINE: reason" and skipped.
    void add_file(std::string_view text, std::string_view file, std::ostream& report);

    /// The name of the longest prefix that holds the six-byte `mac`; data()
    /// null for none. Of three bytes, an OUI alone, that of the longest
    /// prefix of 24 bits or fewer that holds the whole block.
    std::string_view label(const Bytes& mac) const { return flagged_label(mac).name; }

    /// As label, with what the name holds.
    Label flagged_label(const Bytes& mac) const;

    /// The distinct prefixes, each with the name that wins, sorted by
    /// `first`, then by `bits` ascending.
    std::vector<UserName> list() const;

    bool empty() const;

private:
    // A prefix in the table: its key (its first `bits` bits, `bits`
    // above them), and its place in names_.
    struct Slot {
        std::uint64_t key = 0;
        std::uint32_t name = kNoName;
        Label label;  // its name's, at hand: the probe that finds it has it
    };
    static constexpr std::uint32_t kNoName = 0xFFFFFFFF;

    // Every name read, in order.
    std::vector<UserName> names_;
    // Of the names of each prefix the last read, by key: open addressing,
    // in a power of two slots at most two thirds full. The lengths there
    // are, longest first.
    std::vector<Slot> slots_;
    unsigned shift_ = 64;
    std::vector<unsigned char> lengths_;
    // A bit for each key in the table, where the top bits of its hash
    // point: where it is clear, the table does not hold the key.
    std::vector<std::uint64_t> filter_;
    unsigned filter_shift_ = 64;
};

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_NAMES_H_
