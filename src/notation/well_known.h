#ifndef HEXALUNE_NOTATION_WELL_KNOWN_H_
#define HEXALUNE_NOTATION_WELL_KNOWN_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "bytes.h"

namespace hexalune {

/// How a row's name for one address is formed.
enum class WellKnownForm : std::uint8_t {
    /// The name alone: "Broadcast".
    kFixed,
    /// The name, the address's offset in the range in decimal, then the
    /// detail: "VRRP router 10 (IPv4)".
    kNumber,
    /// The name and an IPv4 group, one of the 32 that share the address: the
    /// detail, where the row names a group and its protocol, else the group
    /// 224.x.y.z of the address's low 23 bits: "IPv4 multicast
    /// 239.255.255.250 (SSDP) (or one of 31 other groups that map to this
    /// address)".
    kIpv4Group,
    /// The name and the link-local IPv6 group of the address's low 32 bits
    /// (ff02::1:ffxx:xxxx, the solicited-node group, where they begin with
    /// ff), the detail in parentheses when there is one, then that other
    /// groups end in the same bits: "IPv6 multicast ff02::1 (all nodes), or
    /// another group ending in these 32 bits".
    kIpv6Group,
};

/// A row of the table of addresses with a standardised or widely documented use.
struct WellKnownEntry {
    /// The range the row covers, first and last address as 48-bit integers
    /// (the first byte most significant).
    std::uint64_t first;
    std::uint64_t last;
    WellKnownForm form;
    /// The name, or its start for the forms that add to it; alone, it is
    /// the name for an OUI.
    const char* name;
    /// What kNumber writes after the number, what kIpv6Group writes in
    /// parentheses after the group, the group kIpv4Group writes; "" for
    /// nothing.
    const char* detail;
    /// The standard or the documentation that defines the use.
    const char* reference;
};

/// Every row, sorted by `first`, a row before the narrower ones it holds.
/// Rows either nest or are apart.
struct WellKnownRows {
    const WellKnownEntry* first;
    std::size_t size;
    const WellKnownEntry* begin() const { return first; }
    const WellKnownEntry* end() const { return first + size; }
};
WellKnownRows well_known_rows();

/// The row that covers the six-byte address `mac`, the most specific where
/// rows nest (a narrower range wins over a wider one); null when none, and
/// for any other number of bytes.
const WellKnownEntry* find_well_known(const Bytes& mac);

/// The row that covers every address of an OUI alone (`oui`: three bytes),
/// the most specific if several do: 52:54:00 gives QEMU's. Null when no one
/// row covers the whole OUI, and for any other number of bytes.
const WellKnownEntry* find_well_known_oui(const Bytes& oui);

/// Room enough for any name write_well_known_name writes.
constexpr std::size_t kWellKnownNameRoom = 128;

/// Writes the row's name for `mac` at `out`, with the group, router or
/// group number filled in from the address; for anything but a six-byte
/// address in the row's range (an OUI alone) the row's name without what
/// needs the whole address. Returns the end. Printable ASCII only.
char* write_well_known_name(char* out, const WellKnownEntry& entry, const Bytes& mac);

/// Room enough for any reference well_known_reference gives.
constexpr std::size_t kWellKnownReferenceRoom = 128;

/// The standard or documentation the row cites, printable ASCII.
std::string_view well_known_reference(const WellKnownEntry& entry);

}  // namespace hexalune

#endif  // HEXALUNE_NOTATION_WELL_KNOWN_H_
