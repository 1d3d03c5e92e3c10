#ifndef HEXALUNE_TESTS_REFERENCE_WELL_KNOWN_REFERENCE_H_
#define HEXALUNE_TESTS_REFERENCE_WELL_KNOWN_REFERENCE_H_

// A plain model of the name a well-known address row gives an address,
// from the row's fields alone, that the fuzz targets hold the writer to.

#include <cstdint>
#include <cstdio>
#include <string>

#include "notation/well_known.h"
#include "reference/notation_reference.h"

namespace hexalune_reference {

/// The row's name for `mac`: the name alone, or, for a six-byte address in
/// the row's range, with the number, the IPv4 group (the row's detail, if
/// it names one) or the IPv6 group added as the row's form says.
inline std::string well_known_name(const hexalune::WellKnownEntry& entry, const Bytes& mac) {
    using Form = hexalune::WellKnownForm;
    const std::string name = entry.name;
    const std::uint64_t address = to_integer(mac);
    if (mac.size() != 6 || address < entry.first || address > entry.last) return name;
    char text[64];
    switch (entry.form) {
        case Form::kFixed:
            return name;
        case Form::kNumber:
            std::snprintf(text, sizeof text, " %llu",
                          static_cast<unsigned long long>(address - entry.first));
            return name + text + entry.detail;
        case Form::kIpv4Group:
            std::snprintf(text, sizeof text, " 224.%u.%u.%u", mac[3] & 0x7fu, mac[4] + 0u,
                          mac[5] + 0u);
            return name + (*entry.detail ? " " + std::string(entry.detail) : text) +
                   " (or one of 31 other groups that map to this address)";
        case Form::kIpv6Group: {
            const std::string low = joined(Bytes(mac.begin() + 2, mac.end()), 0);
            const std::string sixth = mac[2] == 0xff ? "0001" : "0000";
            const std::string group = rfc5952("ff02:0000:0000:0000:0000:" + sixth + ":" +
                                              low.substr(0, 4) + ":" + low.substr(4));
            const std::string detail = entry.detail;
            return name + " " + group + (detail.empty() ? "" : " (" + detail + ")") +
                   ", or another group ending in these 32 bits";
        }
    }
    return "";
}

}  // namespace hexalune_reference

#endif  // HEXALUNE_TESTS_REFERENCE_WELL_KNOWN_REFERENCE_H_
