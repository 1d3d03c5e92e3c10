#ifndef HEXALUNE_NOTATION_EUI64_H_
#define HEXALUNE_NOTATION_EUI64_H_

#include <string>

#include "bytes.h"

namespace hexalune {

// b0..b5 below are the first six bytes of the input. Functions that read
// six bytes throw std::invalid_argument for fewer; the contained forms need
// three.

/// The EUI-64 expansion b0 b1 b2 ff fe b3 b4 b5; no bit is changed.
Bytes convert_to_eui64(const Bytes& mac);

/// The MAC-48 encapsulation: every input byte, with ff ff inserted after
/// the third, as 2(n+2) digits for n bytes: 16 for an address of six
/// ("008010ffffa4000c").
std::string to_contained_mac48(const Bytes& mac);

/// The EUI-48 encapsulation: as to_contained_mac48, with ff fe inserted
/// ("008010fffea4000c").
std::string to_contained_eui48(const Bytes& mac);

/// As to_contained_eui48, with the universal/local bit (0x02) of the first
/// byte set, never cleared ("028010fffea4000c").
std::string to_contained_eui48_ul(const Bytes& mac);

/// The link-local address a host forms from this MAC: the modified EUI-64
/// (universal/local bit inverted) after fe80::, every group four digits:
/// "fe80::0280:10ff:fea4:000c".
std::string to_ipv6_link_local(const Bytes& mac);

/// The same link-local address in the text RFC 5952 makes canonical, and
/// that `ip -6 addr` prints: leading zeros dropped and the longest run of
/// zero groups as "::" ("fe80::280:10ff:fea4:c").
std::string to_ipv6_link_local_canonical(const Bytes& mac);

// The same texts written at `out`, which must have room for them (2(n+2)
// characters for the contained forms of n bytes, 25 for the link-local
// address); each returns the end of what it wrote, as
// render.h's write_ functions do.

char* write_contained_mac48(char* out, const Bytes& mac);
char* write_contained_eui48(char* out, const Bytes& mac);
char* write_contained_eui48_ul(char* out, const Bytes& mac);
char* write_ipv6_link_local_canonical(char* out, const Bytes& mac);

/// The link-local address of an interface whose identifier is derived from
/// `eui64` (its first eight bytes) as RFC 4291 Appendix A says: fe80:: and
/// the EUI-64 with the universal/local bit (0x02 of its first byte)
/// inverted, in RFC 5952's text ("fe80::280:10ff:fea4:c" for
/// 00:80:10:ff:fe:a4:00:0c). Throws std::invalid_argument for fewer than
/// eight bytes. Written at `out`, which must have room for 25 characters
/// ("fe80::ffff:ffff:ffff:ffff"); returns the end.
char* write_ipv6_link_local_from_eui64(char* out, const Bytes& eui64);

/// Whether the individual/group bit (0x01 of the first byte) is set: a
/// group (multicast or broadcast) address. Needs one byte.
bool is_multicast(const Bytes& mac);

/// Whether the universal/local bit (0x02 of the first byte) is set: a
/// locally administered address, such as a randomised one. Needs one byte.
bool is_local(const Bytes& mac);

}  // namespace hexalune

#endif  // HEXALUNE_NOTATION_EUI64_H_
