#include "parse.h"

#include <algorithm>
#include <iostream>
#include <regex>
#include <stdexcept>

namespace hexalune {

namespace {

// The value of each character as a hexadecimal digit, or -1. Why: one load
// instead of three range tests; a batch run parses millions of addresses.
struct HexValues {
    signed char of[256];
};

constexpr HexValues hex_values() {
    HexValues values{};
    for (int c = 0; c < 256; ++c) {
        values.of[c] = static_cast<signed char>(c >= '0' && c <= '9'   ? c - '0'
                                                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                       : -1);
    }
    return values;
}

constexpr HexValues kHexValues = hex_values();

int hex_digit(char c) { return kHexValues.of[static_cast<unsigned char>(c)]; }

[[noreturn]] void fail_format() { throw std::runtime_error("Invalid MAC address format"); }

// One to two hexadecimal digits and nothing else, as a byte.
std::uint8_t group_value(const std::string& group) {
    if (group.empty() || group.size() > 2) fail_format();
    int value = 0;
    for (char c : group) {
        int digit = hex_digit(c);
        if (digit < 0) fail_format();
        value = value * 16 + digit;
    }
    return static_cast<std::uint8_t>(value);
}

// `kBytes` bytes as digits in groups of `kGroup` joined by `separator`,
// into `bytes`; `text` is as long as that takes.
template <std::size_t kBytes, std::size_t kGroup>
bool read_groups_of(std::string_view text, char separator, Bytes& bytes) {
    bytes.resize(kBytes);
    for (std::size_t i = 0; i < kBytes; ++i) {
        const std::size_t at = 2 * i + 2 * i / kGroup;
        const int high = hex_digit(text[at]), low = hex_digit(text[at + 1]);
        if ((high | low) < 0 || (i != 0 && 2 * i % kGroup == 0 && text[at - 1] != separator)) {
            return false;
        }
        bytes[i] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return true;
}

// `kBytes` bytes as pairs of digits joined by ':' or '-' (the same one
// throughout), as groups of four joined by '.' (if `kQuads`), or as one run
// of bare digits, into `bytes`. Why a pair at a time, at places its length
// gives: a quarter of the instructions of a character at a time
// (callgrind, hexalune-batch on 100,000 lines).
template <std::size_t kBytes, bool kQuads>
bool read_digit_groups(std::string_view text, Bytes& bytes) {
    // 3n - 1 characters are n pairs, 2n + n/2 - 1 quads, 2n one run of bare
    // digits.
    if (text.size() == 3 * kBytes - 1 && (text[2] == ':' || text[2] == '-')) {
        return read_groups_of<kBytes, 2>(text, text[2], bytes);
    }
    if (kQuads && text.size() == 2 * kBytes + kBytes / 2 - 1) {
        return read_groups_of<kBytes, 4>(text, '.', bytes);
    }
    return text.size() == 2 * kBytes && read_groups_of<kBytes, 2 * kBytes>(text, 0, bytes);
}

bool is_white_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A dotted IPv4 quad that is all of `text` (four decimal numbers up to 255,
// none with a leading zero), as two 16-bit groups.
bool read_ipv4(std::string_view text, unsigned* groups) {
    unsigned octets[4];
    std::size_t count = 0, at = 0;
    while (count < 4) {
        const std::size_t start = at;
        unsigned value = 0;
        while (at < text.size() && at - start < 3 && text[at] >= '0' && text[at] <= '9') {
            value = value * 10 + static_cast<unsigned>(text[at++] - '0');
        }
        if (at == start || value > 255 || (text[start] == '0' && at - start > 1)) return false;
        octets[count++] = value;
        if (count < 4 && (at == text.size() || text[at++] != '.')) return false;
    }
    if (at != text.size()) return false;
    groups[0] = octets[0] << 8 | octets[1];
    groups[1] = octets[2] << 8 | octets[3];
    return true;
}

// IPv6 text, with any zone, as 16 bytes.
bool read_ipv6(std::string_view text, Bytes& bytes) {
    const std::size_t percent = text.find('%');
    if (percent != std::string_view::npos) {
        const std::string_view zone = text.substr(percent + 1);
        if (zone.empty()) return false;
        for (char c : zone) {
            if (is_white_space(c)) return false;
        }
        text = text.substr(0, percent);
    }
    // The groups as read, and how many of them come before "::" (`gap`).
    unsigned groups[8];
    std::size_t count = 0, gap = 8, at = 0;
    bool compressed = false;
    if (text.substr(0, 2) == "::") {
        compressed = true;
        gap = 0;
        at = 2;
    }
    while (at < text.size()) {
        const std::size_t start = at;
        unsigned value = 0;
        while (at < text.size() && hex_digit(text[at]) >= 0) {
            value = value * 16 + static_cast<unsigned>(hex_digit(text[at++]));
            if (at - start > 4) return false;
        }
        if (at < text.size() && text[at] == '.') {
            // The dotted quad ends the text and fills its last two groups.
            if (count > 6 || !read_ipv4(text.substr(start), groups + count)) return false;
            count += 2;
            break;
        }
        if (at == start || count == 8) return false;
        groups[count++] = value;
        if (at == text.size()) break;
        if (text[at++] != ':' || at == text.size()) return false;
        if (text[at] == ':') {
            if (compressed) return false;
            compressed = true;
            gap = count;
            ++at;
        }
    }
    // "::" stands for at least one zero group.
    if (compressed ? count > 7 : count != 8) return false;
    bytes.assign(16, 0);
    const std::size_t after = 8 - (count - std::min(gap, count));
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t to = i < gap ? i : after + (i - gap);
        bytes[2 * to] = static_cast<std::uint8_t>(groups[i] >> 8);
        bytes[2 * to + 1] = static_cast<std::uint8_t>(groups[i] & 0xff);
    }
    return true;
}

// An EUI-48 as switches and BSD systems print it: 0080-10a4-000c,
// 008010-a4000c, or six groups of one or two digits joined by ':'.
bool read_other_eui48(std::string_view text, Bytes& bytes) {
    if (text.size() == 14 && text[4] == '-') return read_groups_of<6, 4>(text, '-', bytes);
    if (text.size() == 13 && text[6] == '-') return read_groups_of<6, 6>(text, '-', bytes);
    bytes.assign(6, 0);
    std::size_t group = 0, digits = 0;
    for (const char c : text) {
        if (c == ':') {
            if (digits == 0 || ++group == 6) return false;
            digits = 0;
            continue;
        }
        const int value = hex_digit(c);
        if (value < 0 || ++digits > 2) return false;
        bytes[group] = static_cast<std::uint8_t>(bytes[group] << 4 | value);
    }
    return group == 5 && digits != 0;
}

}  // namespace

std::vector<std::string> split(const std::string& text, char delimiter) {
    std::vector<std::string> pieces;
    std::string::size_type start = 0;
    while (start < text.size()) {
        std::string::size_type end = text.find(delimiter, start);
        if (end == std::string::npos) {
            pieces.push_back(text.substr(start));
            break;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

Bytes parse_mac(const std::string& text) {
    Bytes bytes;
    std::vector<std::string> groups = split(text, ':');
    if (groups.size() == 6) {
        for (const std::string& group : groups) bytes.push_back(group_value(group));
        return bytes;
    }
    if (text.size() != 12) fail_format();
    for (std::string::size_type i = 0; i < text.size(); i += 2) {
        bytes.push_back(group_value(text.substr(i, 2)));
    }
    return bytes;
}

bool parse_device_notation(std::string_view text, Bytes& bytes) {
    return read_digit_groups<6, true>(text, bytes);
}

bool parse_identifier(std::string_view text, InputType& type, Bytes& bytes) {
    if (parse_device_notation(text, bytes) || read_other_eui48(text, bytes)) {
        type = InputType::kEui48;
    } else if (read_digit_groups<8, true>(text, bytes)) {
        type = InputType::kEui64;
    } else if (read_digit_groups<3, false>(text, bytes)) {
        type = InputType::kOui;
    } else if (read_ipv6(text, bytes)) {
        type = InputType::kIpv6;
    } else {
        return false;
    }
    return true;
}

bool is_valid_mac(const std::string& text) {
    try {
        const std::regex pattern("^([0-9A-Fa-f]{2}[:]){5}([0-9A-Fa-f]{2})$",
                                 std::regex::ECMAScript);
        // Only 17 characters can match; longer text is not handed to the
        // backtracking matcher at all.
        return text.size() == 17 && std::regex_match(text, pattern);
    } catch (const std::regex_error& e) {
        std::cout << "Regex error: " << e.what() << std::endl;
        return false;
    }
}

}  // namespace hexalune
