#ifndef HEXALUNE_TESTS_REFERENCE_NOTATION_REFERENCE_H_
#define HEXALUNE_TESTS_REFERENCE_NOTATION_REFERENCE_H_

// A deliberately plain model of address text and its renderings, that the
// tests and fuzz targets hold the notation code to. Header-only, and
// independent of the program's code but for the byte vector type.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "notation/bytes.h"

namespace hexalune_reference {

using hexalune::Bytes;

/// The value of a hexadecimal digit of either case, or -1.
inline int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

/// Six colon-separated pairs of hexadecimal digits and nothing else.
inline bool is_valid_mac(const std::string& text) {
    if (text.size() != 17) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i % 3 == 2 ? text[i] != ':' : hex_value(text[i]) < 0) return false;
    }
    return true;
}

/// The bytes of six colon-separated groups of one or two digits (one
/// trailing colon allowed) or of twelve bare digits; nothing otherwise.
inline std::optional<Bytes> parse_mac(const std::string& text) {
    std::vector<std::string> groups;
    std::string current;
    for (char c : text) {
        if (c == ':') {
            groups.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) groups.push_back(current);
    if (groups.size() != 6) {
        if (text.size() != 12) return std::nullopt;
        groups.clear();
        for (std::size_t i = 0; i < 12; i += 2) groups.push_back(text.substr(i, 2));
    }
    Bytes bytes;
    for (const std::string& group : groups) {
        if (group.empty() || group.size() > 2) return std::nullopt;
        int value = 0;
        for (char c : group) {
            if (hex_value(c) < 0) return std::nullopt;
            value = value * 16 + hex_value(c);
        }
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

/// A byte as two lower-case digits.
inline std::string two_digits(unsigned byte) {
    static const char kDigits[] = "0123456789abcdef";
    return {kDigits[(byte >> 4) & 0x0f], kDigits[byte & 0x0f]};
}

/// A byte with its bit order reversed, by multiply and mask.
inline unsigned reversed(unsigned byte) {
    return static_cast<unsigned>(((byte * 0x0202020202ull) & 0x010884422010ull) % 1023);
}

/// The bytes as two-digit groups joined by `separator` (none when 0).
inline std::string joined(const Bytes& bytes, char separator, bool reverse_bits = false) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i != 0 && separator != 0) out += separator;
        out += two_digits(reverse_bits ? reversed(bytes[i]) : bytes[i]);
    }
    return out;
}

inline std::string to_hex(const Bytes& bytes, bool with_separators) {
    return joined(bytes, with_separators ? ':' : 0);
}

inline std::string to_bit_reversed(const Bytes& bytes) { return joined(bytes, '-', true); }

/// Groups of four digits joined by "."; an odd count ends in two.
inline std::string to_dot_notation(const Bytes& bytes) {
    const std::string digits = joined(bytes, 0);
    std::string dot;
    for (std::size_t i = 0; i < digits.size(); i += 4) {
        if (i != 0) dot += '.';
        dot += digits.substr(i, 4);
    }
    return dot;
}

inline std::string to_byte_string(const Bytes& bytes) { return "{" + joined(bytes, ',') + "}"; }

/// The last eight bytes, big-endian.
inline std::uint64_t to_integer(const Bytes& bytes) {
    std::uint64_t integer = 0;
    const std::size_t first = bytes.size() > 8 ? bytes.size() - 8 : 0;
    for (std::size_t i = first; i < bytes.size(); ++i) integer = integer * 256 + bytes[i];
    return integer;
}

inline std::string to_base16_integer(const Bytes& bytes) { return "0x" + joined(bytes, 0); }

/// b0 b1 b2 ff fe b3 b4 b5; nothing for fewer than six bytes.
inline std::optional<Bytes> convert_to_eui64(const Bytes& b) {
    if (b.size() < 6) return std::nullopt;
    return Bytes{b[0], b[1], b[2], 0xff, 0xfe, b[3], b[4], b[5]};
}

/// fe80:: and the EUI-64 with the universal/local bit inverted, in groups
/// of four digits; nothing for fewer than six bytes.
inline std::optional<std::string> to_ipv6_link_local(const Bytes& b) {
    std::optional<Bytes> id = convert_to_eui64(b);
    if (!id) return std::nullopt;
    (*id)[0] ^= 0x02;
    const std::string d = joined(*id, 0);
    return "fe80::" + d.substr(0, 4) + ":" + d.substr(4, 4) + ":" + d.substr(8, 4) + ":" +
           d.substr(12, 4);
}

