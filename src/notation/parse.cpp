#include "parse.h"

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
    // The digits between two separators: 17 characters are six pairs, 14
    // three quads, 12 one run of bare digits.
    std::size_t group = 0;
    char separator = 0;
    if (text.size() == 17 && (text[2] == ':' || text[2] == '-')) {
        group = 2;
        separator = text[2];
    } else if (text.size() == 14) {
        group = 4;
        separator = '.';
    } else if (text.size() == 12) {
        group = 12;
    } else {
        return false;
    }
    bytes.assign(6, 0);
    std::size_t digits = 0, in_group = 0;
    for (char c : text) {
        if (in_group == group) {
            if (c != separator) return false;
            in_group = 0;
            continue;
        }
        const int value = hex_digit(c);
        if (value < 0) return false;
        bytes[digits / 2] = static_cast<std::uint8_t>(bytes[digits / 2] << 4 | value);
        ++digits;
        ++in_group;
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
