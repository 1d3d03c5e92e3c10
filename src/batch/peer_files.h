#ifndef HEXALUNE_BATCH_PEER_FILES_H_
#define HEXALUNE_BATCH_PEER_FILES_H_

#include <optional>
#include <string_view>
#include <vector>

#include "blocks.h"
#include "names.h"
#include "output.h"

namespace hexalune {

/// The files other programs name the owners of addresses by: Wireshark's
/// manuf, nmap's nmap-mac-prefixes and arp-scan's ieee-oui.txt.
enum class PeerFormat { kManuf, kNmap, kArpScan };

/// The format --export names ("manuf", "nmap", "arp-scan"); none for others.
std::optional<PeerFormat> peer_format(std::string_view name);

/// Writes `blocks` (as registry_blocks sorts them) and the user's `names`
/// (as Names::list gives them, each winning over a block of the same first
/// address and bits) as `format`'s file to `output`'s records, after the
/// lines of `about` as comments, flushing them as they grow. Names are
/// trimmed, their control characters spaces, and cut at a UTF-8 boundary to
/// what the reader keeps: every line ends in LF and is, with it, at most
/// 1023 bytes long (manuf), 127 (nmap) or 254 (arp-scan). A name left
/// empty, a prefix the format cannot hold (nmap: 24, 28 or 36 bits;
/// arp-scan: 2 to 12 whole digits) or, in manuf, a '#' (Wireshark ends a
/// line there) leaves the name out, with a line saying so in `output`'s
/// messages.
///
/// manuf's lines are "PREFIX<TAB>SHORT<TAB>NAME", in the order of `blocks`:
/// PREFIX "00:80:10" for 24 bits, "00:80:10:A4:00:0C" for 48 and
/// "00:55:DA:00:00:00/28" for others; SHORT the short name, or the name
/// where there is none, white space as '_'; both cut to the 63 bytes
/// Wireshark 4.0 keeps. nmap's are "DIGITS NAME", the 24-bit prefixes
/// first, then the 28- and the 36-bit ones (nmap 7.93 reads the first
/// only); arp-scan's "DIGITS<TAB>NAME", the longest prefixes first. False
/// once the records could not be written.
bool write_peer_file(Output& output, PeerFormat format, const std::vector<AddressBlock>& blocks,
                     const std::vector<UserName>& names, std::string_view about);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_PEER_FILES_H_