/// The first three bytes' digits, `middle`, then the rest of the digits;
/// nothing for fewer than three bytes.
inline std::optional<std::string> contained(const Bytes& b, const char* middle) {
    if (b.size() < 3) return std::nullopt;
    const std::string digits = joined(b, 0);
    return digits.substr(0, 6) + middle + digits.substr(6);
}

inline std::optional<std::string> to_contained_mac48(const Bytes& b) {
    return contained(b, "ffff");
}

inline std::optional<std::string> to_contained_eui48(const Bytes& b) {
    return contained(b, "fffe");
}

/// As to_contained_eui48, with bit 0x02 of the first byte set.
inline std::optional<std::string> to_contained_eui48_ul(const Bytes& b) {
    if (b.empty()) return std::nullopt;
    Bytes marked = b;
    marked[0] |= 0x02;
    return contained(marked, "fffe");
}

/// The bytes of six pairs of digits joined by ':' or '-' (the same one
/// throughout), three groups of four joined by '.', or twelve bare digits;
/// nothing otherwise.
inline std::optional<Bytes> parse_device_notation(const std::string& text) {
    const std::size_t group = text.size() == 17 ? 2 : text.size() == 14 ? 4 : 12;
    const std::string separators = group == 2 ? ":-" : group == 4 ? "." : "";
    std::string digits;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i % (group + 1) != group) {
            digits += text[i];
        } else if (separators.find(text[i]) == std::string::npos || text[i] != text[group]) {
            return std::nullopt;
        }
    }
    if (digits.size() != 12 || digits.find(':') != std::string::npos) return std::nullopt;
    return parse_mac(digits);
}

/// An IPv6 address of eight groups joined by ':' in RFC 5952's text: each
/// group without leading zeros, the first longest run of two or more zero
/// groups as "::".
inline std::string rfc5952(const std::string& full) {
    std::vector<std::string> groups;
    for (std::size_t at = 0; at < full.size(); at += 5) {
        const std::string group = full.substr(at, 4);
        const std::size_t first = group.find_first_not_of('0');
        groups.push_back(first == std::string::npos ? "0" : group.substr(first));
    }
    std::size_t best = 0, best_length = 0;
    for (std::size_t start = 0; start < groups.size(); ++start) {
        std::size_t length = 0;
        while (start + length < groups.size() && groups[start + length] == "0") ++length;
        if (length > best_length) best = start, best_length = length;
    }
    std::string text;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (best_length >= 2 && i == best) text += i == 0 ? "::" : ":";
        if (best_length >= 2 && i >= best && i < best + best_length) continue;
        text += groups[i] + (i + 1 < groups.size() ? ":" : "");
    }
    return text;
}

/// The link-local address in RFC 5952's text.
inline std::optional<std::string> to_ipv6_link_local_canonical(const Bytes& b) {
    const std::optional<std::string> full = to_ipv6_link_local(b);
    if (!full) return std::nullopt;
    return rfc5952("fe80:0000:0000:0000:" + full->substr(6));
}

/// The link-local address of the interface whose identifier is the first
/// eight bytes, the universal/local bit inverted, in RFC 5952's text;
/// nothing for fewer than eight bytes.
inline std::optional<std::string> ipv6_link_local_from_eui64(const Bytes& b) {
    if (b.size() < 8) return std::nullopt;
    Bytes id(b.begin(), b.begin() + 8);
    id[0] ^= 0x02;
    const std::string d = joined(id, 0);
    return rfc5952("fe80:0000:0000:0000:" + d.substr(0, 4) + ":" + d.substr(4, 4) + ":" +
                   d.substr(8, 4) + ":" + d.substr(12, 4));
}

/// The pieces of `text` between every `separator`, empty ones kept: one
/// more than there are separators.
inline std::vector<std::string> pieces(const std::string& text, char separator) {
    std::vector<std::string> out(1);
    for (char c : text) {
        if (c == separator) {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

/// The bytes of `count` groups of `width` digits joined by one of
/// `separators` (the same throughout; none for a single group).
inline std::optional<Bytes> digit_groups(const std::string& text, std::size_t count,
                                         std::size_t width, const std::string& separators) {
    for (char separator : separators.empty() ? std::string(1, '\0') : separators) {
        const std::vector<std::string> groups = pieces(text, separator);
        std::string digits;
        for (const std::string& group : groups) {
            if (group.size() == width) digits += group;
        }
        if (groups.size() != count || digits.size() != count * width) continue;
        Bytes bytes;
        for (std::size_t i = 0; i < digits.size(); i += 2) {
            if (hex_value(digits[i]) < 0 || hex_value(digits[i + 1]) < 0) return std::nullopt;
            bytes.push_back(
                static_cast<std::uint8_t>(hex_value(digits[i]) * 16 + hex_value(digits[i + 1])));
        }
        return bytes;
    }
    return std::nullopt;
}

/// A dotted IPv4 quad, each number 0 to 255 without leading zeros.
inline std::optional<Bytes> ipv4(const std::string& text) {
    const std::vector<std::string> numbers = pieces(text, '.');
    Bytes bytes;
    for (const std::string& number : numbers) {
        if (number.empty() || number.size() > 3 || (number[0] == '0' && number.size() > 1)) break;
        if (number.find_first_not_of("0123456789") != std::string::npos) break;
        if (std::stoi(number) > 255) break;
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(number)));
    }
    if (numbers.size() != 4 || bytes.size() != 4) return std::nullopt;
    return bytes;
}

/// IPv6 text as 16 bytes: groups of one to four digits, the last two of
/// them perhaps a dotted quad, at most one "::" for one or more zero
/// groups, and perhaps a "%zone" without white space.
inline std::optional<Bytes> ipv6(const std::string& text) {
    const std::size_t percent = text.find('%');
    if (percent != std::string::npos &&
        (percent + 1 == text.size() ||
         text.find_first_of(" \t\n\v\f\r", percent) != std::string::npos)) {
        return std::nullopt;
    }
    const std::string address = text.substr(0, percent);
    const std::size_t gap = address.find("::");
    if (gap != std::string::npos && address.find("::", gap + 1) != std::string::npos) {
        return std::nullopt;
    }
    // The bytes before and after "::" (all of them without one).
    Bytes halves[2];
    const std::string texts[2] = {address.substr(0, gap),
                                  gap == std::string::npos ? "" : address.substr(gap + 2)};
    for (int half = 0; half < 2; ++half) {
        if (texts[half].empty()) continue;
        const std::vector<std::string> groups = pieces(texts[half], ':');
        for (std::size_t i = 0; i < groups.size(); ++i) {
            const bool last = i + 1 == groups.size() && (half == 1 || gap == std::string::npos);
            if (last && groups[i].find('.') != std::string::npos) {
                const std::optional<Bytes> quad = ipv4(groups[i]);
                if (!quad) return std::nullopt;
                halves[half].insert(halves[half].end(), quad->begin(), quad->end());
                continue;
            }
            if (groups[i].empty() || groups[i].size() > 4) return std::nullopt;
            const std::string group = std::string(4 - groups[i].size(), '0') + groups[i];
            const std::optional<Bytes> two = digit_groups(group, 1, 4, "");
            if (!two) return std::nullopt;
            halves[half].insert(halves[half].end(), two->begin(), two->end());
        }
    }
    const std::size_t given = halves[0].size() + halves[1].size();
    if (gap == std::string::npos ? given != 16 : given > 14) return std::nullopt;
    Bytes bytes = halves[0];
    bytes.resize(16 - halves[1].size(), 0);
    bytes.insert(bytes.end(), halves[1].begin(), halves[1].end());
    return bytes;
}

/// Six groups of one or two digits joined by ':'.
inline std::optional<Bytes> short_colon_groups(const std::string& text) {
    const std::vector<std::string> groups = pieces(text, ':');
    std::string digits;
    for (const std::string& group : groups) {
        if (group.empty() || group.size() > 2) return std::nullopt;
        digits += std::string(2 - group.size(), '0') + group;
    }
    return groups.size() == 6 ? digit_groups(digits, 1, 12, "") : std::nullopt;
}

/// Any identifier hexalune-batch takes, the first of: an EUI-48 in any of its notations
/// (6 bytes), an EUI-64 (8), an OUI alone (3), an IPv6 address (16). Its
/// number of bytes tells which it is.
inline std::optional<Bytes> parse_identifier(const std::string& text) {
    for (auto read :
         {parse_device_notation(text), digit_groups(text, 3, 4, "-"), digit_groups(text, 2, 6, "-"),
          short_colon_groups(text), digit_groups(text, 8, 2, ":"), digit_groups(text, 8, 2, "-"),
          digit_groups(text, 4, 4, "."), digit_groups(text, 1, 16, ""),
          digit_groups(text, 3, 2, ":-"), digit_groups(text, 1, 6, ""), ipv6(text)}) {
        if (read) return read;
    }
    return std::nullopt;
}

}  // namespace hexalune_reference

#endif  // HEXALUNE_TESTS_REFERENCE_NOTATION_REFERENCE_H_
